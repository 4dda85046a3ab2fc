#include "CommandButton.h"

#include "Canvas.h"

CommandButton::CommandButton(Canvas& container) : Control(&container) { Attached(); }

CommandButton::~CommandButton() { Destroy(); }

Window::CreateParams CommandButton::WindowParams() {
    CreateParams cp;
    cp.className = L"Orvane.CommandButton";
    cp.baseClass = L"BUTTON";
    cp.style = WS_TABSTOP | BS_PUSHBUTTON;
    cp.title = caption_;
    return cp;
}

void CommandButton::SaveDesign() {
    Control::SaveDesign();
    design_ = caption_;
}

void CommandButton::RestoreDesign() {
    Control::RestoreDesign();
    caption_ = design_;
}

void CommandButton::Caption(const std::wstring& value) {
    caption_ = value;
    if (hwnd()) SetWindowTextW(hwnd(), value.c_str());
}

void CommandButton::ReflectCommand(WORD code) {
    if (code == BN_CLICKED) RaiseClick();
}
