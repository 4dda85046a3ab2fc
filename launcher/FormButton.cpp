#include "FormButton.h"

#include "ProgramFiles.h"
#include "Twips.h"

std::unique_ptr<iButton> MakeFormButton(Form& form, int left, int top, int width, int height,
                                        const std::wstring& strip) {
    iButton::CreateArgs args;
    args.parent = form.hWnd();
    args.x = TwipsToPixels(left);
    args.y = TwipsToPixels(top);
    args.cx = TwipsToPixels(width);
    args.cy = TwipsToPixels(height);
    auto button = std::make_unique<iButton>(args);
    if (!strip.empty()) button->BackPicture(LoadSkinPicture(strip));
    ShowWindow(button->hwnd(), SW_SHOWNA);
    return button;
}
