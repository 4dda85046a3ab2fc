// How the Flash game page is shown: full screen in its tab (inside the
// maximised main window) or maximised when popped out, popped out of the tab
// strip into a rounded borderless window, and the layout of each state.
#include "CTabItems.h"
#include "FlashGame.h"
#include "FlashGameLayout.h"
#include "IuTab.h"
#include "MainFrm.h"
#include "ProgramFiles.h"
#include "WindowRegion.h"

using namespace FlashGameLayout;

void FlashGame::RectRgn(HWND hwnd, int16_t Top, int16_t Buttom, int16_t w, int16_t h) {
    SetRoundRectRegion(hwnd, Top, Buttom, w, h);
}

void FlashGame::Form_Resize() {
    // Each step goes on whatever the one before it did.
    if (WindowState() == FormWindowStateConstants::Minimized) return;
    try {
        BorderStyle(FormBorderStyleConstants::None);
    } catch (...) {
    }
    try {
        WebBForm.Top(0);
        WebBForm.Left(0);
        WebBForm.Width(Width());
        WebBForm->Printform(*this);
    } catch (...) {
    }
    if (popMode_ == 1) LayOutPoppedOut();
}

void FlashGame::LayOutPoppedOut() {
    const Popped p = PoppedOut(Width(), Height());
    const auto step = [](auto&& action) {
        try {
            action();
        } catch (...) {
        }
    };
    step([&] {
        RectRgn(Form::hwnd(), static_cast<int16_t>(RegionPixels(ScaleWidth())),
                static_cast<int16_t>(RegionPixels(ScaleHeight())), kCornerEllipse, kCornerEllipse);
    });
    step([&] { FlashReplay.Move(p.movie.left, p.movie.top, p.movie.width, p.movie.height); });
    step([&] { ImgRight.Left(p.capRight); });
    step([&] {
        Pic_Btn.Move(p.barLeft, PoppedBarTop(FlashReplay.Height()), p.barWidth);
        PaintToolBar();
    });
    step([&] { Pic_Say.Move(p.barLeft, PoppedBarTop(FlashReplay.Height()), p.barWidth); });
    step([&] {
        web_close.Left(p.closeLeft);
        web_min.Left(p.minLeft);
    });
    step([&] {
        PicUp.Left(p.scrollLeft);
        PicDown.Left(p.scrollLeft);
    });
    step([&] { WebBrowser1.Width(p.helpWidth); });
    // The controls moved with the bar and panel keep no picture on the
    // resized window: all of it paints afresh.
    RedrawWindow(Form::hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The pop-out button shows while the page is in its tab.
bool FlashGame::IsInTab() { return Eject_Tool_Popping.Visible(); }

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
    FlashReplay.Move(f.movie.left, f.movie.top, f.movie.width, f.movie.height);
    Pic_Btn.Top(f.barTop);
    Pic_Say.Top(Pic_Btn.Top());
    Pic_Btn.Width(f.barWidth);
    Pic_Say.Width(f.barWidth);
    main.Show();
    ImgRight.Left(f.capRight);
    // Without its picture the strip shows its background colour.
    Pic_Btn.Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\InitImages\\Pan_Button_middle.gif"));
    PicUp.Left(f.scrollLeft);
    PicDown.Left(f.scrollLeft);
    WebBrowser1.Width(f.helpWidth);
    FlashReplay.SetFocus();
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
    FlashReplay.Move(t.movie.left, t.movie.top, t.movie.width, t.movie.height);
    PicUp.Left(t.scrollLeft);
    PicDown.Left(t.scrollLeft);
    WebBrowser1.Width(t.helpWidth);
    main.Show();
}

void FlashGame::Eject_Tool_Popping_Click() {
    if (Eject_Tool_Pop->Value()) LeaveFullScreenInTab();
    BorderStyle(FormBorderStyleConstants::None);
    if (tabHost_) tabHost_->TabItems().ReleaseForm(static_cast<ITabForm*>(this));
    Eject_Tool_Popping.Visible(false);
    popMode_ = 1;
    Height(kPopHeight);
    Width(kPopWidth);
}
