// The tab strip's off-screen buffers, layout and drawing: the background is
// drawn only by a full draw; hover, press and selection changes redraw the
// tab area over the kept background; painting copies the composite.
#include "ITabForm.h"
#include "Rounding.h"
#include "uTab.h"

using namespace TabStripLayout;

void uTab::Resize() {
    // Each step runs even when the one before it failed.
    try {
        const long height = StripHeight();
        RECT rc;
        GetClientRect(hwnd(), &rc);
        if (rc.bottom != height)
            SetWindowPos(hwnd(), nullptr, 0, 0, rc.right, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } catch (...) {
    }
    try {
        CreateBuffers();
    } catch (...) {
    }
    try {
        CalcTabWidth();
    } catch (...) {
    }
    try {
        LayoutTabs();
    } catch (...) {
    }
    try {
        Draw(true);
    } catch (...) {
    }
}

long uTab::StripWidth() const {
    RECT rc{};
    GetClientRect(hwnd(), &rc);
    return rc.right;
}

std::vector<TabPlace> uTab::Places() const {
    std::vector<TabPlace> places;
    for (long i = 0; i < tabItems_->Count(); ++i) {
        const CTabItem& item = *tabItems_->Item(i);
        places.push_back({item.Left(), item.Width(), item.LockSize(), item.HideButton()});
    }
    return places;
}

Hit uTab::HitTest(float X, float Y) const {
    return TabStripLayout::HitTest(tabStyle_, StripWidth(), StripHeight(), tabLeftSize_, tabRightSize_, Places(), X,
                                   Y);
}

void uTab::FreeBuffers() {
    compositeDC_.reset();
    backgroundDC_.reset();
    tabAreaDC_.reset();
}

void uTab::CreateBuffers() {
    FreeBuffers();
    const long w = StripWidth(), h = StripHeight();
    compositeDC_.reset(CreateMemDC(w, h));
    backgroundDC_.reset(CreateMemDC(w, h));
    tabAreaDC_.reset(CreateMemDC(w - tabLeftSize_ - tabRightSize_, h));
}

void uTab::CalcTabWidth() {
    if (!drawEnabled_) return;
    tabWidth_ = TabStripLayout::CalcTabWidth(tabStyle_, StripWidth(), tabLeftSize_, tabRightSize_, Places());
}

void uTab::LayoutTabs() {
    if (!drawEnabled_) return;
    std::vector<TabPlace> places = Places();
    TabStripLayout::LayoutTabs(tabStyle_, tabWidth_, places);
    for (long i = 0; i < static_cast<long>(places.size()); ++i) {
        tabItems_->Item(i)->SetLeft(places[i].left);
        tabItems_->Item(i)->SetWidth(places[i].width);
    }
}

void uTab::Draw(bool bUpdate) {
    DrawBackground();
    DrawTabs(bUpdate);
}

void uTab::DrawBackground() {
    if (!drawEnabled_ || !backgroundDC_) return;
    const long w = StripWidth(), h = StripHeight();
    bool cancel = false;
    if (OnDrawBackground) OnDrawBackground(backgroundDC_.get(), w, h, cancel);
    if (!cancel) skin_->DrawBackground(backgroundDC_.get(), tabStyle_, w, h);
}

void uTab::DrawTabs(bool bUpdate) {
    if (!drawEnabled_ || !tabAreaDC_) return;
    HDC area = tabAreaDC_.get();
    const long w = StripWidth(), h = StripHeight(), areaW = w - tabLeftSize_ - tabRightSize_;
    SetBkMode(area, TRANSPARENT);
    SelectObject(area, normalFont_.get());
    SetTextColor(area, RGB(0, 0, 0));
    BitBlt(area, 0, 0, areaW, h, backgroundDC_.get(), tabLeftSize_, 0, SRCCOPY);

    const std::vector<TabPlace> places = Places();
    const long count = static_cast<long>(places.size());
    // Right to left, so that each tab covers the reach of its right neighbour.
    for (long i = count - 1; i >= 0; --i)
        if (i != selected_) DrawTab(i, places[i], false);
    SelectObject(area, boldFont_.get());
    SetTextColor(area, RGB(4, 96, 163));
    if (selected_ >= 0 && selected_ < count) DrawTab(selected_, places[selected_], true);

    BitBlt(compositeDC_.get(), 0, 0, w, h, backgroundDC_.get(), 0, 0, SRCCOPY);
    BitBlt(compositeDC_.get(), tabLeftSize_, 0, areaW, h, area, 0, 0, SRCCOPY);
    if (bUpdate) {
        HDC dc = GetDC(hwnd());
        BitBlt(dc, 0, 0, w, h, compositeDC_.get(), 0, 0, SRCCOPY);
        ReleaseDC(hwnd(), dc);
    }
}

void uTab::DrawTab(long index, const TabPlace& place, bool selected) {
    HDC area = tabAreaDC_.get();
    const bool hovered = index == hoverIndex_;
    skin_->DrawTab(area, tabStyle_, selected ? kTabSelected : hovered ? kTabHover : kTabNormal,
                   TabImageRect(tabStyle_, place));
    DrawCaption(area, tabItems_->Item(index)->Caption(), CaptionRect(tabStyle_, place, selected));
    if (place.hideButton) return;
    const CloseCell cell = hovered && closeState_ == 2 ? kClosePressed
                           : hovered && closeState_ == 1 ? kCloseHover
                           : selected                    ? kCloseSelected
                                                         : kCloseOther;
    const Rect close = CloseButtonRect(tabStyle_, place);
    skin_->DrawClose(area, tabStyle_, cell, close.x, close.y);
}

void uTab::DrawCaption(HDC hDC, const std::wstring& text, const Rect& rc) {
    SIZE size{};
    GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    if (size.cx > rc.w)
        DrawTextRect(hDC, text, -1, rc.x, rc.y + RoundHalfEven((rc.h - size.cy) / 2.0), rc.w, rc.h,
                     DT_END_ELLIPSIS);
    else
        DrawTextRect(hDC, text, -1, rc.x, rc.y, rc.w, rc.h, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void uTab::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (compositeDC_) BitBlt(dc, 0, 0, StripWidth(), StripHeight(), compositeDC_.get(), 0, 0, SRCCOPY);
    EndPaint(hwnd(), &ps);
}
