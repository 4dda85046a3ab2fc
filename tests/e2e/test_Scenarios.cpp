// The launcher and the player as a user meets them: started from a user's
// installation against the demo portal, driven from outside with input
// messages, checked by what shows on the screen, in the database, on disk
// and among the processes. Each scenario ends with a screenshot.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "CatalogueGroup.h"
#include "E2eDesktop.h"
#include "Pump.h"
#include "Settings.h"
#include "TabStripLayout.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const wchar_t kCaption[] = L"Brisco";
const wchar_t kPlayerCaption[] = L"Brisco-网页游戏";

std::wstring Install(const std::wstring& rel = L"") { return Where().install + rel; }

class Scenario : public ::testing::Test {
protected:
    void SetUp() override {
        EndAll(L"Orvane.exe");
        EndAll(L"Pellow.exe");
        // A fresh library: the program folder's own database, no downloads.
        CopyFileW((Install(L"npGameData.pristine")).c_str(), Install(L"npGameData.DLL").c_str(), FALSE);
        for (const wchar_t* folder : {L"Jpgs", L"Games"})
            for (const auto& entry : fs::directory_iterator(Install(folder)))
                if (entry.path().filename() != L"1.swf" && entry.path().filename() != L"2.swf") fs::remove(entry.path());
        WriteSettings(Where().install.substr(0, Where().install.size() - 1));
        SetCurrentDirectoryW(Where().install.c_str());
    }
    void TearDown() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Screenshot(kCaption, std::wstring(name.begin(), name.end()));
        EndAll(L"Orvane.exe");
        EndAll(L"Pellow.exe");
    }

    // Starts the launcher as a shortcut does and waits for its main window.
    HWND StartLauncher() {
        launcher_ = std::make_unique<Started>(Install(L"Orvane.exe"), L"", Where().install);
        HWND main = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (main = TopWindow(kCaption, launcher_->Id())) != nullptr; }))
            << "the main window did not show";
        PumpFor(1000);
        return main;
    }
    // The page windows the main window's tab strip holds.
    static std::vector<HWND> Pages(HWND main) { return Descendants(main, L"Orvane.Form"); }
    // Clicks tab `index` of the main window's strip (the first two are fixed-width).
    static void ClickTab(HWND main, long index) {
        std::vector<HWND> strips = Descendants(main, L"Orvane.uTab");
        ASSERT_FALSE(strips.empty());
        std::vector<TabStripLayout::TabPlace> tabs(2);
        for (auto& t : tabs) t.lockSize = true;
        TabStripLayout::LayoutTabs(0, TabStripLayout::FullWidth(0), tabs);
        const auto& t = tabs[index];
        Click(strips[0], t.left + t.width / 2, TabStripLayout::StripHeight(0) / 2);
    }
    // The catalogue page: the page holding the search box.
    static HWND CataloguePage(HWND main) {
        for (HWND page : Pages(main))
            if (!Descendants(page, L"Orvane.TextBox").empty()) return page;
        return nullptr;
    }
    static HWND BrowserOf(HWND page) {
        std::vector<HWND> views = Descendants(page, L"OrvaneWebBrowser");
        return views.empty() ? nullptr : views.front();
    }
    // Moves the keyboard focus to the n-th link of the page in the view and activates it.
    static void ActivateLink(HWND view, int n) {
        PumpFor(1500);  // the page has loaded by then
        for (int i = 0; i < n; ++i) Key(view, VK_TAB);
        Key(view, VK_RETURN);
    }
    // Types words into the catalogue's search box and presses its search button.
    static void Search(HWND main, const std::wstring& words) {
        HWND page = CataloguePage(main);
        ASSERT_TRUE(page);
        HWND box = Descendants(page, L"Orvane.TextBox").front();
        Click(box, 5, 5);
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        Type(box, words);
        const RECT boxRect = WindowRect(box);
        HWND button = nullptr;
        for (HWND b : Descendants(page, L"OrvaneImageButton")) {
            const RECT r = WindowRect(b);
            if (r.left >= boxRect.right && (!button || r.left < WindowRect(button).left)) button = b;
        }
        ASSERT_TRUE(button);
        Key(button, VK_RETURN);
    }
    // Opens a game's page from the catalogue by searching for its name and
    // activating the first result; the new page window.
    HWND OpenGamePage(HWND main, const std::wstring& name) {
        ClickTab(main, 1);
        const std::vector<HWND> before = Pages(main);
        Search(main, name);
        ActivateLink(BrowserOf(CataloguePage(main)), 5);  // four links of the portal's bar come first
        HWND page = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            for (HWND p : Pages(main))
                if (std::find(before.begin(), before.end(), p) == before.end() && BrowserOf(p)) page = p;
            return page != nullptr;
        })) << "no game page opened for " << fs::path(name).string();
        return page;
    }
    static int GameRows(const std::wstring& where = L"") {
        CatalogueGroup group;
        CatalogueQuery q(group, L"Select Count(*) From Games" + where);
        return q.Step() ? q.Int(0) : -1;
    }
    static std::wstring Column(const std::wstring& name, int col) {
        CatalogueGroup group;
        CatalogueQuery q(group, L"Select * From Games Where G_Name = '" + name + L"'");
        return q.Step() ? q.Text(col) : L"<no row>";
    }

    std::unique_ptr<Started> launcher_;
};

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
    ActivateLink(BrowserOf(page), 5);
    const std::wstring jpg = Install(L"Jpgs\\Space Rocks.jpg"), swf = Install(L"Games\\Space Rocks.swf");
    EXPECT_TRUE(WaitFor([&] { return fs::exists(swf) && GameRows() == 1; }, 60000)) << "the movie was not saved";
    EXPECT_TRUE(fs::exists(jpg));
    EXPECT_EQ(Column(L"Space Rocks", 5), L"1") << "G_Type";
    EXPECT_EQ(Column(L"Space Rocks", 4), L"") << "a saved game has no W_Url";
    EXPECT_TRUE(WaitFor([&] { return !Descendants(main, L"OrvaneFlashPlayer").empty(); }, 20000))
        << "the game plays in its tab";
    EXPECT_FALSE(IsWindow(page) && BrowserOf(page)) << "the Flash page took the game page's tab";
}

TEST_F(Scenario, StreamedFlashAndWebGamesReachTheirPlaces) {
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    HWND stream = OpenGamePage(main, L"Star Miner");
    ASSERT_TRUE(stream);
    ActivateLink(BrowserOf(stream), 5);
    EXPECT_TRUE(WaitFor([&] { return GameRows() == 1; }, 60000));
    EXPECT_TRUE(fs::exists(Install(L"Jpgs\\Star Miner.jpg")));
    EXPECT_FALSE(fs::exists(Install(L"Games\\Star Miner.swf"))) << "a streamed movie is not saved";
    const std::wstring movie = Column(L"Star Miner", 4);
    EXPECT_NE(movie.find(L"/swf/g16.swf"), std::wstring::npos) << fs::path(movie).string();
    EXPECT_EQ(movie.find(L"?nosave"), std::wstring::npos);

    HWND web = OpenGamePage(main, L"Dragon Realm");
    ASSERT_TRUE(web);
    ActivateLink(BrowserOf(web), 5);
    EXPECT_TRUE(WaitFor([&] { return GameRows() == 2; }, 60000));
    EXPECT_EQ(Column(L"Dragon Realm", 5), L"2");
    HWND player = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (player = TopWindow(kPlayerCaption)) != nullptr; }, 30000)) << "the player started";
    EXPECT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u);

    HWND second = OpenGamePage(main, L"Galaxy Wars");
    ASSERT_TRUE(second);
    ActivateLink(BrowserOf(second), 5);
    EXPECT_TRUE(WaitFor([&] { return GameRows() == 3; }, 60000));
    ASSERT_TRUE(player);
    EXPECT_TRUE(WaitFor([&] { return Descendants(player, L"OrvaneWebBrowser").size() >= 2; }, 30000))
        << "the second web game reached the running player";
    EXPECT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u);
    Screenshot(kPlayerCaption, L"StreamedFlashAndWebGamesReachTheirPlaces-player");
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // e2e_scenarios <installation> <screenshot folder> <tools folder>, Windows paths with "\" at the end.
    if (argc < 4) return 2;
    auto wide = [](const char* s) { return std::wstring(s, s + strlen(s)); };
    Where() = {wide(argv[1]), wide(argv[2]), wide(argv[3])};
    return RUN_ALL_TESTS();
}
