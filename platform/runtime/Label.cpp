#include "Label.h"

#include "Canvas.h"

Label::Label(Canvas& container) : Control(&container) { Attached(); }

Label::~Label() { Destroy(); }

Window::CreateParams Label::WindowParams() {
    CreateParams cp;
    cp.className = L"Orvane.Label";
    cp.style = 0;
    cp.title = l_.caption;  // the caption is the window's text, for tools that read it
    return cp;
}

void Label::SaveDesign() {
    Control::SaveDesign();
    design_ = l_;
}

void Label::RestoreDesign() {
    Control::RestoreDesign();
    l_ = design_;
}

void Label::Changed() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void Label::Caption(const std::wstring& value) {
    l_.caption = value;
    if (hwnd()) SetWindowTextW(hwnd(), value.c_str());
    Changed();
}
void Label::ForeColor(OLE_COLOR value) {
    l_.foreColor = value;
    Changed();
}
void Label::BackColor(OLE_COLOR value) {
    l_.backColor = value;
    Changed();
}
void Label::BackStyle(BackStyleConstants value) {
    l_.backStyle = value;
    Changed();
}
void Label::Alignment(AlignmentConstants value) {
    l_.alignment = value;
    Changed();
}

void Label::Paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    if (l_.backStyle == BackStyleConstants::Transparent) {
        RECT area = rc;
        MapWindowPoints(hwnd(), GetParent(hwnd()), reinterpret_cast<POINT*>(&area), 2);
        Container()->PaintUnder(dc, area);
    } else {
        HBRUSH brush = CreateSolidBrush(TranslateColor(l_.backColor));
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? TranslateColor(l_.foreColor) : GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, Font());
    const UINT align = l_.alignment == AlignmentConstants::Center         ? DT_CENTER
                       : l_.alignment == AlignmentConstants::RightJustify ? DT_RIGHT
                                                                          : DT_LEFT;
    DrawTextW(dc, l_.caption.c_str(), -1, &rc, DT_WORDBREAK | DT_NOPREFIX | align);
    SelectObject(dc, old);
}

LRESULT Label::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        Paint(BeginPaint(hwnd(), &ps));
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ENABLE:
        Changed();
        break;
    }
    return Control::WndProc(msg, wParam, lParam);
}
