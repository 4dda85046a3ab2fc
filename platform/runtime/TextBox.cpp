#include "TextBox.h"

#include "Canvas.h"

TextBox::TextBox(Canvas& container) : Control(&container) { Attached(); }

TextBox::~TextBox() { Destroy(); }

Window::CreateParams TextBox::WindowParams() {
    CreateParams cp;
    cp.className = L"Orvane.TextBox";
    cp.baseClass = L"EDIT";
    cp.style = WS_TABSTOP | ES_AUTOHSCROLL | (t_.passwordChar ? ES_PASSWORD : 0);
    cp.exStyle = t_.borderStyle ? WS_EX_CLIENTEDGE : 0;
    cp.title = t_.text;
    return cp;
}

void TextBox::Created() {
    SendMessageW(hwnd(), EM_LIMITTEXT, t_.maxLength, 0);
    if (t_.passwordChar) SendMessageW(hwnd(), EM_SETPASSWORDCHAR, t_.passwordChar, 0);
}

void TextBox::SaveDesign() {
    Control::SaveDesign();
    design_ = t_;
}

void TextBox::RestoreDesign() {
    Control::RestoreDesign();
    t_ = design_;
}

std::wstring TextBox::Text() {
    if (!hwnd()) return t_.text;
    std::wstring text(GetWindowTextLengthW(hwnd()) + 1, L'\0');
    text.resize(GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size())));
    return text;
}

void TextBox::Text(const std::wstring& value) {
    // Text set from code is cut to the limit too, not only what is typed.
    const std::wstring text =
        t_.maxLength > 0 && value.size() > static_cast<size_t>(t_.maxLength) ? value.substr(0, t_.maxLength) : value;
    if (text == Text()) return;
    t_.text = text;
    if (hwnd()) SetWindowTextW(hwnd(), text.c_str());  // the edit reports the change: Change
}

void TextBox::MaxLength(int value) {
    t_.maxLength = value;
    if (hwnd()) SendMessageW(hwnd(), EM_LIMITTEXT, value, 0);
}

void TextBox::ForeColor(OLE_COLOR value) {
    t_.foreColor = value;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void TextBox::BackColor(OLE_COLOR value) {
    t_.backColor = value;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void TextBox::PasswordChar(wchar_t value) {
    t_.passwordChar = value;
    if (!hwnd()) return;
    SendMessageW(hwnd(), EM_SETPASSWORDCHAR, value, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TextBox::ReflectCommand(WORD code) {
    if (code != EN_CHANGE) return;
    if (hwnd()) t_.text = Text();
    if (Change) Change();
}

HBRUSH TextBox::ReflectCtlColor(HDC dc) {
    const COLORREF back = TranslateColor(t_.backColor);
    SetTextColor(dc, TranslateColor(t_.foreColor));
    SetBkColor(dc, back);
    return brush_.Get(back);
}

LRESULT TextBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = Control::WndProc(msg, wParam, lParam);
    if (msg == WM_LBUTTONUP) RaiseClick();
    return r;
}
