// How the Flash game page is shown: full screen in its tab (inside the
// maximised main window) or maximised when popped out, popped out of the tab
// strip into a rounded borderless window, and the layout of each state.
#include "CTabItems.h"
#include "FlashGame.h"
#include "FlashGameLayout.h"
#include "MainFrm.h"
#include "ProgramFiles.h"
#include "IuTab.h"
#include "Twips.h"

using namespace FlashGameLayout;

namespace {

int Px(int twips) { return TwipsToPixels(twips); }

// Geometry of a component window in twips of its parent's client area.
void PlaceTwips(HWND control, int left, int top, int width, int height) {
    SetWindowPos(control, nullptr, Px(left), Px(top), Px(width), Px(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT InParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MoveLeft(HWND control, int left) {
    const RECT r = InParent(control);
    SetWindowPos(control, nullptr, Px(left), r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetWidth(HWND control, int width) {
    const RECT r = InParent(control);
    SetWindowPos(control, nullptr, 0, 0, Px(width), r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void FlashGame::RectRgn(HWND hwnd, int16_t Top, int16_t Buttom, int16_t w, int16_t h) {
    // The window owns the region once SetWindowRgn accepts it.
    HRGN region = CreateRoundRectRgn(0, 0, Top, Buttom, w, h);
    if (region && !SetWindowRgn(hwnd, region, TRUE)) DeleteObject(region);
}

void FlashGame::Form_Resize() {
    // Each step goes on whatever the one before it did.
    if (WindowState() == FormWindowStateConstants::Minimized) return;
    try {
        BorderStyle(FormBorderStyleConstants::None);
    } catch (...) {
    }
    try {
        if (WebBForm) {
            PlaceTwips(WebBForm->hwnd(), 0, 0, Width(), 500);
            WebBForm->Printform(*this);
        }
    } catch (...) {
    }
    if (popMode_ == 1) LayOutPoppedOut();
}

void FlashGame::LayOutPoppedOut() {
    const Popped p = PoppedOut(Width(), Height());
    try {
        RectRgn(Form::hwnd(), static_cast<int16_t>(RegionPixels(ScaleWidth())),
                static_cast<int16_t>(RegionPixels(ScaleHeight())), kCornerEllipse, kCornerEllipse);
    } catch (...) {
    }
    try {
        PlaceTwips(FlashReplay->hwnd(), p.movie.left, p.movie.top, p.movie.width, p.movie.height);
    } catch (...) {
    }
    try {
        ImgRight.Left(p.capRight);
    } catch (...) {
    }
    const int movieHeight = PixelsToTwips(FlashReplay->Height());
    try {
        Pic_Btn.Move(p.barLeft, PoppedBarTop(movieHeight), p.barWidth);
        PaintToolBar();
    } catch (...) {
    }
    try {
        Pic_Say.Move(p.barLeft, PoppedBarTop(movieHeight), p.barWidth);
    } catch (...) {
    }
    try {
        MoveLeft(web_close->hwnd(), p.closeLeft);
        MoveLeft(web_min->hwnd(), p.minLeft);
    } catch (...) {
    }
    try {
        MoveLeft(PicUp->hwnd(), p.scrollLeft);
        MoveLeft(PicDown->hwnd(), p.scrollLeft);
    } catch (...) {
    }
    try {
        SetWidth(WebBrowser1->hwnd(), p.helpWidth);
    } catch (...) {
    }
}

// The pop-out button shows while the page is in its tab.
bool FlashGame::IsInTab() const { return (GetWindowLongW(Eject_Tool_Popping->hwnd(), GWL_STYLE) & WS_VISIBLE) != 0; }

void FlashGame::Eject_Tool_Pop_Click() {
    if (Eject_Tool_Pop->Value())
        FullScreenOn();
    else
        FullScreenOff();
}

void FlashGame::FullScreenOn() {
    const bool inTab = IsInTab();
    MainFrm& main = TheMainFrm();
    if (inTab) {
        main.IsResize = L"1";
        main.WindowState(FormWindowStateConstants::Maximized);
        Width(main.Width());
        Height(main.Height());
    } else {
        WindowState(FormWindowStateConstants::Maximized);
        Pic_Btn.Left(0);
    }
    const Full f = FullScreen(Width(), Height());
    PlaceTwips(FlashReplay->hwnd(), f.movie.left, f.movie.top, f.movie.width, f.movie.height);
    Pic_Btn.Top(f.barTop);
    Pic_Say.Top(Pic_Btn.Top());
    Pic_Btn.Width(f.barWidth);
    Pic_Say.Width(f.barWidth);
    main.Show();
    ImgRight.Left(f.capRight);
    // Without its picture the strip shows its background colour.
    Pic_Btn.Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\InitImages\\Pan_Button_middle.gif"));
    MoveLeft(PicUp->hwnd(), f.scrollLeft);
    MoveLeft(PicDown->hwnd(), f.scrollLeft);
    SetWidth(WebBrowser1->hwnd(), f.helpWidth);
    FlashReplay->SetFocus();
}

void FlashGame::FullScreenOff() {
    if (!IsInTab()) {
        WindowState(FormWindowStateConstants::Normal);
        Pic_Btn.Left(kFrameMargin);
        return;
    }
    LeaveFullScreenInTab();
}

void FlashGame::LeaveFullScreenInTab() {
    MainFrm& main = TheMainFrm();
    main.IsResize = L"0";
    main.WindowState(FormWindowStateConstants::Normal);
    const InTab t = BackInTab();
    Width(t.pageWidth);
    Height(t.pageHeight);
    Pic_Btn.Top(t.barTop);
    Pic_Say.Top(Pic_Btn.Top());
    Pic_Btn.Width(t.barWidth);
    Pic_Say.Width(t.barWidth);
    PlaceTwips(FlashReplay->hwnd(), t.movie.left, t.movie.top, t.movie.width, t.movie.height);
    MoveLeft(PicUp->hwnd(), t.scrollLeft);
    MoveLeft(PicDown->hwnd(), t.scrollLeft);
    SetWidth(WebBrowser1->hwnd(), t.helpWidth);
    main.Show();
}

void FlashGame::Eject_Tool_Popping_Click() {
    if (Eject_Tool_Pop->Value()) LeaveFullScreenInTab();
    BorderStyle(FormBorderStyleConstants::None);
    if (tabHost_) tabHost_->TabItems().ReleaseForm(static_cast<ITabForm*>(this));
    ShowWindow(Eject_Tool_Popping->hwnd(), SW_HIDE);
    popMode_ = 1;
    Height(kPopHeight);
    Width(kPopWidth);
}
