// The main and game menus on the real main window and My box page: what
// each showing builds, which window each command reaches, and the notice
// timer paused and restarted around the About box and the settings.
#include <gtest/gtest.h>

#include "About.h"
#include "CTabItems.h"
#include "DialogTestSupport.h"
#include "FUpload.h"
#include "HandlerScope.h"
#include "Install.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "MainFrmTray.h"
#include "MainMe.h"
#include "MdlMenuComm.h"
#include "Pump.h"
#include "TestHttpServer.h"
#include "iButton.h"

namespace {

class MenuCommands : public ::testing::Test {
protected:
    void SetUp() override {
        server.Route("/orvane/uplade.html", TestHttpServer::Text("<HTML><BODY>3.0|server\\setup.exe</BODY></HTML>"));
        PortalUrl = server.BaseUrlW();
        env.Exec(std::vector<std::wstring>{
            L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,W_Url,G_Type,G_Favorite) "
            L"Values('bubble','intro','/g/1.htm','',1,1)",
            L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,W_Url,G_Type,G_Favorite) "
            L"Values('studio','intro','/g/2.htm','http://games.test/url_vantor/2.htm',2,1)"});
        main.Show();
        MainMenuShown = GameMenuShown = false;
    }
    void TearDown() override {
        TheAbout().Unload();
        TheInstall().Unload();
        TheFUpload().Unload();
        main.Unload();
    }
    int Favorite() { return env.QueryInt(L"Select G_Favorite From Games Where G_Name = 'bubble'"); }

    TestHttpServer server;
    LauncherEnv env;
    MsgBoxRecorder boxes;
    MainFrm& main = TheMainFrm();
};

// Closes the open popup menu from inside its loop.
bool CloseMenu(HWND menuWindow) {
    PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
}

TEST_F(MenuCommands, EachShowingBuildsItsOwnItemsFromOneHundred) {
    struct Seen {
        int count = 0;
        std::vector<UINT> ids;
        std::vector<std::wstring> captions;
        std::vector<int> heights, widths;
        std::vector<HICON> icons;
    };
    auto record = [](Seen& seen) {
        return [&seen](int) {
            HWND mw = OpenMenuWindow();
            if (!mw) return false;
            seen.count = GetMenuItemCount(PopupMenu());
            for (int i = 0; i < seen.count; ++i) seen.ids.push_back(GetMenuItemID(PopupMenu(), i));
            for (const auto& item : MenuItems) {
                seen.captions.push_back(item->Caption());
                seen.heights.push_back(item->Height());
                seen.widths.push_back(item->Width());
                seen.icons.push_back(item->Icon());
            }
            return CloseMenu(mw);
        };
    };
    auto icon = [&](int i) { return main.Pic(i).Picture()->HandleAs<HICON>(); };

    // The menu button opens the main menu.
    Seen first;
    ASSERT_TRUE(WhileModal([&] { ClickControl(main.W_MenuBtn.hwnd()); }, record(first)));
    EXPECT_TRUE(MainMenuShown);
    EXPECT_FALSE(GameMenuShown);
    ASSERT_EQ(first.count, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(first.ids[i], static_cast<UINT>(100 + i));
    EXPECT_EQ(first.captions, (std::vector<std::wstring>{L"设置", L"", L"帮助建议(H)", L"官方网站", L"检测更新",
                                                         L"关于我们", L"", L"安全退出(X)"}));
    EXPECT_EQ(first.heights, (std::vector<int>{24, 5, 24, 24, 24, 24, 5, 24}));
    EXPECT_EQ(first.widths, std::vector<int>(8, 131));
    EXPECT_EQ(first.icons, (std::vector<HICON>{icon(1), nullptr, icon(2), nullptr, nullptr, nullptr, nullptr, icon(3)}));
    EXPECT_NE(icon(1), nullptr);
    const HMENU firstMenu = PopupMenu();

    Seen game;
    ASSERT_TRUE(WhileModal([] { ShowGameMenu(); }, record(game)));
    EXPECT_FALSE(MainMenuShown);
    EXPECT_TRUE(GameMenuShown);
    EXPECT_FALSE(IsMenu(firstMenu)) << "the previous popup is destroyed";
    ASSERT_EQ(game.count, 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(game.ids[i], static_cast<UINT>(100 + i));
    EXPECT_EQ(game.captions, (std::vector<std::wstring>{L"游戏介绍", L"运行游戏", L"", L"收藏游戏", L"取消收藏", L"",
                                                        L"删除游戏"}));
    EXPECT_EQ(game.heights, (std::vector<int>{24, 24, 5, 24, 24, 5, 24}));
    EXPECT_EQ(game.icons, (std::vector<HICON>{icon(4), nullptr, nullptr, nullptr, nullptr, nullptr, icon(5)}));

    // Showing again leaves exactly the items of that showing.
    Seen again;
    ASSERT_TRUE(WhileModal([] { ShowMainMenu(); }, record(again)));
    EXPECT_EQ(again.count, 8);
    EXPECT_EQ(again.ids.front(), 100u);
    EXPECT_EQ(again.ids.back(), 107u);
    EXPECT_EQ(MenuItems.size(), 8u);
    EXPECT_EQ(MenuItemCount, 8);
    EXPECT_EQ(NextMenuID, 108);
    // The items stay after the menu closed, until the owner goes.
    main.Unload();
    EXPECT_TRUE(MenuItems.empty());
}

TEST_F(MenuCommands, CommandsFollowTheLastShownMenuOnly) {
    // Before any menu nothing happens.
    for (WPARAM id : {100, 103, 105, 106, 107}) MenuCommand(id);
    EXPECT_TRUE(env.shells.empty());
    EXPECT_TRUE(main.Loaded());
    EXPECT_EQ(Favorite(), 1);

    ASSERT_TRUE(WhileModal([] { ShowMainMenu(); }, [](int) {
        HWND mw = OpenMenuWindow();
        return mw && CloseMenu(mw);
    }));
    MenuCommand(103);
    MenuCommand(102);
    ASSERT_EQ(env.shells.size(), 2u);
    EXPECT_EQ(env.shells[0], L"Explorer.exe /s , " + PortalUrl);
    EXPECT_EQ(env.shells[1], L"Explorer.exe /s , " + PortalUrl + L"/about/contact.htm");
    EXPECT_EQ(env.styles[0], VbAppWinStyle::MinimizedFocus);
    // Separators and unknown ids do nothing; the game commands are not the main menu's.
    for (WPARAM id : {101, 106, 108, 99, 0x10064}) MenuCommand(id);
    EXPECT_EQ(env.shells.size(), 2u);
    EXPECT_EQ(Favorite(), 1);

    TheMainMe().G_GameName = L"bubble";
    ASSERT_TRUE(WhileModal([] { ShowGameMenu(); }, [](int) {
        HWND mw = OpenMenuWindow();
        return mw && CloseMenu(mw);
    }));
    MenuCommand(103);
    EXPECT_EQ(Favorite(), 2);
    MenuCommand(104);
    EXPECT_EQ(Favorite(), 1);
    // The game's portal page opens in a tab of its own.
    CTabItems& tabs = main.frmuTab->TabItems();
    EXPECT_EQ(tabs.FindItem(L"bubble"), -1);
    MenuCommand(100);
    EXPECT_NE(tabs.FindItem(L"bubble"), -1);
    // The same ids that were main-menu commands now do nothing.
    for (WPARAM id : {102, 105, 107}) MenuCommand(id);
    EXPECT_TRUE(main.Loaded());
    EXPECT_FALSE(TheAbout().Loaded());
    EXPECT_EQ(env.shells.size(), 2u);
    MenuCommand(106);
    EXPECT_EQ(Favorite(), -1) << "the game is deleted";
    // Running the game the right click named.
    TheMainMe().G_GameName = L"studio";
    MenuCommand(101);
    ASSERT_EQ(env.shells.size(), 3u);
    EXPECT_NE(env.shells[2].find(L"http://games.test/url_vantor/2.htm"), std::wstring::npos) << env.shells[2];
    EXPECT_EQ(env.styles[2], VbAppWinStyle::MaximizedFocus);
}

TEST_F(MenuCommands, AChoiceInTheRealTrayMenuReachesItsCommand) {
    // Right button up on the tray icon shows the main menu; the fourth line is "官方网站".
    ASSERT_TRUE(WhileModal([&] { SendMessageW(main.hwnd(), kTrayCallbackMessage, 0, WM_RBUTTONUP); },
                           [](int tick) {
                               HWND mw = OpenMenuWindow();
                               if (!mw) return false;
                               PostMessageW(mw, WM_KEYDOWN, tick < 4 ? VK_DOWN : VK_RETURN, 0);
                               return tick >= 4;
                           }));
    ASSERT_TRUE(PumpUntil([&] { return !env.shells.empty(); }));
    EXPECT_EQ(env.shells[0], L"Explorer.exe /s , " + PortalUrl);
    EXPECT_TRUE(MainMenuShown);
}

// What a menu command or the tray's menu releases (a form unloaded inside
// them) is kept until they return: both run inside a handler's scope, as
// the system calls them, while their own modal loops run.
TEST_F(MenuCommands, TheMenuAndTrayProceduresRunTheirWorkInsideAHandlersScope) {
    MainMenuShown = true;
    int inAbout = -1;
    ASSERT_TRUE(WhileModal([&] { SendMessageW(main.hwnd(), WM_COMMAND, 105, 0); }, [&](int) {
        if (!TheAbout().W_Close.hwnd()) return false;
        inAbout = HandlerScope::Depth();
        ClickControl(TheAbout().W_Close.hwnd());
        return true;
    }));
    EXPECT_GE(inAbout, 1) << "the About box of a menu command";
    int inTrayMenu = -1;
    ASSERT_TRUE(WhileModal([&] { SendMessageW(main.hwnd(), kTrayCallbackMessage, 0, WM_RBUTTONUP); }, [&](int) {
        HWND menu = OpenMenuWindow();
        if (!menu) return false;
        inTrayMenu = HandlerScope::Depth();
        return CloseMenu(menu);
    }));
    EXPECT_GE(inTrayMenu, 1) << "the tray icon's menu";
}

TEST_F(MenuCommands, AboutAndSettingsPauseTheNoticeTimerUntilTheyClose) {
    MainMenuShown = true;
    struct Case {
        WPARAM id;
        Form* dialog;
        std::function<HWND()> closer;
    } cases[] = {
        {105, &TheAbout(), [] { return TheAbout().Btn_Close.hwnd(); }},
        {105, &TheAbout(), [] { return TheAbout().W_Close.hwnd(); }},
        {100, &TheInstall(), [] { return TheInstall().W_Close.hwnd(); }},
        {100, &TheInstall(), [] { return TheInstall().Btn_Close.hwnd(); }},
    };
    for (const Case& c : cases) {
        main.TimerRight.Enabled(true);
        bool pausedWhileOpen = true, owned = false, visible = false;
        ASSERT_TRUE(WhileModal([&] { MenuCommand(c.id); }, [&](int) {
            if (!c.dialog->Loaded() || !c.closer()) return false;
            pausedWhileOpen = !main.TimerRight.Enabled();
            owned = GetWindow(c.dialog->hwnd(), GW_OWNER) == main.hwnd();
            visible = IsWindowVisible(c.dialog->hwnd());
            ClickControl(c.closer());
            return true;
        })) << c.id;
        EXPECT_TRUE(pausedWhileOpen) << c.id;
        EXPECT_TRUE(owned) << c.id;
        EXPECT_TRUE(visible) << c.id;
        EXPECT_FALSE(c.dialog->Loaded()) << c.id;
        EXPECT_TRUE(main.TimerRight.Enabled()) << c.id;
    }
    // The timer comes back on even when it was off before.
    main.TimerRight.Enabled(false);
    ASSERT_TRUE(WhileModal([&] { MenuCommand(105); }, [&](int) {
        if (!TheAbout().W_Close.hwnd()) return false;
        ClickControl(TheAbout().W_Close.hwnd());
        return true;
    }));
    EXPECT_TRUE(main.TimerRight.Enabled());
}

TEST_F(MenuCommands, UpdateCheckAndQuit) {
    MainMenuShown = true;
    MenuCommand(104);
    EXPECT_TRUE(TheFUpload().Loaded());
    EXPECT_EQ(GetWindow(TheFUpload().hwnd(), GW_OWNER), main.hwnd());
    ASSERT_TRUE(PumpUntil([] { return !TheFUpload().Loaded(); }, 10000));
    EXPECT_EQ(server.RequestCount("/orvane/uplade.html"), 1u);
    EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{kUpToDate});

    MenuCommand(107);
    EXPECT_FALSE(main.Loaded());
    bool playerEnded = false;
    for (const auto& s : env.shells) playerEnded |= s == L"cmd.exe /c taskkill /im Pellow.exe /f";
    EXPECT_TRUE(playerEnded);
}

}  // namespace
