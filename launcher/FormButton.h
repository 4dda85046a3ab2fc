// An image button placed on a form in twips, made when the form loads and
// dropped when it unloads, so that each opening starts from a fresh button.
#pragma once
#include <memory>
#include <string>

#include "Form.h"
#include "iButton.h"

// A button in `form`'s client area at left, top, width, height twips, shown
// with the strip from the skin file `strip` (below the program folder).
std::unique_ptr<iButton> MakeFormButton(Form& form, int left, int top, int width, int height,
                                        const std::wstring& strip);
