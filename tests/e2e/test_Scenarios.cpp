// The launcher and the player as a user meets them: started from a user's
// installation against the demo portal, driven from outside with input
// messages, checked by what shows on the screen, in the database, on disk
// and among the processes. Each scenario ends with a screenshot.
#include <iostream>
#include <map>
#include <random>

#include "Scenario.h"
#include "UtfToGb.h"

using namespace e2e;

// Adds portal games `first` to `last` from the catalogue, one launcher for
// each, killed at a moment spread over the road of all twenty from the link
// to the game's tab (thumbnail, the pause, the movie, the renames, the row,
// the page); after every kill the library must be sound.
void e2e::Scenario::KillWhileAdding(int first, int last) {
    // Portal games 1 to 20: saved Flash games first, then streamed ones.
    const std::map<int, std::wstring> all = {
        {1, L"泡泡龙大战"}, {2, L"连连看"}, {3, L"黄金矿工"}, {4, L"Space Rocks"}, {5, L"宝石 迷阵"},
        {6, L"Tower Guard"}, {7, L"小猪快跑"}, {8, L"疯狂赛车"}, {9, L"Jungle Jump"}, {10, L"切水果"},
        {11, L"方块消除"}, {12, L"深海 探险"}, {13, L"Pixel Pong"}, {14, L"火柴人格斗"}, {15, L"坦克大战"},
        {16, L"Star Miner"}, {17, L"五子棋"}, {18, L"消灭星星"}, {19, L"Bubble Pop 2"}, {20, L"植物 守卫"},
    };
    const std::map<int, std::wstring> names(all.find(first), all.upper_bound(last));
    std::map<std::wstring, std::string> portalFiles;  // what a whole download holds, by final path
    for (const auto& [id, name] : names) {
        portalFiles[Install(L"Jpgs\\" + name + L".jpg")] = Fetch(GetGameUrl() + L"/img/g" + std::to_wstring(id) + L".jpg");
        portalFiles[Install(L"Games\\" + name + L".swf")] = Fetch(GetGameUrl() + L"/swf/g" + std::to_wstring(id) + L".swf");
    }
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::cout << "kill moments from seed " << seed << std::endl;

    int added = 0;
    for (const auto& [id, name] : names) {
        const DWORD moment = static_cast<DWORD>((id - 1) * 70 + random() % 70);
        SCOPED_TRACE("game " + std::to_string(id) + ", killed " + std::to_string(moment) + " ms after the link");
        HWND main = StartLauncher();
        ASSERT_TRUE(main);
        HWND page = OpenFromList(main, id);
        ASSERT_TRUE(page);
        const std::wstring gamePage = L"/game/" + std::to_wstring(id) + L".html";
        ActivateLink(BrowserOf(page), gamePage, LinkNumber(gamePage, L"CALL_API"));
        PumpFor(moment);
        launcher_->End();

        CatalogueGroup group;
        ASSERT_TRUE(group.Open());
        {
            CatalogueQuery check(group, L"PRAGMA integrity_check");
            ASSERT_TRUE(check.Step());
            EXPECT_EQ(check.Text(0), L"ok");
        }
        int rows = 0;
        CatalogueQuery list(group, L"Select * From Games");
        while (list.Step()) {
            ++rows;
            const std::wstring stored = Utf8UrlDecode(list.Text(1));
            EXPECT_TRUE(fs::exists(Install(L"Jpgs\\" + stored + L".jpg"))) << "no thumbnail for " << Utf8(stored);
        }
        EXPECT_GE(rows, added) << "a row that was there is gone";
        added = rows;
        for (const wchar_t* folder : {L"Jpgs", L"Games"})
            for (const auto& entry : fs::directory_iterator(Install(folder))) {
                const auto whole = portalFiles.find(entry.path().wstring());
                if (whole == portalFiles.end()) continue;  // not a final name
                EXPECT_EQ(fs::file_size(entry.path()), whole->second.size()) << "half a download: " << Utf8(entry.path().wstring());
            }
    }
    std::cout << added << " of " << names.size() << " games were added before their kill" << std::endl;
    // The launcher starts on what the kills left (its screenshot shows the grid).
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    EXPECT_EQ(GameRows(), added);
}

namespace {

TEST_F(Scenario, FirstStartShowsTheRoundedMainWindowWithTwoTabsAndTheGrid) {
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    const RECT r = WindowRect(main);
    EXPECT_EQ(r.right - r.left, 801);
    EXPECT_EQ(r.bottom - r.top, 589);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(main, region), ERROR);
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_GE(box.right - box.left, 800);  // a round rectangle leaves out its right edge
    EXPECT_LE(box.right - box.left, 801);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the corners are rounded";
    EXPECT_TRUE(PtInRegion(region, 400, 0));
    DeleteObject(region);
    EXPECT_EQ(Pages(main).size(), 2u) << "我的盒子 and 找游戏";
    EXPECT_NE(CataloguePage(main), nullptr);
    EXPECT_EQ(GameRows(), 0);
    EXPECT_EQ(ProcessesOf(L"Orvane.exe").size(), 1u);
    EXPECT_TRUE(HasTrayIcon(main, 0)) << "the tray icon";
    EXPECT_FALSE(HasTrayIcon(main, 1)) << "the tray tells icons apart";
    HWND me = MyBoxPage(main);
    ASSERT_TRUE(me);
    EXPECT_EQ(ShownCells(me, 1), 1) << "the empty library's grid shows 更多游戏 alone";
}

TEST_F(Scenario, SecondStartHandsOverAndEndsTheFirstWindowComesBack) {
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    ShowWindow(main, SW_HIDE);  // as in the tray
    ASSERT_FALSE(IsWindowVisible(main));
    Started second(Install(L"Orvane.exe"), L"", Where().install);
    EXPECT_EQ(second.ExitCode(20000), 0u) << "the second start ends after handing over";
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000)) << "the first window is shown again";
    EXPECT_EQ(ProcessesOf(L"Orvane.exe").size(), 1u);
    EXPECT_EQ(Pages(main).size(), 2u);
}

TEST_F(Scenario, AddingASavedFlashGameFromTheCatalogue) {
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    HWND page = OpenGamePage(main, L"Space Rocks");
    ASSERT_TRUE(page);
    ActivateLink(BrowserOf(page), kGamePage, 5);
    const std::wstring jpg = Install(L"Jpgs\\Space Rocks.jpg"), swf = Install(L"Games\\Space Rocks.swf");
    EXPECT_TRUE(WaitFor([&] { return fs::exists(swf) && GameRows() == 1; }, 60000)) << "the movie was not saved";
    EXPECT_TRUE(fs::exists(jpg));
    EXPECT_EQ(Column(L"Space Rocks", 5), L"1") << "G_Type";
    EXPECT_EQ(Column(L"Space Rocks", 4), L"") << "a saved game has no W_Url";
    EXPECT_TRUE(WaitFor([&] { return !Descendants(main, L"OrvaneFlashPlayer").empty(); }, 20000))
        << "the game plays in its tab";
    // The Flash page's window appears before the game page's goes.
    EXPECT_TRUE(WaitFor([&] { return !(IsWindow(page) && BrowserOf(page)); }, 10000))
        << "the Flash page took the game page's tab";
    ClickTab(main, 0);
    HWND me = MyBoxPage(main);
    ASSERT_TRUE(me);
    EXPECT_EQ(ShownCells(me, 2), 2) << "the grid shows the game before 更多游戏";
}

TEST_F(Scenario, StreamedFlashAndWebGamesReachTheirPlaces) {
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    HWND stream = OpenGamePage(main, L"Star Miner");
    ASSERT_TRUE(stream);
    ActivateLink(BrowserOf(stream), kGamePage, 5);
    EXPECT_TRUE(WaitFor([&] { return GameRows() == 1; }, 60000));
    EXPECT_TRUE(fs::exists(Install(L"Jpgs\\Star Miner.jpg")));
    EXPECT_FALSE(fs::exists(Install(L"Games\\Star Miner.swf"))) << "a streamed movie is not saved";
    const std::wstring movie = Column(L"Star Miner", 4);
    EXPECT_NE(movie.find(L"/swf/g16.swf"), std::wstring::npos) << fs::path(movie).string();
    EXPECT_EQ(movie.find(L"?nosave"), std::wstring::npos);

    HWND web = OpenGamePage(main, L"Dragon Realm");
    ASSERT_TRUE(web);
    ActivateLink(BrowserOf(web), kGamePage, 5);
    EXPECT_TRUE(WaitFor([&] { return GameRows() == 2; }, 60000));
    EXPECT_EQ(Column(L"Dragon Realm", 5), L"2");
    HWND player = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (player = TopWindow(kPlayerCaption)) != nullptr; }, 30000)) << "the player started";
    EXPECT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u);
    const std::wstring address = Column(L"Dragon Realm", 4);
    EXPECT_TRUE(WaitFor([&] { return ShowsAddress(player, address); }, 30000))
        << "the player shows the game's address " << Utf8(address);

    HWND second = OpenGamePage(main, L"Galaxy Wars");
    ASSERT_TRUE(second);
    ActivateLink(BrowserOf(second), kGamePage, 5);
    EXPECT_TRUE(WaitFor([&] { return GameRows() == 3; }, 60000));
    ASSERT_TRUE(player);
    EXPECT_TRUE(WaitFor([&] { return Descendants(player, L"OrvaneWebBrowser").size() >= 2; }, 30000))
        << "the second web game reached the running player";
    EXPECT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u);
    Screenshot(kPlayerCaption, L"StreamedFlashAndWebGamesReachTheirPlaces-player");
}

TEST_F(Scenario, FavouriteUnfavouriteAndDeleteFromTheGameMenu) {
    AddSavedGame(2, L"连连看");
    AddSavedGame(4, L"Space Rocks");  // the newest: the grid's first cell
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    HWND me = MyBoxPage(main);
    ASSERT_TRUE(me);
    HWND all = ViewButton(me, 8), favourites = ViewButton(me, 36);
    EXPECT_EQ(ShownCells(me, 3), 3) << "two games and 更多游戏";

    HWND menu = RightClickCell(me, 0);
    ASSERT_TRUE(menu) << "no game menu on the first game";
    ASSERT_TRUE(Choose(menu, 3));  // 收藏游戏
    EXPECT_TRUE(WaitFor([] { return Favorite(L"Space Rocks") == 2; }, 10000));
    EXPECT_EQ(Favorite(L"连连看"), 1);

    Key(favourites, VK_RETURN);
    EXPECT_EQ(ShownCells(me, 2), 2) << "the favourite and 更多游戏";
    menu = RightClickCell(me, 0);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(Choose(menu, 4));  // 取消收藏
    EXPECT_TRUE(WaitFor([] { return Favorite(L"Space Rocks") == 1; }, 10000));
    EXPECT_EQ(ShownCells(me, 1), 1) << "the favourites view shows only 更多游戏";
    EXPECT_FALSE(RightClickCell(me, 0)) << "更多游戏 has no game menu";

    Key(all, VK_RETURN);
    EXPECT_EQ(ShownCells(me, 3), 3);
    menu = RightClickCell(me, 1);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(Choose(menu, 6));  // 删除游戏
    EXPECT_TRUE(WaitFor([] { return GameRows() == 1; }, 10000));
    EXPECT_EQ(Favorite(L"连连看"), -1) << "its row is gone";
    EXPECT_EQ(Favorite(L"Space Rocks"), 1);
    EXPECT_EQ(ShownCells(me, 2), 2) << "one game and 更多游戏";
}

TEST_F(Scenario, RegistrationOfANewNameATakenNameAndSignInWithARememberedAccount) {
    const std::wstring suffix = std::to_wstring(std::random_device{}() % 1000000);
    const std::wstring taken = L"先来者" + suffix, name = L"玩家 " + suffix, password = L"秘密pass1";
    const std::wstring space = L"/my/space1.php";  // signed out
    const int signInLink = LinkNumber(space, L"type=\"8\""), registerLink = LinkNumber(space, L"type=\"9\"");
    ASSERT_GT(signInLink, 0);
    ASSERT_GT(registerLink, 0);
    // Somebody registered the first name on the portal before.
    ASSERT_EQ(Fetch(RegisterAddress(GetUserUrl(), SiteCode, taken, L"other123", L"first@example.cn")), "0");

    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    HWND pane = BrowserOf(MyBoxPage(main));
    ASSERT_TRUE(pane);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(pane) != FALSE; }, 10000)) << "the space pane shows";
    const std::vector<DWORD> signedOut = PaneShown(pane);

    // Registration: the taken name gets the portal's own text, a new name an account.
    HWND form = OpenFromPane(pane, registerLink, L"用户注册");
    ASSERT_TRUE(form) << "the registration window did not open";
    std::vector<HWND> boxes = VisibleBoxes(form);
    ASSERT_EQ(boxes.size(), 5u) << "name, password, password again, e-mail, code";
    const std::wstring code = Text(ChildAt(form, L"Orvane.Label", 180, 204));  // as the user reads it
    ASSERT_EQ(code.size(), 4u);
    const std::wstring typed[] = {taken, password, password, L"player@example.cn", code};
    for (size_t i = 0; i < 5; ++i) Retype(boxes[i], typed[i]);
    HWND registerButton = ChildAt(form, L"OrvaneImageButton", 163, 252);  // 注 册
    ASSERT_TRUE(registerButton);
    Key(registerButton, VK_RETURN);
    HWND verdict = ChildAt(form, L"Orvane.Label", 24, 288);
    ASSERT_TRUE(verdict);
    EXPECT_TRUE(WaitFor([&] { return Text(verdict) == L"用户名已被注册"; }, 20000)) << Utf8(Text(verdict));
    EXPECT_TRUE(IsWindowVisible(form)) << "the window stays for another try";
    Retype(boxes[0], name);
    PostKey(boxes[4], VK_RETURN);  // Enter in the code box
    EXPECT_TRUE(WaitClosed(form, 20000))
        << "registered: the window closes; it says " << Utf8(Text(verdict));
    EXPECT_EQ(PortalSignIn(name, password), "0") << "the portal knows the new account";
    EXPECT_TRUE(PaneTurns(pane, signedOut, false)) << "the pane shows the account";

    // Signed out from the pane, then in with 记住密码: the account is remembered.
    ActivateLink(pane, kSpace, 1);  // 退出登录
    EXPECT_TRUE(PaneTurns(pane, signedOut, true)) << "signed out";
    form = OpenFromPane(pane, signInLink, L"用户登录");
    ASSERT_TRUE(form) << "the sign-in window did not open";
    boxes = VisibleBoxes(form);
    ASSERT_EQ(boxes.size(), 2u);
    Retype(boxes[0], name);
    Retype(boxes[1], password);
    HWND remember = ChildAt(form, L"Orvane.CheckBox", 100, 108);
    ASSERT_TRUE(remember);
    Click(remember, 5, 5);
    EXPECT_EQ(SendMessageW(remember, BM_GETCHECK, 0, 0), BST_CHECKED);
    HWND signInButton = ChildAt(form, L"OrvaneImageButton", 100, 134);  // 登 录
    ASSERT_TRUE(signInButton);
    Key(signInButton, VK_RETURN);
    EXPECT_TRUE(WaitClosed(form, 20000)) << "signed in";
    {
        CatalogueGroup group;
        CatalogueQuery q(group, L"Select Count(*) From Users Where U_UserName = '" + SqlText(name) + L"'");
        EXPECT_TRUE(q.Step() && q.Int(0) == 1) << "the account is remembered";
    }
    EXPECT_TRUE(PaneTurns(pane, signedOut, false)) << "the pane shows the account";

    // Next time the name alone signs in: the launcher fills in the password.
    ActivateLink(pane, kSpace, 1);
    EXPECT_TRUE(PaneTurns(pane, signedOut, true)) << "signed out";
    form = OpenFromPane(pane, signInLink, L"用户登录");
    ASSERT_TRUE(form);
    boxes = VisibleBoxes(form);
    ASSERT_EQ(boxes.size(), 2u);
    remember = ChildAt(form, L"Orvane.CheckBox", 100, 108);
    ASSERT_TRUE(remember);
    ASSERT_EQ(SendMessageW(remember, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Type(boxes[0], name);
    EXPECT_EQ(SendMessageW(remember, BM_GETCHECK, 0, 0), BST_CHECKED) << "a remembered account";
    PostKey(boxes[0], VK_RETURN);  // Enter in the name box
    EXPECT_TRUE(WaitClosed(form, 20000))
        << "signed in with the remembered password";
    EXPECT_TRUE(PaneTurns(pane, signedOut, false)) << "the pane shows the account";
}

TEST_F(Scenario, RefusedCommandsAndAFailedDownloadWriteNothingAndSayWhy) {
    const fs::path install = fs::path(Where().install).parent_path(), bin = install.parent_path();
    std::set<std::wstring> around = Listing(bin, false);
    for (const auto& f : Listing(bin.parent_path(), false)) around.insert(f);
    std::set<std::wstring> beside;
    for (const auto& entry : fs::directory_iterator(bin))
        if (entry.path() != install) beside.merge(Listing(entry.path(), true));
    const std::set<std::wstring> programFolder = Listing(install, true);

    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    ClickTab(main, 1);
    HWND view = BrowserOf(CataloguePage(main));
    ASSERT_TRUE(view);
    // As a user finds it: the featured page from the portal's bar, then its
    // link to the checks page.
    const std::wstring checks = L"/orvane/html/check/index.htm";
    const int featureLink = LinkNumber(L"/orvane/html/topleft/0.html", L"/orvane/html/left/0/0.html");
    const int checksLink = LinkNumber(L"/orvane/html/left/0/0.html", checks);
    ASSERT_GT(featureLink, 0);
    ASSERT_GT(checksLink, 0);
    ActivateLink(view, kFirstList, featureLink);
    ActivateLink(view, L"/orvane/html/left/0/0.html", checksLink);
    ASSERT_TRUE(Shows(view, checks));

    // Links of the checks page in the order they are tried; Tab moves on from the last one.
    struct Check {
        const wchar_t* link;
        std::wstring box;
    };
    const Check refusals[] = {
        {L"openTable,只有名字'", L"函数错误，请联系系统管理员"},  // too few fields
        {L"CALL_API('WebTable')", L"函数错误，请联系系统管理员"},  // no data at all
        {L"..\\..\\evil", L"游戏名称“..\\..\\evil”不能用作文件名，无法添加该游戏。"},
        {L"PlayTable", L"函数错误，请联系系统管理员"},  // a kind nobody knows
    };
    int at = 0;
    for (const Check& c : refusals) {
        const int n = LinkNumber(checks, c.link);
        ASSERT_GT(n, at) << Utf8(c.link);
        const std::wstring text = BoxAfter(view, n - at);
        at = n;
        EXPECT_EQ(text, c.box) << Utf8(text);
        EXPECT_EQ(GameRows(), 0);
        EXPECT_EQ(Pages(main).size(), 2u) << "no page opened for " << Utf8(c.link);
    }

    // The game pages of the made-up games, with refusals of their own.
    struct OnGamePage {
        const wchar_t* opener;  // on the checks page
        const wchar_t* path;    // the game page it opens
        const wchar_t* link;    // on the game page
        std::wstring box;
    };
    const OnGamePage gamePages[] = {
        {L"检验-坏名字", L"/game/90.html", L"FlashTable", L"游戏名称“..\\..\\evil”不能用作文件名，无法添加该游戏。"},
        {L"检验-缺字段", L"/game/91.html", L"FlashTable", L"内有"},  // only a name and a picture
        {L"检验-未知命令", L"/game/92.html", L"PlayTable", L"内有"},
    };
    for (const OnGamePage& p : gamePages) {
        ClickTab(main, 1);
        const std::vector<HWND> before = Pages(main);
        const int n = LinkNumber(checks, p.opener);
        ASSERT_GT(n, at) << Utf8(p.opener);
        for (; at < n; ++at) Key(view, VK_TAB);
        Key(view, VK_RETURN);
        HWND page = NewGamePage(main, before);
        ASSERT_TRUE(page) << "no game page for " << Utf8(p.opener);
        const int link = LinkNumber(p.path, p.link);
        ASSERT_GT(link, 0);
        ASSERT_TRUE(Shows(BrowserOf(page), p.path));
        EXPECT_EQ(BoxAfter(BrowserOf(page), link), p.box) << Utf8(p.opener);
        EXPECT_EQ(GameRows(), 0);
    }
    EXPECT_EQ(Pages(main).size(), 5u) << "the two pages and the three game pages";

    // A usable command whose thumbnail is not on the portal: the download fails and says so.
    ClickTab(main, 1);
    const int failing = LinkNumber(checks, L"检验-下载失败");
    ASSERT_GT(failing, at);
    const std::wstring failed = BoxAfter(view, failing - at);
    const std::wstring told = L"“检验-下载失败”下载失败：";
    EXPECT_EQ(failed.substr(0, told.size()), told) << Utf8(failed);

    // Nothing was written: no row, no picture or movie, nothing beside the
    // program folder (the failed download's file goes a moment after the box).
    WaitFor([&] { return Listing(install, true) == programFolder; }, 10000);
    EXPECT_EQ(GameRows(), 0);
    EXPECT_EQ(Listing(install, true), programFolder);
    std::set<std::wstring> aroundAfter = Listing(bin, false);
    for (const auto& f : Listing(bin.parent_path(), false)) aroundAfter.insert(f);
    EXPECT_EQ(aroundAfter, around);
    std::set<std::wstring> besideAfter;
    for (const auto& entry : fs::directory_iterator(bin))
        if (entry.path() != install) besideAfter.merge(Listing(entry.path(), true));
    EXPECT_EQ(besideAfter, beside);
}

TEST_F(Scenario, CloseQuitsAndEndsEveryPlayerOrHidesToTheTray) {
    constexpr int kCloseLeft = 752;
    constexpr UINT kTrayMessage = 1147;

    // The program folder's library says 0: the close button quits.
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    std::unique_ptr<Started> player = StartPlayer(23);
    ASSERT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u);
    HWND close = CaptionButton(main, kCloseLeft);
    ASSERT_TRUE(close);
    PostKey(close, VK_RETURN);  // the focused button pressed from the keyboard
    EXPECT_NE(launcher_->ExitCode(30000), STILL_ACTIVE) << "the launcher quit";
    EXPECT_TRUE(WaitFor([] { return ProcessesOf(L"Pellow.exe").empty(); }, 30000)) << "every player ended";
    EXPECT_TRUE(ProcessesOf(L"Orvane.exe").empty());
    player.reset();

    // Set to 1: the close button hides the window; the tray icon brings it back.
    {
        CatalogueGroup group;
        ASSERT_TRUE(group.Open());
        ASSERT_EQ(group.Exec(L"Update Install Set [I_Close]=1"), 0);
    }
    main = StartLauncher();
    ASSERT_TRUE(main);
    player = StartPlayer(25);
    close = CaptionButton(main, kCloseLeft);
    ASSERT_TRUE(close);
    PostKey(close, VK_RETURN);  // the focused button pressed from the keyboard
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 20000)) << "hidden to the tray";
    PostMessageW(main, kTrayMessage, 0, WM_LBUTTONUP);  // as the shell reports a left click on the icon
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 20000)) << "back from the tray";
    EXPECT_TRUE(launcher_->Running()) << "the same launcher all along";
    EXPECT_EQ(ProcessesOf(L"Orvane.exe").size(), 1u);
    EXPECT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u) << "the player played on";
    EXPECT_EQ(Pages(main).size(), 2u);
}

TEST_F(Scenario, KillingTheLauncherWhileSavedGamesAreAddedLeavesASoundLibrary) { KillWhileAdding(1, 10); }

TEST_F(Scenario, KillingTheLauncherWhileSavedAndStreamedGamesAreAddedLeavesASoundLibrary) { KillWhileAdding(11, 20); }

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // e2e_scenarios <installation> <screenshot folder> <tools folder>, Windows paths with "\" at the end.
    if (argc < 4) return 2;
    auto wide = [](const char* s) { return std::wstring(s, s + strlen(s)); };
    Where() = {wide(argv[1]), wide(argv[2]), wide(argv[3])};
    return RUN_ALL_TESTS();
}
