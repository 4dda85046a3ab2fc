// The road by which games enter the library, when the user does not wait for
// it: a saved game's movie is still coming from a slow game page of the
// portal when, on that same page, the user opens a game the library holds;
// and a new game whose name is another file's short name.
#include <functional>
#include <map>
#include <sstream>

#include "Scenario.h"
#include "TestHttpServer.h"

using namespace e2e;

namespace {

// The names in a folder of the installation.
std::set<std::wstring> Names(const std::wstring& folder) { return Scenario::Listing(Install(folder), false); }

std::string Show(const std::set<std::wstring>& names) {
    std::string text;
    for (const auto& n : names) text += Scenario::Utf8(n) + "; ";
    return text;
}

int LinkCount(const std::wstring& path) {
    const std::string page = Fetch(GetGameUrl() + path);
    int n = 0;
    for (size_t at = page.find("<a "); at != std::string::npos; at = page.find("<a ", at + 1)) ++n;
    return n;
}

// From the page at `from`, the link to `to`, and the view shows it.
bool Follow(HWND view, const std::wstring& from, const std::wstring& to) {
    Scenario::ActivateLink(view, from, Scenario::LinkNumber(from, to));
    return Scenario::Shows(view, to);
}

// The game page's panel lets the user delete the download once the movie is on its way.
bool MovieComing(HWND page) {
    for (HWND label : Descendants(page, L"Orvane.Label"))
        if (Text(label) == L"删除下载" && IsWindowEnabled(label)) return true;
    return false;
}

std::string ReadAll(const std::wstring& file) {
    std::ifstream in(fs::path(Install(file)), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every file of the installation's Jpgs and Games with its size and a hash of its bytes.
std::map<std::wstring, std::string> GameFiles() {
    std::map<std::wstring, std::string> files;
    for (const wchar_t* folder : {L"Jpgs\\", L"Games\\"}) {
        for (const std::wstring& path : Names(folder)) {
            const std::wstring file = folder + fs::path(path).filename().wstring();
            const std::string bytes = ReadAll(file);
            files[file] = std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<std::string>{}(bytes));
        }
    }
    return files;
}

// Every row of the library, its columns joined.
std::vector<std::wstring> Rows() {
    CatalogueGroup group;
    CatalogueQuery q(group, L"Select * From Games");
    std::vector<std::wstring> rows;
    while (q.Step()) {
        std::wstring row;
        for (int col = 0; col < 8; ++col) row += q.Text(col) + L"|";
        rows.push_back(row);
    }
    return rows;
}

// The short (8.3) name the system gives a file of the installation, without
// its extension; empty when the file has no other name.
std::wstring ShortStem(const std::wstring& file) {
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD n = GetShortPathNameW(Install(file).c_str(), shortPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || Install(file) == shortPath) return L"";
    const std::wstring name = fs::path(shortPath).filename().wstring();
    return name.substr(0, name.rfind(L'.'));
}

TEST_F(Scenario, AStoredGameOpenedWhileAMovieIsComingLeavesBothGamesAsTheyShouldBe) {
    // In the library: the web game 25, with its thumbnail and row as an earlier add left them.
    const std::wstring stored = L"Dragon Realm", play = AddWebGame(25, stored);
    const std::string thumbnail = ReadAll(L"Jpgs\\" + stored + L".jpg");
    ASSERT_FALSE(thumbnail.empty());
    const std::set<std::wstring> jpgs = Names(L"Jpgs"), games = Names(L"Games");

    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    ClickTab(main, 1);
    HWND view = BrowserOf(CataloguePage(main));
    ASSERT_TRUE(view);
    // As a user finds it: the featured page from the portal's bar, its link to
    // the checks page, and there the game page whose movie comes slowly.
    const std::wstring feature = L"/orvane/html/left/0/0.html", checks = L"/orvane/html/check/index.htm";
    ASSERT_TRUE(Follow(view, kFirstList, feature));
    ASSERT_TRUE(Follow(view, feature, checks));
    const std::vector<HWND> before = Pages(main);
    ActivateLink(view, checks, LinkNumber(checks, L"slow=1"));
    HWND page = NewGamePage(main, before);
    ASSERT_TRUE(page) << "no game page opened";
    HWND game = BrowserOf(page);
    const std::wstring slowPage = L"/game/6.html?slow=1", list = L"/orvane/html/pellow/index.htm";
    const int command = LinkNumber(slowPage, L"CALL_API");
    ActivateLink(game, slowPage, command);
    ASSERT_TRUE(WaitFor([&] { return MovieComing(page); }, 60000)) << "the movie download did not start";

    // On the same page: back to the game list by its last link, on to the
    // web games, and there the stored one.
    ActivateLink(game, slowPage, LinkCount(slowPage), command);
    ASSERT_TRUE(Follow(game, kFirstList, list));
    ActivateLink(game, list, LinkNumber(list, L"WebTable," + stored));
    HWND player = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (player = TopWindow(kPlayerCaption)) != nullptr; }, 30000)) << "the game did not start";
    EXPECT_EQ(GameRows(L" Where G_Type = 1"), 0) << "the movie was still coming";

    // The download stopped with the new command: the portal is still sending
    // the movie, yet nothing of that add is left, and the stored game is as it was.
    EXPECT_TRUE(WaitFor([&] { return Names(L"Jpgs") == jpgs && Names(L"Games") == games; }, 10000))
        << "Jpgs: " << Show(Names(L"Jpgs")) << " Games: " << Show(Names(L"Games"));
    EXPECT_FALSE(fs::exists(fs::path(Install(L"Downloads")))) << "the add's own folder";
    EXPECT_EQ(ReadAll(L"Jpgs\\" + stored + L".jpg"), thumbnail);
    EXPECT_EQ(GameRows(), 1);
    EXPECT_EQ(GameRows(L" Where G_Name = '" + SqlText(stored) + L"' And G_Type = 2"), 1);
    ASSERT_TRUE(player);
    EXPECT_TRUE(WaitFor([&] { return ShowsAddress(player, play); }, 30000)) << "the player shows the stored game";
    EXPECT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u);
    EXPECT_TRUE(IsWindow(page)) << "the game page stays";
}

// A stored game's thumbnail answers to its short name too. The stored game's
// own page, opened from its game menu, offers a new game under that name:
// the launcher refuses it before fetching anything, and the stored game's
// row and files stay as they were.
TEST_F(Scenario, ANewGameNamedLikeAStoredThumbnailsShortNameIsRefused) {
    const std::wstring stored = L"Marathonrunner";
    AddSavedGame(2, stored);
    const std::wstring alias = ShortStem(L"Jpgs\\" + stored + L".jpg");
    ASSERT_FALSE(alias.empty()) << "the system gives no short names";

    // The page, from a server of this scenario's own, names the new game's files by full addresses.
    TestHttpServer site;
    const std::string base = site.BaseUrl();
    site.Route("/img/n.jpg", TestHttpServer::Text(Fetch(GetGameUrl() + L"/img/g4.jpg"), "image/jpeg"));
    site.Route("/swf/n.swf", TestHttpServer::Text(Fetch(GetGameUrl() + L"/swf/g4.swf"), "application/x-shockwave-flash"));
    site.Route("/game/n.html", TestHttpServer::Text("<html><head><title>New</title></head><body><p>"
                                                    "<a href=\"javascript:CALL_API('FlashTable," + Utf8(alias) + "|" +
                                                    base + "/img/n.jpg|" + base + "/swf/n.swf|intro')\" "
                                                    "target=\"_blank\">new</a></p></body></html>"));
    const std::wstring page = site.BaseUrlW() + L"/game/n.html";
    {
        CatalogueGroup group;
        ASSERT_TRUE(group.Open());
        ASSERT_EQ(group.Exec(L"Update Games Set G_WebUrl = '" + page + L"' Where G_Name = '" + SqlText(stored) + L"'"), 0);
    }
    const auto files = GameFiles();
    const auto rows = Rows();

    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    HWND me = MyBoxPage(main);
    ASSERT_TRUE(me);
    EXPECT_EQ(ShownCells(me, 2), 2) << "the stored game and 更多游戏";
    const std::vector<HWND> before = Pages(main);
    HWND menu = RightClickCell(me, 0);
    ASSERT_TRUE(menu) << "no game menu on the stored game";
    ASSERT_TRUE(Choose(menu, 0));  // 游戏介绍: the game's page
    HWND gamePage = NewGamePage(main, before);
    ASSERT_TRUE(gamePage) << "the game's page did not open";
    HWND view = BrowserOf(gamePage);
    ASSERT_TRUE(Shows(view, page));
    EXPECT_EQ(BoxAfter(view, 1), L"游戏名称“" + alias + L"”不能用作文件名，无法添加该游戏。");

    EXPECT_EQ(site.RequestCount("/img/n.jpg"), 0u);
    EXPECT_EQ(site.RequestCount("/swf/n.swf"), 0u);
    EXPECT_EQ(GameFiles(), files) << "the stored game's files, byte for byte, and nothing else";
    EXPECT_EQ(Rows(), rows);
    EXPECT_FALSE(fs::exists(fs::path(Install(L"Downloads"))));
    EXPECT_TRUE(IsWindow(gamePage)) << "the game page stays";
}

}  // namespace
