// The road by which games enter the library, when the user does not wait for
// it: a saved game's movie is still coming from a slow game page of the
// portal when, on that same page, the user opens a game the library holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "CatalogueGroup.h"
#include "E2eDesktop.h"
#include "Pump.h"
#include "Settings.h"
#include "SqlText.h"
#include "TabStripLayout.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const wchar_t kCaption[] = L"Brisco";
const wchar_t kPlayerCaption[] = L"Brisco-网页游戏";

std::wstring Install(const std::wstring& rel = L"") { return Where().install + rel; }

std::string Utf8(const std::wstring& text) {
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::set<std::wstring> Listing(const std::wstring& folder) {
    std::set<std::wstring> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::path(Install(folder)), ec)) names.insert(e.path().filename().wstring());
    return names;
}

std::string Show(const std::set<std::wstring>& names) {
    std::string text;
    for (const auto& n : names) text += Utf8(n) + "; ";
    return text;
}

class AddGameRoad : public ::testing::Test {
protected:
    void SetUp() override {
        EndAll(L"Orvane.exe");
        EndAll(L"Pellow.exe");
        // A fresh library: the program folder's own database, no downloads.
        CopyFileW(Install(L"npGameData.pristine").c_str(), Install(L"npGameData.DLL").c_str(), FALSE);
        for (const wchar_t* folder : {L"Jpgs", L"Games"})
            for (const auto& entry : fs::directory_iterator(Install(folder)))
                if (entry.path().filename() != L"1.swf" && entry.path().filename() != L"2.swf") fs::remove(entry.path());
        fs::remove_all(fs::path(Install(L"Downloads")));
        WriteSettings(Where().install.substr(0, Where().install.size() - 1));
        SetCurrentDirectoryW(Where().install.c_str());
    }
    void TearDown() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Screenshot(kCaption, std::wstring(name.begin(), name.end()));
        EndAll(L"Orvane.exe");
        EndAll(L"Pellow.exe");
    }

    HWND StartLauncher() {
        launcher_ = std::make_unique<Started>(Install(L"Orvane.exe"), L"", Where().install);
        HWND main = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (main = TopWindow(kCaption, launcher_->Id())) != nullptr; }))
            << "the main window did not show";
        return main;
    }
    static std::vector<HWND> Pages(HWND main) { return Descendants(main, L"Orvane.Form"); }
    // The catalogue tab, clicked as a user does.
    static void ShowCatalogue(HWND main) {
        std::vector<HWND> strips = Descendants(main, L"Orvane.uTab");
        ASSERT_FALSE(strips.empty());
        std::vector<TabStripLayout::TabPlace> tabs(2);
        for (auto& t : tabs) t.lockSize = true;
        TabStripLayout::LayoutTabs(0, TabStripLayout::FullWidth(0), tabs);
        Click(strips[0], tabs[1].left + tabs[1].width / 2, TabStripLayout::StripHeight(0) / 2);
    }
    // A page's portal view: its largest browser view (a game page also has a small advertisement view).
    static HWND BrowserOf(HWND page) {
        HWND best = nullptr;
        long bestArea = -1;
        for (HWND view : Descendants(page, L"OrvaneWebBrowser")) {
            const RECT r = WindowRect(view);
            const long area = (r.right - r.left) * (r.bottom - r.top);
            if (area > bestArea) best = view, bestArea = area;
        }
        return best;
    }
    static HWND CataloguePage(HWND main) {
        for (HWND page : Pages(main))
            if (!Descendants(page, L"Orvane.TextBox").empty()) return page;
        return nullptr;
    }
    // The number of the first link of a portal page (as Tab counts them)
    // whose markup holds `part`; 0 when there is none.
    static int LinkNumber(const std::wstring& path, const std::wstring& part) {
        const std::string page = Fetch(GetGameUrl() + path), want = Utf8(part);
        int n = 0;
        for (size_t at = page.find("<a "); at != std::string::npos; at = page.find("<a ", at + 1)) {
            ++n;
            if (page.substr(at, page.find('>', at) - at).find(want) != std::string::npos) return n;
        }
        return 0;
    }
    static int LinkCount(const std::wstring& path) {
        const std::string page = Fetch(GetGameUrl() + path);
        int n = 0;
        for (size_t at = page.find("<a "); at != std::string::npos; at = page.find("<a ", at + 1)) ++n;
        return n;
    }
    // The view shows the portal page: its window text is the address.
    static bool Shows(HWND view, const std::wstring& path) {
        return WaitFor([&] { return Text(view) == GetGameUrl() + path; }, 30000);
    }
    // Tabs on to link n of the page the view shows (from link `at`, 0 when
    // no link has the focus) and presses Enter.
    static void Activate(HWND view, int n, int at = 0) {
        for (int i = at; i < n; ++i) Key(view, VK_TAB);
        Key(view, VK_RETURN);
    }
    // From the page at `from`, the link to `to`, and the view shows it.
    static bool Follow(HWND view, const std::wstring& from, const std::wstring& to) {
        if (!Shows(view, from)) return false;
        Activate(view, LinkNumber(from, to));
        return Shows(view, to);
    }
    // The game page's panel lets the user delete the download once the movie is on its way.
    static bool MovieComing(HWND page) {
        for (HWND label : Descendants(page, L"Orvane.Label"))
            if (Text(label) == L"删除下载" && IsWindowEnabled(label)) return true;
        return false;
    }
    static int Rows(const std::wstring& where = L"") {
        CatalogueGroup group;
        CatalogueQuery q(group, L"Select Count(*) From Games" + where);
        return q.Step() ? q.Int(0) : -1;
    }
    static std::string ReadAll(const std::wstring& file) {
        std::ifstream in(fs::path(Install(file)), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::unique_ptr<Started> launcher_;
};

TEST_F(AddGameRoad, AStoredGameOpenedWhileAMovieIsComingLeavesBothGamesAsTheyShouldBe) {
    // In the library: the web game 25, with its thumbnail and row as an earlier add left them.
    const std::wstring stored = L"Dragon Realm", play = GetGameUrl() + L"/webgame/25/index.html";
    const std::string thumbnail = Fetch(GetGameUrl() + L"/img/g25.jpg");
    ASSERT_FALSE(thumbnail.empty());
    std::ofstream(fs::path(Install(L"Jpgs\\" + stored + L".jpg")), std::ios::binary) << thumbnail;
    {
        CatalogueGroup group;
        ASSERT_TRUE(group.Open());
        ASSERT_EQ(group.Exec(L"Insert Into Games(G_Name,W_Url,G_WebUrl,G_Type,G_Favorite) Values('" + SqlText(stored) +
                             L"','" + SqlText(play) + L"','" + SqlText(GetGameUrl() + L"/game/25.html") + L"',2,1)"),
                  0);
    }
    const std::set<std::wstring> jpgs = Listing(L"Jpgs"), games = Listing(L"Games");

    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    ShowCatalogue(main);
    HWND view = BrowserOf(CataloguePage(main));
    ASSERT_TRUE(view);
    // As a user finds it: the featured page from the portal's bar, its link to
    // the checks page, and there the game page whose movie comes slowly.
    const std::wstring feature = L"/orvane/html/left/0/0.html", checks = L"/orvane/html/check/index.htm";
    ASSERT_TRUE(Follow(view, L"/orvane/html/topleft/0.html", feature));
    ASSERT_TRUE(Follow(view, feature, checks));
    const std::vector<HWND> before = Pages(main);
    Activate(view, LinkNumber(checks, L"slow=1"));
    HWND page = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND p : Pages(main))
            if (std::find(before.begin(), before.end(), p) == before.end() && BrowserOf(p)) page = p;
        return page != nullptr;
    })) << "no game page opened";
    HWND game = BrowserOf(page);
    const std::wstring slowPage = L"/game/6.html?slow=1", list = L"/orvane/html/pellow/index.htm";
    ASSERT_TRUE(Shows(game, slowPage));
    const int command = LinkNumber(slowPage, L"CALL_API");
    Activate(game, command);
    ASSERT_TRUE(WaitFor([&] { return MovieComing(page); }, 60000)) << "the movie download did not start";

    // On the same page: back to the game list by its last link, on to the
    // web games, and there the stored one.
    const std::wstring flashList = L"/orvane/html/topleft/0.html";
    Activate(game, LinkCount(slowPage), command);
    ASSERT_TRUE(Follow(game, flashList, list));
    Activate(game, LinkNumber(list, L"WebTable," + stored));
    HWND player = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (player = TopWindow(kPlayerCaption)) != nullptr; }, 30000)) << "the game did not start";
    EXPECT_EQ(Rows(L" Where G_Type = 1"), 0) << "the movie was still coming";

    // The download stopped with the new command: the portal is still sending
    // the movie, yet nothing of that add is left, and the stored game is as it was.
    EXPECT_TRUE(WaitFor([&] { return Listing(L"Jpgs") == jpgs && Listing(L"Games") == games; }, 10000))
        << "Jpgs: " << Show(Listing(L"Jpgs")) << " Games: " << Show(Listing(L"Games"));
    EXPECT_FALSE(fs::exists(fs::path(Install(L"Downloads")))) << "the add's own folder";
    EXPECT_EQ(ReadAll(L"Jpgs\\" + stored + L".jpg"), thumbnail);
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Rows(L" Where G_Name = '" + SqlText(stored) + L"' And G_Type = 2"), 1);
    ASSERT_TRUE(player);
    EXPECT_TRUE(WaitFor([&] {
        for (HWND v : Descendants(player, L"OrvaneWebBrowser"))
            if (Text(v) == play) return true;
        return false;
    }, 30000)) << "the player shows the stored game";
    EXPECT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u);
    EXPECT_TRUE(IsWindow(page)) << "the game page stays";
}

}  // namespace
