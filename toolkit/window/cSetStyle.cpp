#include "cSetStyle.h"

#include <algorithm>
#include <cstdlib>

#include "ModGetTaskbarHei.h"
#include "Twips.h"

namespace {

constexpr DWORD kBorderlessStyle = WS_SYSMENU | WS_MINIMIZEBOX;  // 655360
constexpr int kNear = 5;

MousePointerConstants PointerOf(int zone) {
    switch (zone) {
        case 0: case 4: return MousePointerConstants::SizeNS;
        case 1: case 5: return MousePointerConstants::SizeNESW;
        case 2: case 6: return MousePointerConstants::SizeWE;
        case 3: case 7: return MousePointerConstants::SizeNWSE;
        default: return MousePointerConstants::Default;
    }
}

POINT Cursor() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

}  // namespace

cSetStyle::cSetStyle()
    : minimum_{PixelsToTwips(GetSystemMetrics(SM_CXMINTRACK)), PixelsToTwips(GetSystemMetrics(SM_CYMINTRACK))} {
    subclass_.MsgCome = [this](bool bBefore, bool&, LRESULT&, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                               LPARAM& lParam) {
        if (bBefore) OnMessage(hWnd, uMsg, wParam, lParam);
    };
}

cSetStyle::~cSetStyle() {
    if (screenDC_) ReleaseDC(nullptr, screenDC_);
}

void cSetStyle::SetWindowStyle(HWND hWnd) {
    hwnd_ = hWnd;
    SetWindowLongW(hWnd, GWL_STYLE, kBorderlessStyle);
    // Without the frame change Windows keeps the old caption and border as
    // non-client area, and the edge zones would see no client mouse messages.
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    subclass_.AddWindowMsgs(hWnd);
}

int cSetStyle::ZoneAt(const RECT& r, int x, int y) {
    const bool left = std::abs(x - r.left) <= kNear, right = std::abs(x - r.right) <= kNear;
    const bool top = std::abs(y - r.top) <= kNear, bottom = std::abs(y - r.bottom) <= kNear;
    const bool insideX = r.left + kNear < x && x < r.right - kNear;
    const bool insideY = r.top + kNear < y && y < r.bottom - kNear;
    if (left && bottom) return 5;
    if (top && left) return 7;
    if (right && bottom) return 3;
    if (right && top) return 1;
    if (top && insideX) return 0;
    if (right && insideY) return 2;
    if (bottom && insideX) return 4;
    if (left && insideY) return 6;
    return -1;
}

void cSetStyle::OnMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_SETTINGCHANGE:
            if (SettingChange) SettingChange();
            if (maximised_ && form_ && !IsIconic(hWnd)) FitToWorkArea();
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE && CloseClick) CloseClick();
            break;
        case WM_MOUSEMOVE: OnMouseMove(wParam); break;
        case WM_LBUTTONDOWN: OnButtonDown(); break;
        case WM_LBUTTONUP: OnButtonUp(); break;
        case WM_CANCELMODE: CancelDrag(); break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) CancelDrag();
            break;
    }
}

void cSetStyle::OnMouseMove(WPARAM keys) {
    last_ = Cursor();
    if (!dragging_ && !maximised_) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        const int zone = ZoneAt(r, last_.x, last_.y);
        if (MouseSize) MouseSize(zone);
        if (form_) form_->MousePointer(PointerOf(zone));
    } else if (dragging_ && (keys & MK_LBUTTON)) {
        MoveBandEdges(last_);
        DrawBand(oldBand_);
        DrawBand(newBand_);
        oldBand_ = newBand_;
    }
}

void cSetStyle::MoveBandEdges(POINT cursor) {
    const LONG width = TwipsToPixels(minimum_.cx), height = TwipsToPixels(minimum_.cy);
    // Zones run clockwise from the top edge (0) to the top-left corner (7).
    if (zone_ == 0 || zone_ == 1 || zone_ == 7) newBand_.top = std::min(cursor.y, newBand_.bottom - height);
    if (zone_ >= 1 && zone_ <= 3) newBand_.right = std::max(cursor.x, newBand_.left + width);
    if (zone_ >= 3 && zone_ <= 5) newBand_.bottom = std::max(cursor.y, newBand_.top + height);
    if (zone_ >= 5 && zone_ <= 7) newBand_.left = std::min(cursor.x, newBand_.right - width);
}

void cSetStyle::OnButtonDown() {
    last_ = Cursor();
    RECT r;
    GetWindowRect(hwnd_, &r);
    const int zone = ZoneAt(r, last_.x, last_.y);
    if (zone == -1 || dragging_ || maximised_) return;
    dragging_ = true;
    zone_ = zone;
    windowAtStart_ = oldBand_ = newBand_ = r;
    start_ = last_;
    // Moves must keep coming while the cursor is outside the window.
    SetCapture(hwnd_);
    screenDC_ = GetDC(nullptr);
    DrawBand(newBand_);
}

void cSetStyle::OnButtonUp() {
    if (!dragging_) return;
    dragging_ = false;
    DrawBand(oldBand_);
    MoveWindow(hwnd_, newBand_.left, newBand_.top, newBand_.right - newBand_.left, newBand_.bottom - newBand_.top,
               TRUE);
    ReleaseDC(nullptr, screenDC_);
    screenDC_ = nullptr;
    if (GetCapture() == hwnd_) ReleaseCapture();
}

void cSetStyle::CancelDrag() {
    if (!dragging_) return;
    dragging_ = false;
    DrawBand(oldBand_);
    ReleaseDC(nullptr, screenDC_);
    screenDC_ = nullptr;
    if (GetCapture() == hwnd_) ReleaseCapture();
}

void cSetStyle::DrawBand(const RECT& r) const {
    if (screenDC_) DrawFocusRect(screenDC_, &r);
}

void cSetStyle::FitToWorkArea() {
    form_->Move(0, 0, PixelsToTwips(GetSystemMetrics(SM_CXSCREEN)),
                PixelsToTwips(GetSystemMetrics(SM_CYSCREEN)) - GetTaskbarHeight());
}

bool cSetStyle::CallWindowStateChange() {
    if (!form_) return maximised_;
    if (maximised_) {
        form_->Move(restoreLeft_, restoreTop_, restoreWidth_, restoreHeight_);
        maximised_ = false;
    } else {
        restoreLeft_ = form_->Left();
        restoreTop_ = form_->Top();
        restoreWidth_ = form_->Width();
        restoreHeight_ = form_->Height();
        FitToWorkArea();
        maximised_ = true;
    }
    return maximised_;
}
