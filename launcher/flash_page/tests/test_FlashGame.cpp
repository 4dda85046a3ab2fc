// The Flash game page on real windows in the main window's tab strip:
// opening a game, replay, scale, favourite against the real sqlite3.dll, the
// help page and its scrolling, the help panel, missing skins, and closing.
#include <gtest/gtest.h>

#include <vector>

#include "FlashGameHost.h"
#include "MsgBox.h"
#include "TempDir.h"
#include "StdPicture.h"
#include "WebFrame.h"
#include "mSqlite.h"
#include "iButton.h"
#include "CTabItem.h"
#include "ControlToolTips.h"
#include "ProcessCounters.h"
#include "TabTestSupport.h"

namespace {

class FlashGameTest : public FlashHostTest {};

std::wstring Dist(const std::wstring& rest) { return DistFolder() + rest; }

TEST_F(FlashGameTest, SavedGameOpensInItsTabPlayingStretchedWithoutMenu) {
    Open(L"Saved Game");
    EXPECT_EQ(page->GameName(), L"Saved Game");
    EXPECT_EQ(page->PopMode(), 0);
    EXPECT_EQ(page->Caption(), L"Saved Game");
    EXPECT_EQ(page->Icon(), main.Icon()) << "the main window's icon";
    EXPECT_EQ(page->WebBForm->Caption(), L"Saved Game");
    EXPECT_EQ(page->WebBForm->frmHwnd(), page->hwnd());
    EXPECT_EQ(page->FlashReplay->LoadedMovies(0),
              (std::vector<std::wstring>{Dist(L"\\Games\\2.swf"), Dist(L"\\Games\\Saved Game.swf")}));
    EXPECT_TRUE(page->FlashReplay->Playing());
    EXPECT_FALSE(page->FlashReplay->Menu());
    EXPECT_EQ(page->FlashReplay->ScaleMode(), 2);
    EXPECT_EQ(GetParent(page->hwnd()), main.pCnt.hWnd()) << "the page lives in the strip's container";
    EXPECT_EQ(Tabs().Item(2L)->Caption(), L"Saved Game");
    EXPECT_TRUE(IsWindowVisible(page->hwnd()));
    // A fresh page shows its tool bar and no help panel.
    EXPECT_TRUE(IsWindowVisible(page->Pic_Btn.hWnd()));
    EXPECT_FALSE(IsWindowVisible(page->Pic_Say.hWnd()));
}

TEST_F(FlashGameTest, StreamedMoviesTakeTheAddressOrThePortalInFront) {
    PortalUrl = L"http://127.0.0.1:1";
    Open(L"Abs", L"", L"http://127.0.0.1:1/swf/abs.swf");
    EXPECT_EQ(page->FlashReplay->LoadedMovies(0),
              (std::vector<std::wstring>{Dist(L"\\Games\\2.swf"), L"http://127.0.0.1:1/swf/abs.swf"}));
    Close(L"Abs");
    Open(L"Rel", L"", L"/swf/rel.swf");
    EXPECT_EQ(page->FlashReplay->Movie().address, L"http://127.0.0.1:1/swf/rel.swf");
    Close(L"Rel");
    Open(L"Caps", L"", L"HTTP://127.0.0.1:1/swf/caps.swf");
    EXPECT_EQ(page->FlashReplay->Movie().address, L"http://127.0.0.1:1HTTP://127.0.0.1:1/swf/caps.swf");
}

TEST_F(FlashGameTest, ReplayOfAStreamedGameTakesTheSavedFileEvenWhenMissing) {
    PortalUrl = L"http://127.0.0.1:1";
    Open(L"Streamed", L"", L"http://127.0.0.1:1/swf/s.swf");
    page->FlashReplay->Playing(false);
    page->Eject_Tool_Replay->Click();
    EXPECT_EQ(page->FlashReplay->LoadedMovies(0),
              (std::vector<std::wstring>{Dist(L"\\Games\\2.swf"), L"http://127.0.0.1:1/swf/s.swf",
                                         Dist(L"\\Games\\1.swf"), Dist(L"\\Games\\Streamed.swf")}));
    EXPECT_EQ(page->FlashReplay->Movie().state, MovieFacts::Missing);
    EXPECT_TRUE(page->FlashReplay->Playing());
}

TEST_F(FlashGameTest, ScaleButtonKeepsProportionsWhenCheckedAndStretchesWhenNot) {
    Open(L"Scale");
    page->Eject_Tool_Filling->Value(true);
    page->Eject_Tool_Filling->Click();
    EXPECT_EQ(page->FlashReplay->ScaleMode(), 0);
    page->Eject_Tool_Filling->Value(false);
    page->Eject_Tool_Filling->Click();
    EXPECT_EQ(page->FlashReplay->ScaleMode(), 2);
}

// A name that could reach outside "\Games\" never names a file: the movie
// counts as missing, on opening and on replay.
TEST_F(FlashGameTest, NameThatIsNoPlainFileNameReadsNoFile) {
    for (const wchar_t* name : {L"..\\..\\npGameData.DLL", L"a/../../b", L"C:x", L"x:stream", L"COM1"}) {
        Open(name);
        EXPECT_EQ(page->FlashReplay->Movie().address, L"") << name;
        EXPECT_EQ(page->FlashReplay->Movie().state, MovieFacts::Missing) << name;
        page->Eject_Tool_Replay->Click();
        EXPECT_EQ(page->FlashReplay->Movie().address, L"") << name;
        Close(name);
    }
}

TEST_F(FlashGameTest, FavouriteTwiceShowsTheMessageTwiceAndMarksOnlyItsRow) {
    env.Exec(L"Insert Into Games (G_Name, G_Type, G_Favorite) Values ('%E8%B4%AA%E5%90%83%E8%9B%87', 1, 1), "
             L"('Other', 1, 1), ('it''s', 1, 1), ('it', 1, 1)");
    auto favourite = [this](const std::wstring& encoded) {
        return env.QueryInt(L"Select G_Favorite From Games Where G_Name = '" + encoded + L"'");
    };
    std::vector<std::wstring> shown;
    int boxesOverOpenLibrary = 0;
    const MsgBoxHandler saved = MsgBoxHook();
    MsgBoxHook() = [&](const std::wstring& prompt, UINT buttons, const std::wstring& title) {
        shown.push_back(prompt + L"|" + std::to_wstring(buttons));
        // Other work on the catalogue may run while a box is up: none may find it open.
        if (SqliteReady) ++boxesOverOpenLibrary;
        return IDOK;
    };
    Open(L"贪吃蛇");
    page->Eject_Tool_Favorite->Click();
    page->Eject_Tool_Favorite->Click();
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"收藏成功|0", L"收藏成功|0"}));
    EXPECT_EQ(boxesOverOpenLibrary, 0);
    EXPECT_EQ(favourite(L"%E8%B4%AA%E5%90%83%E8%9B%87"), 2);
    EXPECT_EQ(favourite(L"Other"), 1);
    Close(L"贪吃蛇");

    // An apostrophe stays inside the name: only that row changes.
    shown.clear();
    Open(L"it's");
    page->Eject_Tool_Favorite->Click();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(favourite(L"it''s"), 2);
    EXPECT_EQ(favourite(L"it"), 1);
    EXPECT_EQ(favourite(L"Other"), 1);
    Close(L"it's");

    // Deleted from the grid while its tab was open: nothing is marked, and the user hears so.
    shown.clear();
    Open(L"Gone");
    page->Eject_Tool_Favorite->Click();
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"“Gone”已不在游戏库中，无法收藏。|48"}));
    EXPECT_EQ(boxesOverOpenLibrary, 0);
    Close(L"Gone");

    // A statement that fails says nothing: no catalogue where the page looks.
    shown.clear();
    DeleteFileW(env.dir.File(L"npGameData.DLL").c_str());
    CreateDirectoryW(env.dir.File(L"npGameData.DLL").c_str(), nullptr);
    Open(L"Other");
    page->Eject_Tool_Favorite->Click();
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(SqliteReady) << "the library is unloaded again";
    MsgBoxHook() = saved;
}

TEST_F(FlashGameTest, HelpPageCarriesTheStyleSheetAndTheDecodedIntroduction) {
    Open(L"Help", L"<div%20class=\"game_keyboard\">%E6%96%B9%E5%90%91%E9%94%AE%20move%2520</div>");
    const std::wstring html = page->WebBrowser1->Document()->documentElement().outerHTML();
    const std::wstring folder = [] {
        std::wstring f = DistFolder();
        for (wchar_t& c : f)
            if (c == L'\\') c = L'/';
        return f;
    }();
    EXPECT_NE(html.find(L"url(" + folder + L"/Skin/DefaultSkin/icon_keys.png)  no-repeat;}"), std::wstring::npos);
    EXPECT_NE(html.find(L"url(" + folder + L"/Skin/DefaultSkin/icon_keys.png) 0 -553px no-repeat;}"), std::wstring::npos);
    EXPECT_NE(html.find(L".ico_c_wasd{ width:52px; height:30px; background-position:0 -588px;}"), std::wstring::npos);
    EXPECT_NE(html.find(L"body {background-color: #b6f4f4;}"), std::wstring::npos);
    EXPECT_NE(html.find(L"方向键 move%2520"), std::wstring::npos) << "%20 is a blank, non-ASCII groups UTF-8";
    EXPECT_NE(html.find(L"class=\"game_keyboard\""), std::wstring::npos);
    EXPECT_EQ(html.find(L"%E6"), std::wstring::npos);
}

TEST_F(FlashGameTest, ScrollButtonsMoveTheHelpPageTenPixelsPerClick) {
    std::wstring introduce;
    for (int i = 0; i < 40; ++i) introduce += L"<p>line%20" + std::to_wstring(i) + L"</p>";
    Open(L"Scroll", introduce);
    page->Eject_Tool_Closed->Click();
    PumpFor(50);
    auto* frame = dynamic_cast<WebFrame*>(&page->WebBrowser1->Document()->parentWindow());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->scrollY, 0) << "writing the page leaves it at its top";
    page->PicDown->Click();
    page->PicDown->Click();
    page->PicDown->Click();
    page->PicUp->Click();
    EXPECT_EQ(frame->scrollY, 20);
}

TEST_F(FlashGameTest, HelpPanelOpensOverTheToolBarAndCloses) {
    Open(L"Panel");
    EXPECT_EQ(page->Pic_Say.Top(), page->Pic_Btn.Top());
    page->Eject_Tool_Closed->Click();
    EXPECT_TRUE(IsWindowVisible(page->Pic_Say.hWnd()));
    EXPECT_EQ(page->Pic_Say.Top(), 7470);
    // The panel lies above the strip.
    RECT say;
    GetWindowRect(page->Pic_Say.hWnd(), &say);
    EXPECT_EQ(WindowFromPoint(POINT{say.left + 5, say.top + 5}), page->Pic_Say.hWnd());
    page->Eject_Tool_Trigger->Click();
    EXPECT_FALSE(IsWindowVisible(page->Pic_Say.hWnd()));
}

TEST_F(FlashGameTest, ClosingThePageInItsTabSelectsTheCatalogueTab) {
    Open(L"Closing");
    ASSERT_EQ(Strip().Selected(), 2);
    Close(L"Closing");
    EXPECT_FALSE(page->Loaded());
    EXPECT_EQ(Strip().Selected(), 1);
    EXPECT_EQ(Tabs().Count(), 2);
}

// The main window's own pages show the not-found page at once, so that
// nothing of theirs comes or goes while pages are counted.
class FlashGameLeakTest : public FlashHostTest {
protected:
    void SetUp() override {
        PortalUrl = L"http://127.0.0.1:1";
        FlashHostTest::SetUp();
    }
    void OpenAndClose(const std::wstring& name) {
        Open(name);
        ASSERT_NE(ControlToolTipWindow(page->Eject_Tool_Replay.hwnd()), nullptr);
        Close(name);
    }
};

// The tool bar's tips are set while the page is a window of its own, before
// its tab makes it a child: closing the tab takes their tip window too.
TEST_F(FlashGameLeakTest, AHundredPagesOpenedAndClosedInTheirTabsLeaveNoWindowOrGdiObject) {
    // Pages until one leaves the counts as they were: the main window has
    // loaded its pages, and what is made once (skin pictures, classes,
    // fonts) is made.
    int windows = -1, objects = -1;
    for (int i = 0; i < 20; ++i) {
        OpenAndClose(L"First");
        const int w = TopLevelWindowCount(), o = GdiObjectCount();
        if (w == windows && o == objects) break;
        windows = w;
        objects = o;
    }
    // The counters move: a brush more is an object more.
    HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_EQ(GdiObjectCount(), objects + 1);
    DeleteObject(probe);

    for (int i = 0; i < 100; ++i) OpenAndClose(L"Game " + std::to_wstring(i));
    EXPECT_EQ(TopLevelWindowCount(), windows);
    // Wine's cache of window DCs (a DC, its region and its bitmap each) may
    // still grow by an entry or two, to the most ever in use at once: far
    // from the hundred objects that one a page would leave.
    EXPECT_LT(GdiObjectCount(), objects + 10);
}

// A press and release with the pointer really over the button, as a user's
// click: the two-state buttons flip their Value before raising Click.
void ClickWithThePointer(HWND button) {
    RECT r;
    GetWindowRect(button, &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    PumpFor(20);
    POINT at = centre;
    ScreenToClient(button, &at);
    const LPARAM pos = MAKELPARAM(at.x, at.y);
    SendMessageW(button, WM_MOUSEMOVE, 0, pos);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    SendMessageW(button, WM_LBUTTONUP, 0, pos);
    PumpFor(20);
}

TEST_F(FlashGameTest, PointerClicksOnTheToolBarAndAltKeysThatDoNothing) {
    Open(L"Clicked");
    SetForegroundWindow(main.hwnd());
    ClickWithThePointer(page->Eject_Tool_Filling.hwnd());
    EXPECT_TRUE(page->Eject_Tool_Filling->Value());
    EXPECT_EQ(page->FlashReplay->ScaleMode(), 0);
    ClickWithThePointer(page->Eject_Tool_Filling.hwnd());
    EXPECT_FALSE(page->Eject_Tool_Filling->Value());
    EXPECT_EQ(page->FlashReplay->ScaleMode(), 2);
    ClickWithThePointer(page->Eject_Tool_Closed.hwnd());
    EXPECT_TRUE(IsWindowVisible(page->Pic_Say.hWnd()));
    ClickWithThePointer(page->Eject_Tool_Trigger.hwnd());
    EXPECT_FALSE(IsWindowVisible(page->Pic_Say.hWnd()));

    // The plain surfaces show the arrow, whatever pointer was shown before.
    for (HWND surface : {page->Pic_Btn.hWnd(), page->Eject_ToolBg_L.hWnd()}) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        SendMessageW(surface, WM_MOUSEMOVE, 0, MAKELPARAM(1, 10));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    }

    // The tips name Alt + 1 to 4, but the page handles no keys.
    const std::wstring movie = page->FlashReplay->Movie().address;
    page->FlashReplay.SetFocus();
    for (WPARAM key : {WPARAM('1'), WPARAM('2'), WPARAM('3'), WPARAM('4')}) {
        for (HWND target : {page->FlashReplay.hwnd(), page->hwnd()}) {
            SendMessageW(target, WM_SYSKEYDOWN, key, 0x20000001);
            SendMessageW(target, WM_SYSKEYUP, key, 0xE0000001);
        }
    }
    PumpFor(30);
    EXPECT_EQ(page->FlashReplay->ScaleMode(), 2);
    EXPECT_FALSE(page->Eject_Tool_Pop->Value());
    EXPECT_EQ(main.IsResize, L"0");
    EXPECT_EQ(page->FlashReplay->Movie().address, movie);
    EXPECT_EQ(page->PopMode(), 0);
}

// A game page that has just added its game hands its own tab to the Flash page.
TEST_F(FlashGameTest, PageTakesOverTheTabItIsGiven) {
    auto gamePage = std::make_shared<TestPage>(L"game page");
    Tabs().Add(L"Handed", gamePage, L"Handed");
    Strip().Selected(2);
    page = std::make_shared<FlashGame>();
    page->URL(L"Handed", L"", L"");
    Tabs().Item(2L)->Form(page);
    gamePage->Unload();
    PumpFor(30);
    EXPECT_EQ(GetParent(page->hwnd()), main.pCnt.hWnd());
    EXPECT_TRUE(IsWindowVisible(page->hwnd()));
    EXPECT_EQ(Tabs().Item(2L)->Form().get(), static_cast<ITabForm*>(page.get()));
    Close(L"Handed");
    EXPECT_FALSE(page->Loaded());
    EXPECT_EQ(Strip().Selected(), 1);
}

TEST_F(FlashGameTest, QuittingWithThePageInItsTabUnloadsIt) {
    Open(L"Quitting");
    main.Unload();
    EXPECT_FALSE(page->Loaded());
}

TEST_F(FlashGameTest, MissingSkinPicturesLeaveTheControlsBareAndThePageWorking) {
    TempDir folder;
    CreateDirectoryW(folder.File(L"Games").c_str(), nullptr);
    CopyFileW(Dist(L"\\Games\\2.swf").c_str(), folder.File(L"Games\\Bare.swf").c_str(), FALSE);
    WriteSettings(folder.Path());
    Open(L"Bare", L"plain");
    EXPECT_EQ(page->FlashReplay->Movie().state, MovieFacts::Shown);
    EXPECT_EQ(page->Eject_Tool_Replay->BackPicture(), nullptr);
    EXPECT_EQ(page->ImgLeft.Picture(), nullptr);
    EXPECT_NE(page->WebBrowser1->Document()->documentElement().outerHTML().find(L"plain"), std::wstring::npos);
    page->Eject_Tool_Closed->Click();
    EXPECT_TRUE(IsWindowVisible(page->Pic_Say.hWnd()));
    page->Eject_Tool_Pop->Value(true);
    page->Eject_Tool_Pop->Click();
    EXPECT_EQ(main.IsResize, L"1");
    page->Eject_Tool_Pop->Value(false);
    page->Eject_Tool_Pop->Click();
    EXPECT_EQ(main.IsResize, L"0");
}

TEST_F(FlashGameTest, SkinnedToolBarShowsItsStripsCapsAndButtons) {
    Open(L"Skinned");
    EXPECT_NE(page->Eject_Tool_Replay->BackPicture(), nullptr);
    EXPECT_EQ(page->Eject_Tool_Filling->FrameCount(), 6) << "two-state strip";
    EXPECT_NE(page->ImgLeft.Picture(), nullptr);
    EXPECT_NE(page->ImgRight.Picture(), nullptr);
    EXPECT_NE(page->web_min->BackPicture(), nullptr);
    EXPECT_NE(page->Eject_ToolBg_L.Picture(), nullptr);
    // The tool bar's tips are the buttons' own.
    EXPECT_EQ(page->Eject_Tool_Replay.ToolTipText(), L"重玩（Alt + 1）");
    EXPECT_EQ(page->Eject_Tool_Pop.ToolTipText(), L"全屏（Alt + 4）");
    EXPECT_NE(ControlToolTipWindow(page->Eject_Tool_Favorite.hwnd()), nullptr);
    EXPECT_EQ(ControlToolTipWindow(page->Eject_Tool_Closed.hwnd()), nullptr);
    // The middle strip is stretched over the whole tool bar: its right end
    // shows the picture's colours, not the box's background.
    const COLORREF right = GetPixel(page->Pic_Btn.hDC(), 780, 0);
    const COLORREF left = GetPixel(page->Pic_Btn.hDC(), 20, 0);
    EXPECT_EQ(right, left);
    EXPECT_NE(left, GetSysColor(COLOR_BTNFACE));
}

}  // namespace
