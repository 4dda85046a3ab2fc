// The main window as a Flash game page uses it: its form (icon, window
// state, size, showing) and its public IsResize text, which tells its resize
// handler that a tab page is full screen inside it.
#pragma once
#include <string>

#include "Form.h"

struct FlashGameMainWindow {
    Form* form = nullptr;
    std::wstring* IsResize = nullptr;
};
// The binding the pages use; the main window fills it in when it loads.
FlashGameMainWindow& FlashGameMain();

Form& FlashGameMainForm();
void FlashGameIsResize(const std::wstring& value);
