#include "CheckBox.h"

#include "Canvas.h"
#include "RaisedError.h"

CheckBox::CheckBox(Canvas& container) : Control(&container) { Attached(); }

CheckBox::~CheckBox() { Destroy(); }

Window::CreateParams CheckBox::WindowParams() {
    CreateParams cp;
    cp.className = L"Orvane.CheckBox";
    cp.baseClass = L"BUTTON";
    // The box is checked by the program, so that Value and Click stay in step.
    cp.style = WS_TABSTOP | BS_3STATE;
    cp.title = k_.caption;
    return cp;
}

void CheckBox::Created() { SendMessageW(hwnd(), BM_SETCHECK, k_.value, 0); }

void CheckBox::SaveDesign() {
    Control::SaveDesign();
    design_ = k_;
}

void CheckBox::RestoreDesign() {
    Control::RestoreDesign();
    k_ = design_;
}

void CheckBox::Value(int value) {
    if (value < 0 || value > 2) throw RaisedError(380, "CheckBox", "Invalid property value");
    if (value == k_.value) return;
    k_.value = value;
    if (hwnd()) SendMessageW(hwnd(), BM_SETCHECK, value, 0);
    RaiseClick();
}

void CheckBox::Caption(const std::wstring& value) {
    k_.caption = value;
    if (hwnd()) SetWindowTextW(hwnd(), value.c_str());
}

void CheckBox::ForeColor(OLE_COLOR value) {
    k_.foreColor = value;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void CheckBox::BackColor(OLE_COLOR value) {
    k_.backColor = value;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void CheckBox::ReflectCommand(WORD code) {
    if (code == BN_CLICKED) Value(k_.value == 1 ? 0 : 1);
}

HBRUSH CheckBox::ReflectCtlColor(HDC dc) {
    const COLORREF back = TranslateColor(k_.backColor);
    SetTextColor(dc, TranslateColor(k_.foreColor));
    SetBkColor(dc, back);
    return brush_.Get(back);
}
