// The main window on real windows: its outline, strip, buttons and tray
// icon, closing to the tray or quitting, the whole-window layout, the drag
// zones, the DDE "Show" and the advertisement probe.
#include <gtest/gtest.h>

#include <algorithm>

#include "CTabItem.h"
#include "CTabItems.h"
#include "ControlToolTips.h"
#include "DragRecorder.h"
#include "LauncherEnv.h"
#include "MainGame.h"
#include "MainFrm.h"
#include "MainFrmTray.h"
#include "MainMe.h"
#include "ProcessCounters.h"
#include "Pump.h"
#include "TestHttpServer.h"
#include "WebBrowser.h"
#include "WindowRects.h"
#include "iButton.h"
#include "uTab.h"

namespace {

class MainFrmTest : public ::testing::Test {
protected:
    void TearDown() override { f.Unload(); }
    LauncherEnv env;
    MainFrm& f = TheMainFrm();
};

TEST_F(MainFrmTest, OpensRoundedWithStripButtonsIconsAndTray) {
    f.Show();
    HWND h = f.hwnd();
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    EXPECT_EQ(wr.right - wr.left, 801);
    EXPECT_EQ(wr.bottom - wr.top, 589);
    EXPECT_EQ(cr.right, 801);  // no caption, no sizing border
    EXPECT_EQ(cr.bottom, 589);
    EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & WS_MINIMIZEBOX);

    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(h, rgn), ERROR);
    RECT box;
    GetRgnBox(rgn, &box);
    // A round-rectangle region leaves out its right and bottom edge.
    EXPECT_EQ(box.right, 800);
    EXPECT_EQ(box.bottom, 588);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));  // rounded corners
    EXPECT_FALSE(PtInRegion(rgn, 799, 587));
    EXPECT_TRUE(PtInRegion(rgn, 3, 3));
    EXPECT_TRUE(PtInRegion(rgn, 400, 0));
    DeleteObject(rgn);

    wchar_t title[32];
    GetWindowTextW(h, title, 32);
    EXPECT_STREQ(title, L"Brisco");
    EXPECT_EQ(f.IsResize, L"0");
    EXPECT_EQ(f.TimerRight.Interval(), 0);

    CTabItems& items = f.frmuTab->TabItems();
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(0L)->Caption(), L"我的盒子");
    EXPECT_EQ(items.Item(1L)->Caption(), L"找游戏");
    for (long i = 0; i < 2; ++i) {
        EXPECT_TRUE(items.Item(i)->HideButton());
        EXPECT_TRUE(items.Item(i)->LockSize());
    }
    EXPECT_EQ(items.Item(0L)->Form()->hwnd(), f.Me().hwnd());
    EXPECT_EQ(f.frmuTab->hContainerWnd(), f.pCnt.hWnd());

    const RECT strip = RectIn(f.frmuTab->hwnd(), h);
    EXPECT_EQ(strip.left, 45);
    EXPECT_EQ(strip.top, 8);
    EXPECT_EQ(strip.right - strip.left, 660);
    EXPECT_EQ(strip.bottom - strip.top, 25);
    const RECT cnt = RectIn(f.pCnt.hWnd(), h);
    EXPECT_EQ(cnt.left, 4);
    EXPECT_EQ(cnt.top, 34);
    EXPECT_EQ(cnt.right - cnt.left, 791);
    EXPECT_EQ(cnt.bottom - cnt.top, 550);

    struct Btn {
        iButton* b;
        int x, cx;
    } buttons[] = {{f.W_MenuBtn.Live(), 704, 25}, {f.W_MinBtn.Live(), 728, 24}, {f.W_Close.Live(), 752, 43}};
    for (const Btn& b : buttons) {
        ASSERT_NE(b.b, nullptr);
        const RECT r = RectIn(b.b->hwnd(), h);
        EXPECT_EQ(r.left, b.x);
        EXPECT_EQ(r.top, 1);
        EXPECT_EQ(r.right - r.left, b.cx);
        EXPECT_EQ(r.bottom - r.top, 18);
        EXPECT_TRUE(b.b->BackPicture() != nullptr);
    }

    EXPECT_FALSE(f.Pic(0).Picture());
    // The menus' icons come once the window has painted.
    EXPECT_TRUE(PumpUntil([&] { return f.Pic(5).Picture() != nullptr; }));
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(f.Pic(i).Picture()) << i;
        EXPECT_EQ(f.Pic(i).Picture()->Type(), PictureTypeConstants::Icon);
        EXPECT_FALSE(f.Pic(i).Visible());
    }
    ASSERT_TRUE(f.Picture());
    EXPECT_NE(f.LogoDC(), nullptr);

    const NOTIFYICONDATAW& tray = f.TrayIconData();
    EXPECT_EQ(tray.hWnd, h);
    EXPECT_EQ(tray.uID, 0u);
    EXPECT_EQ(tray.uFlags, 7u);
    EXPECT_EQ(tray.uCallbackMessage, 1147u);
    EXPECT_EQ(std::wstring(tray.szTip).substr(0, 7), L"Brisco ");
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TrayWndProc));

    ASSERT_NE(f.WebRight.Live(), nullptr);
    const RECT web = RectIn(f.WebRight.Live()->hwnd(), h);
    EXPECT_EQ(web.left, 456);
    EXPECT_EQ(web.top, 408);
    EXPECT_EQ(web.right - web.left, 81);
    EXPECT_EQ(web.bottom - web.top, 57);
}

// The catalogue page fills in after the window's first paint; chosen
// sooner, it fills in as it shows: the bar's pictures, the first category
// locked and the catalogue's first page.
TEST_F(MainFrmTest, CatalogueChosenBeforeTheFirstPaintShowsFilledIn) {
    TestHttpServer server;
    server.Route("/orvane/html/topleft/0.html", TestHttpServer::Text("<html><body>first</body></html>"));
    PortalUrl = server.BaseUrlW();
    f.Show();
    CTabItems& items = f.frmuTab->TabItems();
    items.Selected(1L);  // before any message has been pumped
    auto* page = dynamic_cast<MainGame*>(items.Item(1L)->Form().get());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(IsWindowVisible(page->hwnd()));
    ASSERT_NE(page->Btn_flash.Live(), nullptr);
    EXPECT_TRUE(page->Btn_flash.Live()->Locked());
    EXPECT_TRUE(page->Btn_flash.Live()->BackPicture() != nullptr);
    EXPECT_TRUE(page->PicBtnBg.Picture());
    EXPECT_TRUE(PumpUntil([&] { return page->CurrentPageUrl() == server.BaseUrlW() + L"/orvane/html/topleft/0.html"; },
                          20000));
}

TEST_F(MainFrmTest, StripBackgroundComesFromTheLogoBitmap) {
    f.Show();
    HDC logo = f.LogoDC();
    ASSERT_NE(logo, nullptr);
    PumpFor(100);
    HWND strip = f.frmuTab->hwnd();
    HDC dc = GetDC(strip);
    // Right of the tabs the last column of the logo's area is stretched.
    for (int y : {2, 12, 22}) EXPECT_EQ(GetPixel(dc, 640, y), GetPixel(logo, 40 + 171, 8 + y)) << y;
    ReleaseDC(strip, dc);
}

TEST_F(MainFrmTest, CloseHidesToTrayWhenInstallSaysOneAndTrayShowsAgain) {
    env.Exec(L"Update Install Set I_Close = 1");
    f.Show();
    f.W_Close_Click();
    EXPECT_TRUE(f.Loaded());
    EXPECT_FALSE(IsWindowVisible(f.hwnd()));
    EXPECT_TRUE(env.shells.empty());
    SendMessageW(f.hwnd(), kTrayCallbackMessage, 0, WM_MOUSEMOVE);
    EXPECT_FALSE(IsWindowVisible(f.hwnd()));
    SendMessageW(f.hwnd(), kTrayCallbackMessage, 0, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(f.hwnd()));
    // A click on the close button's picture goes the same road.
    POINT at{10, 9};
    ClientToScreen(f.W_Close.Live()->hwnd(), &at);
    SetCursorPos(at.x, at.y);
    SendMessageW(f.W_Close.Live()->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(f.W_Close.Live()->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(IsWindowVisible(f.hwnd()));
    EXPECT_TRUE(f.Loaded());
}

TEST_F(MainFrmTest, CloseQuitsOnZeroOrWithoutRowAndEndsThePlayers) {
    for (const wchar_t* setup : {L"Update Install Set I_Close = 0", L"Delete From Install"}) {
        env.shells.clear();
        env.Exec(setup);
        f.Show();
        HWND h = f.hwnd();
        f.W_Close_Click();
        EXPECT_FALSE(f.Loaded()) << setup;
        EXPECT_FALSE(IsWindow(h));
        // The players' end is on its way before the launcher ends itself.
        EXPECT_EQ(env.shells, (std::vector<std::wstring>{L"cmd.exe /c taskkill /im Pellow.exe /f",
                                                         L"cmd.exe /c taskkill /im Orvane.exe /f"}));
        EXPECT_EQ(env.styles, std::vector<VbAppWinStyle>(2, VbAppWinStyle::Hide));
        env.styles.clear();
    }
}

// "我的盒子" sets the tips of its buttons once the window has painted: they
// go with the main window. Counted from a showing like the others, its work
// after the first paint (tips, menu icons) done, so that what is made once
// for the process is not counted.
TEST_F(MainFrmTest, ShownAndUnloadedAgainAndAgainLeavesNoWindowOrGdiObject) {
    // Its pages show the not-found page at once: nothing of theirs is on its way.
    PortalUrl = L"http://127.0.0.1:1";
    auto showAndUnload = [&] {
        f.Show();
        const bool afterPaint = PumpUntil([&] {
            return ControlToolTipWindow(f.Me().Btn_GameAll.hwnd()) != nullptr && f.Pic(5).Picture() != nullptr;
        });
        f.Unload();
        return afterPaint;
    };
    ASSERT_TRUE(showAndUnload());
    const int windows = TopLevelWindowCount(), objects = GdiObjectCount();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(showAndUnload());
    PumpFor(30);
    EXPECT_EQ(TopLevelWindowCount(), windows);
    // Wine's cache of window DCs (three objects an entry) may still grow a little.
    EXPECT_LT(GdiObjectCount(), objects + 10);
}

TEST_F(MainFrmTest, WholeWindowLayoutAndBack) {
    f.Show();
    HWND h = f.hwnd();
    f.IsResize = L"1";
    f.Move(0, 0, 1000 * 15, 700 * 15);  // as the Flash page's full screen does
    PumpFor(50);
    RECT cr;
    GetClientRect(h, &cr);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(h, rgn);
    RECT box;
    GetRgnBox(rgn, &box);
    EXPECT_EQ(cr.right, 1000);
    EXPECT_EQ(box.right, cr.right + 10 - 1);
    EXPECT_EQ(box.bottom, cr.bottom + 10 - 1);
    EXPECT_TRUE(PtInRegion(rgn, 0, 0));  // square corners
    const RECT cnt = RectIn(f.pCnt.hWnd(), h);
    EXPECT_EQ(cnt.left, 0);
    EXPECT_EQ(cnt.top, 0);
    EXPECT_EQ(cnt.right, cr.right);
    EXPECT_EQ(cnt.bottom, cr.bottom);

    f.IsResize = L"0";
    f.Move(0, 0, 801 * 15, 589 * 15);
    PumpFor(50);
    GetWindowRgn(h, rgn);
    GetRgnBox(rgn, &box);
    EXPECT_EQ(box.right, 800);
    EXPECT_EQ(box.bottom, 588);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    const RECT back = RectIn(f.pCnt.hWnd(), h);
    EXPECT_EQ(back.left, 4);
    EXPECT_EQ(back.top, 34);
    EXPECT_EQ(back.right - back.left, 791);
    const RECT strip = RectIn(f.frmuTab->hwnd(), h);
    EXPECT_EQ(strip.left, 45);
    EXPECT_EQ(strip.top, 8);
    DeleteObject(rgn);
}

TEST_F(MainFrmTest, DragStartsOnTheTopBandAndOnTheStripOutsideTabs) {
    f.Show();
    HWND h = f.hwnd();
    DragRecorder rec(h);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 21));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(300, 21));
    EXPECT_EQ(rec.drags, 0);
    SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    SendMessageW(h, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(rec.drags, 0);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(rec.drags, 1);
    HWND strip = f.frmuTab->hwnd();
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(620, 12));  // right of the tabs
    SendMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(620, 12));
    EXPECT_EQ(rec.drags, 2);
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 12));  // on the first tab
    SendMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(70, 12));
    EXPECT_EQ(rec.drags, 2);
}

TEST_F(MainFrmTest, ShowCommandRestoresAndOtherCommandsAreDropped) {
    f.Show();
    f.Me();
    f.frmuTab->Selected(1);
    f.WindowState(FormWindowStateConstants::Minimized);
    PumpFor(50);
    ASSERT_TRUE(IsIconic(f.hwnd()));
    for (const wchar_t* cmd : {L"Count", L"ShowTime", L"CommandLine=-x"}) {
        EXPECT_TRUE(f.DeliverLinkExecute(cmd));
        EXPECT_TRUE(IsIconic(f.hwnd())) << cmd;
    }
    EXPECT_TRUE(f.DeliverLinkExecute(L"Show"));
    EXPECT_FALSE(IsIconic(f.hwnd()));
    EXPECT_TRUE(IsWindowVisible(f.hwnd()));
    f.Hide();
    EXPECT_TRUE(f.DeliverLinkExecute(L"Show"));
    EXPECT_TRUE(IsWindowVisible(f.hwnd()));
    EXPECT_EQ(f.frmuTab->Selected(), 1);
    EXPECT_EQ(f.frmuTab->TabItems().Count(), 2);
}

TEST(MainFrmProbe, NotFoundPageArmsNoTimerAndAnyOtherPageArmsFiveSeconds) {
    TestHttpServer server;
    server.Route("/orvane/html/ad/adright.html",
                 TestHttpServer::Text("<html><body><p>无法找到\n该 页</p></body></html>"));
    LauncherEnv env;
    PortalUrl = server.BaseUrlW();
    MainFrm& f = TheMainFrm();
    f.Show();
    std::wstring seen;
    f.WebRight.Live()->DocumentComplete = [&](const std::wstring& url) {
        seen = url;
        f.WebRight_DocumentComplete(url);
    };
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }, 15000));
    EXPECT_EQ(f.TimerRight.Interval(), 0);

    server.Route("/orvane/html/ad/adright.html", TestHttpServer::Text("<html><body>新游戏上线</body></html>"));
    seen.clear();
    f.WebRight.Live()->Navigate(GetAdRightUrl());
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }, 15000));
    EXPECT_EQ(f.TimerRight.Interval(), 5000);
    f.Unload();
}

}  // namespace
