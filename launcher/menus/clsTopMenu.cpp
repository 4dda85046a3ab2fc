#include "clsTopMenu.h"

#include "MdlMenuClass.h"
#include "ScopedGdi.h"
#include "StdPicture.h"

namespace {

// Where the icon strip ends and where captions start, in the menu's pixels.
constexpr int kStripRight = 24;
constexpr int kCaptionLeft = 33;

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush.get());
}

}  // namespace

void clsTopMenu::InitMenu(int32_t nMenuID, const std::wstring& sCaption, int16_t nWidth, int16_t nHeight,
                          HICON hIcon) {
    id_ = nMenuID;
    caption_ = sCaption;
    width_ = nWidth;
    height_ = nHeight;
    icon_ = hIcon;
}

void clsTopMenu::InitStruct(HDC hDC, int32_t nAction, int32_t nID, int32_t nState, int32_t nLeft, int32_t nTop,
                            int32_t nBottom, int32_t nRight) {
    draw_.dc = hDC;
    draw_.action = nAction;
    draw_.id = nID;
    draw_.state = nState;
    draw_.rect = RECT{nLeft, nTop, nRight, nBottom};
}

void clsTopMenu::DrawMenu(const StdPicture* check) const {
    HDC dc = draw_.dc;
    const RECT& r = draw_.rect;
    const bool separator = caption_.empty();
    COLORREF textColour;
    if (!(draw_.state & ODS_SELECTED)) {
        Fill(dc, r.left, r.top, kStripRight, r.bottom, MenuIconBackColor);
        Fill(dc, kStripRight, r.top, r.right, r.bottom, MenuBackColor);
        if (separator) {
            const ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, MenuLineColor));
            const ScopedSelect use(dc, pen.get());
            MoveToEx(dc, kStripRight, r.top + 2, nullptr);
            LineTo(dc, r.right, r.top + 2);
            return;
        }
        DrawIcon(check);
        textColour = MenuTextColor;
    } else {
        if (separator) return;
        Fill(dc, r.left, r.top, r.right, r.bottom, MenuSelBackColor);
        const ScopedGdiObject<HBRUSH> frame(CreateSolidBrush(MenuSelFrameColor));
        FrameRect(dc, &r, frame.get());
        DrawIcon(check);
        textColour = MenuSelTextColor;
    }
    DrawCaption(textColour);
}

void clsTopMenu::DrawIcon(const StdPicture* check) const {
    const int top = draw_.rect.top;
    if (selected_) {
        if (check) check->Render(draw_.dc, 4, top + 4, 16, 16);
    } else if (icon_) {
        DrawIconEx(draw_.dc, 4, top + 3, icon_, 16, 16, 0, nullptr, DI_NORMAL);
    }
}

void clsTopMenu::DrawCaption(COLORREF colour) const {
    HDC dc = draw_.dc;
    const int y = draw_.rect.top + 5;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    const int length = static_cast<int>(caption_.size());
    if (enabled_) {
        TextOutW(dc, kCaptionLeft, y, caption_.c_str(), length);
    } else {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption_.c_str()), static_cast<WPARAM>(length),
                   kCaptionLeft, y, 0, 0, DST_TEXT | DSS_DISABLED);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}
