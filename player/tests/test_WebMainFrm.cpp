// The player's window in the test process: start-up with and without an
// address, the layout of every control, the caption and tool buttons, tabs
// kept one per address and following their page's title, closing tabs,
// dragging by the strip, tab tooltips, shut-down, and missing skin files.
#include "PlayerFixture.h"

#include <gmock/gmock.h>
#include "PlayerLayout.h"
#include "PortalConfig.h"
#include "ProcessCounters.h"
#include "TempDir.h"
#include "ToolTipText.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class WebMainFrmTest : public PlayerFixture {};

TEST_F(WebMainFrmTest, StartsWithTheAddressInOneSelectedTabWhoseCaptionFollowsTheTitle) {
    const std::wstring a = Url("a");
    Start(a);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(frm->Caption(), L"Brisco-网页游戏");
    EXPECT_EQ((*frm->WebBForm).Caption(), L"Brisco-网页游戏");
    EXPECT_EQ((*frm->WebBForm).frmHwnd(), frm->hWnd());
    EXPECT_EQ(frm->PortalUrl(), kPortalUrl);
    ASSERT_EQ(Tabs().Count(), 1);
    EXPECT_EQ(Tabs().FindItem(L"Game" + a), 0);
    EXPECT_EQ(Tabs().Selected(), 0);
    // The key until the page reports its title, then the title.
    EXPECT_THAT(Captions(), ElementsAre(L"Game" + a));
    ASSERT_TRUE(PumpUntil([&] { return Captions() == std::vector<std::wstring>{L"Game a"}; }, 20000));
    EXPECT_EQ(http.RequestCount("/a"), 1u);
    EXPECT_EQ(Page(0).wb->LocationURL(), a);
    EXPECT_TRUE(IsWindowVisible(Page(0).hwnd()));
    EXPECT_EQ(GetParent(Page(0).hwnd()), frm->pCnt.hWnd());

    // A title that changes changes the caption each time.
    Page(0).wb->Navigate(Url("b"));
    ASSERT_TRUE(PumpUntil([&] { return Captions() == std::vector<std::wstring>{L"Game b"}; }, 20000));
    EXPECT_EQ(Tabs().FindItem(L"Game" + a), 0);  // the key stays
}

BOOL CALLBACK FindByCaption(HWND hwnd, LPARAM lParam) {
    auto* found = reinterpret_cast<std::pair<std::wstring, HWND>*>(lParam);
    wchar_t text[128] = L"";
    GetWindowTextW(hwnd, text, 128);
    if (IsWindowVisible(hwnd) && found->first == text) {
        found->second = hwnd;
        return FALSE;
    }
    return TRUE;
}

TEST_F(WebMainFrmTest, ALinkToANewWindowGetsTheBrowsersOwnWindowAndNoTab) {
    http.Route("/links", TestHttpServer::Text("<html><head><title>Links</title></head><body>"
                                              "<a href=\"/b\" target=\"_blank\">b</a></body></html>"));
    Start(Url("links"));
    ASSERT_TRUE(PumpUntil([&] { return Captions() == std::vector<std::wstring>{L"Links"}; }, 20000));
    const HWND view = Page(0).wb.hwnd();
    SendMessageW(view, WM_KEYDOWN, VK_TAB, 0);
    SendMessageW(view, WM_KEYDOWN, VK_RETURN, 0);
    std::pair<std::wstring, HWND> popup{L"Game b", nullptr};
    ASSERT_TRUE(PumpUntil([&] {
        EnumThreadWindows(GetCurrentThreadId(), FindByCaption, reinterpret_cast<LPARAM>(&popup));
        return popup.second != nullptr;
    }, 20000));
    EXPECT_NE(popup.second, frm->hWnd());
    EXPECT_EQ(Tabs().Count(), 1);
    EXPECT_EQ(Captions(), std::vector<std::wstring>{L"Links"});
    SendMessageW(popup.second, WM_CLOSE, 0, 0);
}

TEST_F(WebMainFrmTest, BorderlessWindowLaysOutEveryControl) {
    Start(Url("a"));
    const LONG style = GetWindowLongW(frm->hWnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
    RECT client;
    GetClientRect(frm->hWnd(), &client);
    EXPECT_EQ(client.right, 1036);
    EXPECT_EQ(client.bottom, 639);

    // Rounded region one pixel beyond the inner area, corners cut.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(frm->hWnd(), rgn), ERROR);
    EXPECT_TRUE(PtInRegion(rgn, 1035, 320));
    EXPECT_TRUE(PtInRegion(rgn, 518, 638));
    EXPECT_TRUE(PtInRegion(rgn, 518, 0));
    EXPECT_FALSE(PtInRegion(rgn, 1035, 638));
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 1037, 320));
    DeleteObject(rgn);

    const RECT bar = Place((*frm->WebBForm).hwnd());
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.right, 1036);
    // Caption buttons: W - 730, - 1105, - 1465, - 1825 twips, 1 pixel down.
    const std::pair<iButton*, RECT> buttons[] = {{&(*frm->web_close), {987, 1, 987 + 43, 19}},
                                                 {&(*frm->web_minmax), {962, 1, 962 + 25, 19}},
                                                 {&(*frm->web_min), {938, 1, 938 + 24, 19}},
                                                 {&(*frm->web_tool), {914, 1, 914 + 24, 19}}};
    for (const auto& [button, want] : buttons) {
        const RECT got = Place(button->hwnd());
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        EXPECT_EQ(got.bottom, want.bottom);
        EXPECT_TRUE(IsWindowVisible(button->hwnd()));
        EXPECT_TRUE(button->BackPicture());
    }
    EXPECT_EQ((*frm->web_tool).Style(), 1);
    EXPECT_EQ((*frm->web_minmax).Style(), 1);
    EXPECT_EQ((*frm->web_close).Style(), 0);

    // The strip: 100, 45 twips, SW - 2000 wide, 32 pixels high, style 1.
    const RECT strip = Place((*frm->WebuTab).hwnd());
    EXPECT_EQ(strip.left, 7);
    EXPECT_EQ(strip.top, 3);
    EXPECT_EQ(strip.right - strip.left, 903);
    EXPECT_EQ(strip.bottom - strip.top, 32);
    EXPECT_EQ((*frm->WebuTab).TabStyle(), 1);
    EXPECT_EQ((*frm->WebuTab).TabLeftSize(), 40);
    EXPECT_EQ((*frm->WebuTab).TabRightSize(), 0);
    EXPECT_EQ((*frm->WebuTab).hContainerWnd(), frm->pCnt.hWnd());

    // The pages start at the strip's height, under its lower part.
    const RECT pages = Place(frm->pCnt.hWnd());
    EXPECT_EQ(pages.left, 4);
    EXPECT_EQ(pages.top, 32);
    EXPECT_EQ(pages.right, 4 + 1028);
    EXPECT_EQ(pages.bottom, 32 + 603);
    EXPECT_FALSE(IsWindowVisible(frm->Pic_Btn.hWnd()));

    const RECT logo = Place(frm->PicLogo.hWnd());
    EXPECT_EQ(logo.left, 12);
    EXPECT_EQ(logo.top, 2);
    EXPECT_TRUE(frm->PicLogo.Picture());
    // In front of the title bar and the strip, so it shows.
    EXPECT_EQ(ChildWindowFromPointEx(frm->hWnd(), POINT{20, 10}, CWP_SKIPINVISIBLE), frm->PicLogo.hWnd());
    EXPECT_EQ(ChildWindowFromPointEx(frm->hWnd(), POINT{990, 5}, CWP_SKIPINVISIBLE), (*frm->web_close).hwnd());
}

TEST_F(WebMainFrmTest, ToolToggleGrowsTheWindowAndShowsTheToolStripAtTheBottom) {
    Start(Url("a"));
    RECT before;
    GetWindowRect(frm->hWnd(), &before);
    const int heightTwips = frm->Height();
    Press((*frm->web_tool));
    EXPECT_TRUE((*frm->web_tool).Value());
    EXPECT_EQ(frm->Height(), heightTwips + 1005);  // 1000 twips, to whole pixels
    RECT client;
    GetClientRect(frm->hWnd(), &client);
    EXPECT_EQ(client.bottom, 639 + 67);
    ASSERT_TRUE(IsWindowVisible(frm->Pic_Btn.hWnd()));
    const RECT tools = Place(frm->Pic_Btn.hWnd());
    EXPECT_EQ(tools.left, 4);
    EXPECT_EQ(tools.right, 4 + 1028);
    EXPECT_EQ(tools.bottom - tools.top, 52);
    EXPECT_EQ(tools.bottom, client.bottom - 4);
    const RECT pages = Place(frm->pCnt.hWnd());
    EXPECT_EQ(pages.top, 32);
    EXPECT_EQ(pages.bottom, tools.top);

    // Tool buttons inside the strip, with their pictures and end pieces.
    const struct {
        iButton* button;
        int left;
        const wchar_t* tip;
    } tools_[] = {{&*frm->Btn_Cache, 16, L"清理缓存"},
                  {&*frm->Btn_Home, 60, L"官方网站"},
                  {&*frm->Btn_customer, 104, L"客服"},
                  {&*frm->Btn_Pay, 148, L"充值"}};
    for (const auto& [button, left, tip] : tools_) {
        EXPECT_EQ(TipText(button->hwnd()), tip);
        RECT r;
        GetWindowRect(button->hwnd(), &r);
        MapWindowPoints(nullptr, frm->Pic_Btn.hWnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, left);
        EXPECT_EQ(r.top, 12);
        EXPECT_EQ(r.right - r.left, 43);
        EXPECT_EQ(r.bottom - r.top, 29);
        EXPECT_FALSE(button->AutoSize());
        EXPECT_TRUE(button->BackPicture());
    }
    EXPECT_EQ(frm->ImgLeft.Left(), 0);
    EXPECT_EQ(frm->ImgRight.Left(), 15420 - 135);
    EXPECT_TRUE(frm->ImgLeft.Picture());
    EXPECT_TRUE(frm->ImgRight.Picture());
    // The stretched middle piece fills the strip between the buttons.
    HDC dc = frm->Pic_Btn.hDC();
    EXPECT_EQ(GetPixel(dc, 500, 30), RGB(196, 214, 236));
    EXPECT_EQ(GetPixel(dc, 1000, 30), RGB(196, 214, 236));

    Press((*frm->web_tool));
    EXPECT_FALSE((*frm->web_tool).Value());
    EXPECT_EQ(frm->Height(), heightTwips);
    EXPECT_FALSE(IsWindowVisible(frm->Pic_Btn.hWnd()));
    EXPECT_EQ(Place(frm->pCnt.hWnd()).bottom, 32 + 603);
}

TEST_F(WebMainFrmTest, PortalButtonsKeepOneTabPerAddress) {
    Start(Url("a"));
    Press((*frm->Btn_Home));
    ASSERT_EQ(Tabs().Count(), 2);
    EXPECT_EQ(Tabs().FindItem(L"Game" + std::wstring(kPortalUrl)), 1);
    EXPECT_EQ(Tabs().Selected(), 1);
    Tabs().Selected(0);
    Press((*frm->Btn_Home));
    EXPECT_EQ(Tabs().Count(), 2);
    EXPECT_EQ(Tabs().Selected(), 1);
    EXPECT_TRUE(IsWindowVisible(Page(1).hwnd()));

    Press((*frm->Btn_Pay));
    Press((*frm->Btn_customer));
    Press((*frm->Btn_Pay));
    ASSERT_EQ(Tabs().Count(), 4);
    EXPECT_EQ(Tabs().FindItem(L"Game" + std::wstring(kPortalUrl) + L"/html/chongzhi.html"), 2);
    EXPECT_EQ(Tabs().FindItem(L"Game" + std::wstring(kPortalUrl) + L"/kefu.htm"), 3);
    EXPECT_EQ(Tabs().Selected(), 2);

    // The cache purge opens nothing and says nothing.
    Press((*frm->Btn_Cache));
    EXPECT_EQ(Tabs().Count(), 4);
    EXPECT_TRUE(messages.empty());
}

// Clicks the close button of tab i on the strip.
void CloseTab(uTab& strip, long i) {
    CTabItem& item = *strip.TabItems().Item(i);
    const int x = strip.TabLeftSize() + item.Left() + item.Width() - 20 + 6, y = 13;
    SendMessageW(strip.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageW(strip.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(strip.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TEST_F(WebMainFrmTest, ClosingOneOfTwoTabsKeepsThePlayerClosingTheLastEndsIt) {
    Start(Url("a"));
    Press((*frm->Btn_Home));
    ASSERT_EQ(Tabs().Count(), 2);
    const HWND first = Page(0).hwnd(), second = Page(1).hwnd();
    CloseTab((*frm->WebuTab), 1);
    EXPECT_EQ(Tabs().Count(), 1);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(frm->Loaded());

    CloseTab((*frm->WebuTab), 0);
    EXPECT_FALSE(frm->Loaded());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(Form::LoadedCount(), 0);
}

TEST_F(WebMainFrmTest, ShutDownUnloadsEveryPage) {
    Start(Url("a"));
    Press((*frm->Btn_Home));
    Press((*frm->Btn_Pay));
    std::vector<HWND> pages;
    for (long i = 0; i < Tabs().Count(); ++i) pages.push_back(Page(i).hwnd());
    Press((*frm->web_close));
    EXPECT_FALSE(frm->Loaded());
    for (HWND page : pages) EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(Form::LoadedCount(), 0);
}

TEST_F(WebMainFrmTest, SystemCloseCommandEndsThePlayer) {
    Start(Url("a"));
    const HWND page = Page(0).hwnd();
    SendMessageW(frm->hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(frm->Loaded());
    EXPECT_FALSE(IsWindow(page));
}

TEST_F(WebMainFrmTest, MinimiseAndMaximiseToTheWorkArea) {
    Start(Url("a"));
    Press((*frm->web_minmax));
    EXPECT_TRUE((*frm->web_minmax).Value());
    RECT work, window;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(frm->hWnd(), &window);
    EXPECT_EQ(window.right - window.left, work.right - work.left);
    EXPECT_EQ(window.bottom - window.top, work.bottom - work.top);
    EXPECT_EQ((*frm->WebBForm).frmHwnd(), nullptr);
    // The layout follows the new size.
    EXPECT_EQ(Place((*frm->web_close).hwnd()).left, TwipsToPixels(PixelsToTwips(window.right - window.left) - 730));

    Press((*frm->web_minmax));
    EXPECT_FALSE((*frm->web_minmax).Value());
    EXPECT_EQ((*frm->WebBForm).frmHwnd(), frm->hWnd());
    GetWindowRect(frm->hWnd(), &window);
    EXPECT_EQ(window.right - window.left, 1036);

    Press((*frm->web_min));
    EXPECT_TRUE(IsIconic(frm->hWnd()));
}

// The right edge dragged past the left one leaves the least window whose
// caption buttons and tab strip still fit, not a window of nothing.
TEST_F(WebMainFrmTest, AnEdgeDraggedPastTheOppositeOneLeavesRoomForTheCaptionButtonsAndTabs) {
    Start(Url("a"));
    RECT window;
    GetWindowRect(frm->hWnd(), &window);
    const int y = (window.top + window.bottom) / 2;
    auto send = [&](UINT msg, int x, WPARAM keys) {
        SetCursorPos(x, y);
        POINT p{x, y};
        ScreenToClient(frm->hWnd(), &p);
        SendMessageW(frm->hWnd(), msg, keys, MAKELPARAM(p.x, p.y));
    };
    send(WM_LBUTTONDOWN, window.right - 2, MK_LBUTTON);
    send(WM_MOUSEMOVE, window.left - 100, MK_LBUTTON);
    send(WM_LBUTTONUP, window.left - 100, 0);
    RECT now;
    GetWindowRect(frm->hWnd(), &now);
    EXPECT_EQ(now.left, window.left);
    EXPECT_EQ(now.right - now.left, TwipsToPixels(PlayerLayout::kMinWidth));
    EXPECT_EQ(now.bottom, window.bottom);
    EXPECT_GT(Place((*frm->web_tool).hwnd()).left, Place(frm->PicLogo.hWnd()).right);
    EXPECT_GT(Place(frm->WebuTab.hwnd()).right, Place(frm->WebuTab.hwnd()).left);
}

// A window that refuses the region (it is gone) does not leave it behind.
TEST_F(WebMainFrmTest, ARegionTheWindowRefusesIsDeleted) {
    Start(Url("a"));
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    const int objects = GdiObjectCount();
    for (int i = 0; i < 10; ++i) frm->RectRgn(gone, 100, 100, 6, 6);
    EXPECT_EQ(GdiObjectCount(), objects);
}

// Records the presses that would move the window, and swallows them.
WNDPROC g_formProc = nullptr;
std::vector<WPARAM> g_ncPresses;
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCLBUTTONDOWN) {
        g_ncPresses.push_back(wParam);
        return 0;
    }
    return CallWindowProcW(g_formProc, hwnd, msg, wParam, lParam);
}

TEST_F(WebMainFrmTest, DragsOnlyFromEmptyStripSpaceAndNotWhenMaximised) {
    Start(Url("a"));
    uTab& strip = (*frm->WebuTab);
    g_formProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(frm->hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
    g_ncPresses.clear();
    const auto press = [&](UINT down, UINT up, WPARAM keys, int x, int y) {
        SendMessageW(strip.hwnd(), down, keys, MAKELPARAM(x, y));
        SendMessageW(strip.hwnd(), up, 0, MAKELPARAM(x, y));
    };
    press(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 600, 10);  // no tab there
    EXPECT_EQ(g_ncPresses, std::vector<WPARAM>{HTCAPTION});
    press(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 20, 10);  // left of the tab area
    EXPECT_EQ(g_ncPresses.size(), 2u);
    press(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 60, 10);  // on the tab
    press(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, 600, 10);  // other buttons make no hit test
    EXPECT_EQ(g_ncPresses.size(), 2u);

    Press((*frm->web_minmax));
    ASSERT_TRUE((*frm->web_minmax).Value());
    press(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 600, 10);
    EXPECT_EQ(g_ncPresses.size(), 2u);
    Press((*frm->web_minmax));
    press(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 600, 10);
    EXPECT_EQ(g_ncPresses.size(), 3u);
    // A double click on the strip runs nothing of the window but the drag.
    SendMessageW(strip.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(600, 10));
    EXPECT_FALSE((*frm->web_minmax).Value());
    SetWindowLongPtrW(frm->hWnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_formProc));
}

TEST_F(WebMainFrmTest, ANewTabShowsItsKeyUntilTheGamePagesTitleArrives) {
    HttpResponse slow = TestHttpServer::Text("<html><head><title>Slow game</title></head><body>s</body></html>");
    slow.delayMs = 1500;
    http.Route("/slow", slow);
    HttpResponse silent;
    silent.neverAnswer = true;
    http.Route("/silent", silent);

    // Every caption the tab shows from its creation to the page's arrival.
    const std::wstring slowUrl = Url("slow");
    Start(slowUrl);
    std::vector<std::wstring> shown{Captions()[0]};
    ASSERT_TRUE(PumpUntil([&] {
        if (Captions()[0] != shown.back()) shown.push_back(Captions()[0]);
        return shown.back() == L"Slow game";
    }, 20000));
    EXPECT_THAT(shown, ElementsAre(L"Game" + slowUrl, L"Slow game"));
    frm->Unload();

    // A page that never comes: the key for good, on the tab and in its tooltip.
    const std::wstring silentUrl = Url("silent");
    Start(silentUrl);
    // The view had posted its start page's news before it asked for the page.
    ASSERT_TRUE(PumpUntil([&] { return http.RequestCount("/silent") == 1; }, 20000));
    PumpUntil([] { return true; });
    EXPECT_THAT(Captions(), ElementsAre(L"Game" + silentUrl));
    SendMessageW((*frm->WebuTab).hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 10));
    EXPECT_EQ(TipText((*frm->WebuTab).hwnd()), L"Game" + silentUrl);
}

TEST_F(WebMainFrmTest, HoveringATabShowsItsCaptionAsTooltip) {
    Start(Url("a"));
    ASSERT_TRUE(PumpUntil([&] { return Captions() == std::vector<std::wstring>{L"Game a"}; }, 20000));
    uTab& strip = (*frm->WebuTab);
    SendMessageW(strip.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 10));
    EXPECT_EQ(frm->WebuTab.ToolTipText(), L"Game a");
    EXPECT_EQ(TipText(strip.hwnd()), L"Game a");
    SendMessageW(strip.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(600, 10));
    EXPECT_EQ(frm->WebuTab.ToolTipText(), L"");
    EXPECT_EQ(TipText(strip.hwnd()), L"<none>");
}

TEST_F(WebMainFrmTest, WithoutAddressShowsTheMessageAndEnds) {
    Start(L"");
    EXPECT_THAT(messages, ElementsAre(L"非法访问，游戏浏览器必须由主程序打开！"));
    EXPECT_EQ(ends, 1);
}

void CopySkinFile(const std::wstring& to, const wchar_t* name) {
    CopyFileW((std::wstring(kDistDir) + L"Skin\\DefaultSkin\\" + name).c_str(),
              (to + L"\\Skin\\DefaultSkin\\" + name).c_str(), FALSE);
}

TEST_F(WebMainFrmTest, AMissingStripSheetStopsWithItsNameOtherPicturesAreLeftOut) {
    TempDir folder;
    CreateDirectoryW((folder.Path() + L"\\Skin").c_str(), nullptr);
    CreateDirectoryW((folder.Path() + L"\\Skin\\DefaultSkin").c_str(), nullptr);
    CopySkinFile(folder.Path(), L"MainMenu.bmp");
    Start(Url("a"), folder.Path());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_THAT(messages[0], HasSubstr(folder.Path() + L"\\skin\\DefaultSkin\\PellowMenu.bmp"));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(http.RequestCount("/a"), 0u);
    frm->Unload();
    frm.reset();
    messages.clear();
    ends = 0;

    // With both sheets and nothing else the player runs, its other controls bare.
    CopySkinFile(folder.Path(), L"PellowMenu.bmp");
    Start(Url("a"), folder.Path());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(Tabs().Count(), 1);
    EXPECT_FALSE((*frm->web_close).BackPicture());
    EXPECT_FALSE((*frm->Btn_Home).BackPicture());
    EXPECT_FALSE(frm->PicLogo.Picture());
    Press((*frm->web_tool));
    EXPECT_TRUE(IsWindowVisible(frm->Pic_Btn.hWnd()));
}

}  // namespace
