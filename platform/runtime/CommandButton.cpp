#include "CommandButton.h"

#include <algorithm>
#include <vector>

#include "Canvas.h"

namespace {

// Every command button in the program, to find a form's default one.
std::vector<CommandButton*>& AllButtons() {
    static std::vector<CommandButton*> buttons;
    return buttons;
}

}  // namespace

CommandButton::CommandButton(Canvas& container) : Control(&container) {
    AllButtons().push_back(this);
    Attached();
}

CommandButton::~CommandButton() {
    AllButtons().erase(std::remove(AllButtons().begin(), AllButtons().end(), this), AllButtons().end());
    Destroy();
}

Window::CreateParams CommandButton::WindowParams() {
    CreateParams cp;
    cp.className = L"Orvane.CommandButton";
    cp.baseClass = L"BUTTON";
    cp.style = WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    cp.title = caption_;
    return cp;
}

void CommandButton::SaveDesign() {
    Control::SaveDesign();
    design_ = {caption_, default_};
}

void CommandButton::RestoreDesign() {
    Control::RestoreDesign();
    caption_ = design_.caption;
    default_ = design_.isDefault;
}

void CommandButton::Caption(const std::wstring& value) {
    caption_ = value;
    if (hwnd()) SetWindowTextW(hwnd(), value.c_str());
}

void CommandButton::Default(bool value) {
    default_ = value;
    if (hwnd()) SendMessageW(hwnd(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (!value) return;
    for (CommandButton* other : AllButtons())
        if (other != this && other->default_ && other->Parent() == Parent()) other->Default(false);
}

CommandButton* CommandButton::DefaultOf(Form& form) {
    for (CommandButton* b : AllButtons())
        if (b->default_ && b->Parent() == &form)
            return b->hwnd() && IsWindowVisible(b->hwnd()) && IsWindowEnabled(b->hwnd()) ? b : nullptr;
    return nullptr;
}

void CommandButton::ReflectCommand(WORD code) {
    if (code == BN_CLICKED) RaiseClick();
}
