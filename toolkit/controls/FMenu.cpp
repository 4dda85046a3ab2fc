#include "FMenu.h"

#include <windowsx.h>

#include "ChildParams.h"
#include "Rounding.h"
#include "Twips.h"

namespace {

constexpr int kIconLeft = 60, kIconSize = 240;
constexpr int kDesignWidth = 9285, kDesignHeight = 9000;
constexpr int kHoverInset = 20, kHoverFar = 30;
constexpr COLORREF kHoverFill = RGB(182, 189, 210), kHoverEdge = RGB(82, 24, 106);

int Px(int twips) { return TwipsToPixels(twips); }

// The check mark: a dark tick on the menu's back colour, 16 x 16 pixels.
std::shared_ptr<StdPicture> MakeCheckMark() {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH back = CreateSolidBrush(FMenu::kBackColor);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, back);
    DeleteObject(back);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 3, 8, nullptr);
    LineTo(dc, 6, 11);
    LineTo(dc, 12, 4);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, old);
    DeleteDC(dc);
    return StdPicture::FromBitmap(bmp, true);
}

}  // namespace

FMenu::Line::Line(FMenu& menu, int index, int top) : menu_(menu), index_(index), top_(top) {
    Create(ChildParams(L"OrvaneMenuLine", WS_VISIBLE, menu.hwnd(), Px(kLineLeft), Px(top),
                       Px(kDesignWidth - kLineLeft), Px(kLineHeight)));
}

int FMenu::Line::Width() const { return PixelsToTwips(surface_.Width()); }
int FMenu::Line::Height() const { return PixelsToTwips(surface_.Height()); }

void FMenu::Line::Width(int twips) {
    SetWindowPos(hwnd(), nullptr, 0, 0, Px(twips), Px(kLineHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FMenu::Line::Print(int x, int y, COLORREF colour, bool clear) {
    HDC dc = surface_.dc();
    if (clear) surface_.Clear(kLineBackColor);
    ControlFont f = menu_.Font();
    f.bold = bold;
    f.italic = italic;
    f.strikethrough = strikethru;
    f.underline = underline;
    ScopedFont font(f);
    ScopedSelect select(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    TextOutW(dc, Px(x), Px(y), caption.c_str(), static_cast<int>(caption.size()));
    InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT FMenu::Line::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = PixelsToTwips(GET_X_LPARAM(lParam)), y = PixelsToTwips(GET_Y_LPARAM(lParam));
    switch (msg) {
        case WM_PAINT: surface_.Paint(hwnd()); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: surface_.Resize(LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_MOUSEMOVE: menu_.PP_MouseMove(index_, x, y); return 0;
        case WM_LBUTTONDOWN: pressed_ = true; return 0;
        case WM_LBUTTONUP:
            if (pressed_ && x >= 0 && y >= 0 && x <= Width() && y <= Height()) {
                pressed_ = false;
                menu_.PP_Click(index_);
            }
            pressed_ = false;
            return 0;
        default: return Default(msg, wParam, lParam);
    }
}

FMenu::FMenu() : font_(ControlFont::OfWindow(nullptr)), p1_(MakeCheckMark()) {
    CreateParams p;
    p.className = L"OrvanePopupMenu";
    p.style = WS_POPUP | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_TOOLWINDOW;
    p.x = 0;
    p.y = 0;
    p.cx = Px(kDesignWidth);
    p.cy = Px(kDesignHeight);
    Create(p);
}

void FMenu::Form_Load() {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

FMenu::Line* FMenu::LineAt(int index) const {
    if (index < 1 || index > LineCount()) return nullptr;
    return lines_[index - 1].get();
}

FMenu::Line& FMenu::NewLine(int top) {
    lines_.push_back(std::make_unique<FMenu::Line>(*this, LineCount() + 1, top));
    return *lines_.back();
}

SIZE FMenu::TextSize(const std::wstring& s) const {
    HDC dc = GetDC(hwnd());
    ScopedFont font(font_);
    SIZE size{};
    {
        ScopedSelect select(dc, font.get());
        GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
    }
    ReleaseDC(hwnd(), dc);
    return {PixelsToTwips(size.cx), PixelsToTwips(size.cy)};
}

void FMenu::PaintIcon(int top, const StdPicture* picture) {
    if (!picture || !picture->Handle()) return;
    const int px = Px(kIconSize);
    picture->Render(surface_.dc(), Px(kIconLeft), Px(top + kIconLeft), px, px, 0, 0, px, px);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void FMenu::PaintCheck(int top) { PaintIcon(top, p1_.get()); }

void FMenu::ClearIcon(int top) {
    HBRUSH back = CreateSolidBrush(kBackColor);
    RECT square{Px(kIconLeft), Px(top + kIconLeft), Px(kIconLeft + kIconSize), Px(top + kIconLeft + kIconSize)};
    FillRect(surface_.dc(), &square, back);
    DeleteObject(back);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void FMenu::DrawLine(int x1, int y1, int x2, int y2, COLORREF colour) {
    HDC dc = surface_.dc();
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    {
        ScopedSelect select(dc, pen);
        MoveToEx(dc, Px(x1), Px(y1), nullptr);
        LineTo(dc, Px(x2), Px(y2));
        SetPixel(dc, Px(x2), Px(y2), colour);  // the end point too, as the line is drawn inclusive
    }
    DeleteObject(pen);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void FMenu::EraseFrame(int w, int h) {
    DrawLine(w - 10, 0, w - 10, h, kBackColor);
    DrawLine(0, h - 10, w, h - 10, kBackColor);
}

void FMenu::DrawFrame(int w, int h) {
    const COLORREF edge = RGB(102, 102, 102);
    DrawLine(0, 0, w - 10, 0, edge);
    DrawLine(w - 10, 0, w - 10, h - 10, edge);
    DrawLine(w - 10, h - 10, 0, h - 10, edge);
    DrawLine(0, h - 10, 0, 0, edge);
}

void FMenu::PP_MouseMove(int index, int x, int y) {
    FMenu::Line* line = LineAt(index);
    if (!line) return;
    const int h = TextSize(L"a").cy;
    if (x >= 0 && x <= line->Width() && y >= 0 && y <= line->Height()) {
        HDC dc = line->hDC();
        RECT box{Px(kHoverInset), Px(kHoverInset), Px(line->Width() - kHoverFar), Px(line->Height() - kHoverFar)};
        HBRUSH fill = CreateSolidBrush(kHoverFill), edge = CreateSolidBrush(kHoverEdge);
        FillRect(dc, &box, fill);
        FrameRect(dc, &box, edge);
        DeleteObject(fill);
        DeleteObject(edge);
        line->Print((360 - h) / 2, 100, line->foreColor, false);
        SetCapture(line->hwnd());
    } else {
        line->Print((360 - h) / 2 + 20, 120, line->foreColor);
        ReleaseCapture();
    }
}

void FMenu::PP_Click(int index) {
    FMenu::Line* line = LineAt(index);
    if (!line) return;
    const int h = TextSize(L"a").cy;
    line->Print((360 - h) / 2, 100, line->foreColor);
    if (GetCapture() == line->hwnd()) ReleaseCapture();
    tag_ = std::to_wstring(index);
    ShowWindow(hwnd(), SW_HIDE);
}

LRESULT FMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: surface_.Paint(hwnd()); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: surface_.Resize(LOWORD(lParam), HIWORD(lParam)); return 0;
        default: return Default(msg, wParam, lParam);
    }
}
