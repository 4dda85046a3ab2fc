// The fixture of the end-to-end scenarios: a fresh user's installation for
// each, the launcher started as a shortcut starts it, and what a user (and
// the user's tools) does and sees: tabs, pages, links, the grid, menus,
// message boxes, the player, the library and the files on disk.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CatalogueGroup.h"
#include "E2eDesktop.h"
#include "GameGridLayout.h"
#include "MdlMenuComm.h"
#include "PortalRequest.h"
#include "Pump.h"
#include "Settings.h"
#include "SqlText.h"
#include "TabStripLayout.h"

namespace e2e {

namespace fs = std::filesystem;

inline constexpr wchar_t kCaption[] = L"Brisco";
inline constexpr wchar_t kPlayerCaption[] = L"Brisco-网页游戏";
inline constexpr wchar_t kFirstList[] = L"/orvane/html/topleft/0.html";  // the catalogue's first page
inline constexpr wchar_t kSearch[] = L"/orvane/php/search.php";
inline constexpr wchar_t kGamePage[] = L"/game/";
inline constexpr wchar_t kSpace[] = L"/my/";  // the space pane's pages (signing out shows logout.php)

inline std::wstring Install(const std::wstring& rel = L"") { return Where().install + rel; }

class Scenario : public ::testing::Test {
public:
    void SetUp() override {
        EndAll(L"Orvane.exe");
        EndAll(L"Pellow.exe");
        // A fresh library: the program folder's own database, no downloads.
        CopyFileW((Install(L"npGameData.pristine")).c_str(), Install(L"npGameData.DLL").c_str(), FALSE);
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

    // Starts the launcher as a shortcut does and waits for its main window.
    HWND StartLauncher() {
        launcher_ = std::make_unique<Started>(Install(L"Orvane.exe"), L"", Where().install);
        HWND main = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (main = TopWindow(kCaption, launcher_->Id())) != nullptr; }))
            << "the main window did not show";
        // The catalogue page fills in after the window's first paint.
        EXPECT_TRUE(main && WaitFor([&] {
                        const HWND view = BrowserOf(CataloguePage(main));
                        return view && Text(view).find(kFirstList) != std::wstring::npos;
                    }, 30000))
            << "the catalogue's first page";
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
    // The page's portal view: its largest browser view (a game page also has a small advertisement view).
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
    // Waits until the view shows a page whose address (the view's window
    // text, as tools read it) holds `page`.
    static bool Shows(HWND view, const std::wstring& page) {
        return WaitFor([&] { return view && Text(view).find(page) != std::wstring::npos; }, 30000);
    }
    // Once the view shows the page, moves the keyboard focus to its n-th
    // link (from link `from`, 0 when no link has it) and activates it.
    static void ActivateLink(HWND view, const std::wstring& page, int n, int from = 0) {
        ASSERT_TRUE(Shows(view, page)) << "the view shows " << Utf8(Text(view)) << ", not " << Utf8(page);
        for (int i = from; i < n; ++i) Key(view, VK_TAB);
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
        HWND view = BrowserOf(page);
        const std::wstring before = Text(view);
        Key(button, VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return Text(view) != before && Text(view).find(kSearch) != std::wstring::npos; }, 30000))
            << "no search results";
    }
    // Waits for a game page the main window did not hold before: a new page
    // window with a browser view. The page, or nullptr when none came.
    static HWND NewGamePage(HWND main, const std::vector<HWND>& before) {
        HWND page = nullptr;
        WaitFor([&] {
            for (HWND p : Pages(main))
                if (std::find(before.begin(), before.end(), p) == before.end() && BrowserOf(p)) page = p;
            return page != nullptr;
        });
        return page;
    }
    // Opens a game's page from the catalogue by searching for its name and
    // activating the first result; the new page window.
    HWND OpenGamePage(HWND main, const std::wstring& name) {
        ClickTab(main, 1);
        const std::vector<HWND> before = Pages(main);
        Search(main, name);
        ActivateLink(BrowserOf(CataloguePage(main)), kSearch, 5);  // four links of the portal's bar come first
        HWND page = NewGamePage(main, before);
        EXPECT_TRUE(page) << "no game page opened for " << fs::path(name).string();
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

    // The number of the first link of a portal page (as Tab counts them from
    // the top) whose markup holds `part`; 0 when there is none.
    static int LinkNumber(const std::wstring& path, const std::wstring& part) {
        const std::string page = Fetch(GetGameUrl() + path), want = Utf8(part);
        int n = 0;
        for (size_t at = page.find("<a "); at != std::string::npos; at = page.find("<a ", at + 1)) {
            ++n;
            if (page.substr(at, page.find('>', at) - at).find(want) != std::string::npos) return n;
        }
        return 0;
    }
    static std::string Utf8(const std::wstring& text) {
        std::string out(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
        out.resize(out.size() - 1);
        return out;
    }
    // Every file and folder below a folder, by path.
    static std::set<std::wstring> Listing(const fs::path& folder, bool deep) {
        std::set<std::wstring> names;
        std::error_code ec;
        if (deep) {
            for (const auto& e : fs::recursive_directory_iterator(folder, ec)) names.insert(e.path().wstring());
        } else {
            for (const auto& e : fs::directory_iterator(folder, ec)) names.insert(e.path().wstring());
        }
        return names;
    }
    // What the launcher shows in a message box after a link was activated
    // with a posted Enter (the box is modal), dismissed again.
    std::wstring BoxAfter(HWND view, int tabs) {
        for (int i = 0; i < tabs; ++i) Key(view, VK_TAB);
        PostKey(view, VK_RETURN);
        std::wstring text;
        WaitFor([&] { return !(text = MessageBoxText(launcher_->Id())).empty(); }, 30000);
        DismissMessageBox(launcher_->Id());
        return text;
    }

    // A caption button of the main window, by its left edge in the window.
    static HWND CaptionButton(HWND main, int left) {
        const RECT frame = WindowRect(main);
        for (HWND b : Descendants(main, L"OrvaneImageButton"))
            if (GetParent(b) == main && WindowRect(b).left - frame.left == left) return b;
        return nullptr;
    }
    // A player started by hand with a web game of the portal.
    static std::unique_ptr<Started> StartPlayer(int game) {
        auto player = std::make_unique<Started>(
            Install(L"Pellow.exe"), GetGameUrl() + L"/webgame/" + std::to_wstring(game) + L"/index.html", Where().install);
        EXPECT_TRUE(WaitFor([&] { return TopWindow(kPlayerCaption, player->Id()) != nullptr; }))
            << "the player did not show";
        return player;
    }

    // Opens the page of portal game `id` from the catalogue's Flash game list
    // (its first page, or the next one); the new page window.
    HWND OpenFromList(HWND main, int id) {
        ClickTab(main, 1);
        HWND view = BrowserOf(CataloguePage(main));
        if (!view) return nullptr;
        const std::vector<HWND> before = Pages(main);
        const std::wstring game = L"/game/" + std::to_wstring(id) + L".html";
        std::wstring list = kFirstList;  // shown since the start
        if (LinkNumber(list, game) == 0) {
            ActivateLink(view, list, LinkNumber(list, L"/orvane/html/topleft/1.html"));
            list = L"/orvane/html/topleft/1.html";
        }
        ActivateLink(view, list, LinkNumber(list, game));
        return NewGamePage(main, before);
    }

    // The "我的盒子" page: the page with the two view buttons at its bottom left.
    static HWND MyBoxPage(HWND main) {
        for (HWND page : Pages(main))
            if (ViewButton(page, 8) && ViewButton(page, 36)) return page;
        return nullptr;
    }
    static HWND ViewButton(HWND page, int left) {
        const RECT p = WindowRect(page);
        for (HWND b : Descendants(page, L"OrvaneImageButton"))
            if (WindowRect(b).left - p.left == left && WindowRect(b).top - p.top == 524) return b;
        return nullptr;
    }
    // A grid cell's picture in the page, as the launcher lays the grid out, and on the screen.
    static GridRect CellInPage(int cell) {
        GameGrid grid;
        grid.LayoutCells();
        return grid.GameCells[cell].PicRect;
    }
    static RECT CellOnScreen(HWND me, int cell) {
        const GridRect r = CellInPage(cell);
        POINT at{r.Left, r.Top};
        ClientToScreen(me, &at);
        return {at.x, at.y, at.x + r.Right - r.Left, at.y + r.Bottom - r.Top};
    }
    // How many cells of the grid's page show an entry, as the screen shows
    // them: an empty cell looks like the last one, which stays empty while
    // the list is shorter than a page. Waits for the screen to show
    // `expected` (a repaint reaches it a moment after the change).
    static int ShownCells(HWND me, int expected) {
        const int last = kCellsPerPage - 1;
        int shown = -1;
        WaitFor([&] {
            const std::vector<DWORD> empty = ScreenPixels(CellOnScreen(me, last));
            shown = 0;
            for (int cell = 0; cell < last; ++cell) shown += ScreenPixels(CellOnScreen(me, cell)) != empty ? 1 : 0;
            return shown == expected;
        }, 10000);
        return shown;
    }
    // A right click on a grid cell, with the pointer there: the menu it opens, or nullptr.
    HWND RightClickCell(HWND me, int cell) {
        const GridRect r = CellInPage(cell);
        const POINT at{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        POINT onScreen = at;
        ClientToScreen(me, &onScreen);
        SetCursorPos(onScreen.x, onScreen.y);
        PostMessageW(me, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        PostMessageW(me, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageW(me, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));  // the menu is modal: posted
        // The menu shows before its thread tracks it: a click before then
        // is the window's, not the menu's, and chooses nothing.
        HWND menu = nullptr;
        WaitFor([&] { return (menu = MenuWindow(launcher_->Id())) != nullptr && Tracking(menu); }, 5000);
        return menu;
    }
    static bool Tracking(HWND menu) {
        GUITHREADINFO info{sizeof info};
        return GetGUIThreadInfo(GetWindowThreadProcessId(menu, nullptr), &info) && (info.flags & GUI_INMENUMODE);
    }
    // Chooses line `line` (from 0) of the open game menu with a click on it,
    // placed by the heights the launcher gives its lines; the pointer then
    // goes back to the cell, so that no other cell shows it hovering.
    static bool Choose(HWND menu, int line) {
        constexpr bool kSeparator[] = {false, false, true, false, false, true, false};
        POINT cell{};
        GetCursorPos(&cell);
        POINT at{kMenuItemWidth / 2, kMenuItemHeight / 2};
        for (int i = 0; i < line; ++i) at.y += kSeparator[i] ? kMenuSeparatorHeight : kMenuItemHeight;
        ClientToScreen(menu, &at);
        ClickOnScreen(at);
        const bool closed = WaitClosed(menu, 20000);
        SetCursorPos(cell.x, cell.y);
        return closed;
    }
    // A game's G_Favorite (2 a favourite, 1 not), or -1 without a row.
    static int Favorite(const std::wstring& name) {
        CatalogueGroup group;
        CatalogueQuery q(group, L"Select G_Favorite From Games Where G_Name = '" + SqlText(name) + L"'");
        return q.Step() ? q.Int(0) : -1;
    }
    // Portal web game `id` put into the library as an earlier add left it
    // (its thumbnail and its row); the game's address.
    static std::wstring AddWebGame(int id, const std::wstring& name) {
        const std::wstring number = std::to_wstring(id), address = GetGameUrl() + L"/webgame/" + number + L"/index.html";
        std::ofstream(fs::path(Install(L"Jpgs\\" + name + L".jpg")), std::ios::binary)
            << Fetch(GetGameUrl() + L"/img/g" + number + L".jpg");
        CatalogueGroup group;
        EXPECT_TRUE(group.Open());
        EXPECT_EQ(group.Exec(L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,W_Url,G_Type,G_Favorite) Values('" +
                             SqlText(name) + L"','','" + GetGameUrl() + L"/game/" + number + L".html','" +
                             SqlText(address) + L"',2,1)"),
                  0);
        return address;
    }
    // Whether a player window shows a tab whose view is at `address`.
    static bool ShowsAddress(HWND player, const std::wstring& address) {
        for (HWND view : Descendants(player, L"OrvaneWebBrowser"))
            if (Text(view) == address) return true;
        return false;
    }
    // A saved Flash game of the portal put into the library as an earlier add left it.
    static void AddSavedGame(int id, const std::wstring& name) {
        const std::wstring number = std::to_wstring(id);
        const std::pair<std::wstring, std::wstring> files[] = {{L"Jpgs\\" + name + L".jpg", L"/img/g" + number + L".jpg"},
                                                               {L"Games\\" + name + L".swf", L"/swf/g" + number + L".swf"}};
        for (const auto& [file, address] : files) {
            const std::string body = Fetch(GetGameUrl() + address);
            ASSERT_FALSE(body.empty()) << Utf8(address);
            std::ofstream(fs::path(Install(file)), std::ios::binary) << body;
        }
        CatalogueGroup group;
        ASSERT_TRUE(group.Open());
        ASSERT_EQ(group.Exec(L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,G_Type,G_Favorite) Values('" +
                             SqlText(name) + L"','','" + GetGameUrl() + L"/game/" + number + L".html',1,1)"),
                  0);
    }

    // A child window of a class at a place in a borderless window (pixels from its top left).
    static HWND ChildAt(HWND window, const wchar_t* className, int x, int y) {
        const RECT w = WindowRect(window);
        for (HWND child : Descendants(window, className)) {
            const RECT r = WindowRect(child);
            if (r.left - w.left == x && r.top - w.top == y) return child;
        }
        return nullptr;
    }
    // The text boxes a user sees in a window, from the top.
    static std::vector<HWND> VisibleBoxes(HWND window) {
        const RECT w = WindowRect(window);
        std::vector<HWND> boxes;
        for (HWND box : Descendants(window, L"Orvane.TextBox"))
            if (IsWindowVisible(box) && WindowRect(box).left >= w.left) boxes.push_back(box);
        std::sort(boxes.begin(), boxes.end(), [](HWND a, HWND b) { return WindowRect(a).top < WindowRect(b).top; });
        return boxes;
    }
    static void Retype(HWND box, const std::wstring& text) {
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        Type(box, text);
    }
    // Activates link `n` of the space pane and waits for the window with this caption.
    HWND OpenFromPane(HWND pane, int n, const wchar_t* caption) {
        ActivateLink(pane, kSpace, n);
        HWND window = nullptr;
        WaitFor([&] { return (window = TopWindow(caption, launcher_->Id())) != nullptr; }, 20000);
        return window;
    }
    // The pane's pixels once it shows a page: more than one colour, unchanged for two seconds.
    static std::vector<DWORD> PaneShown(HWND pane) {
        std::vector<DWORD> now, before;
        int stable = 0;
        WaitFor([&] {
            PumpFor(500);
            before.swap(now);
            now = ScreenPixels(WindowRect(pane));
            const bool page = std::adjacent_find(now.begin(), now.end(), std::not_equal_to<>()) != now.end();
            stable = page && now == before ? stable + 1 : 0;
            return stable == 4;
        }, 30000);
        return now;
    }
    // Whether the pane comes to show (or stops showing) what it showed before.
    static bool PaneTurns(HWND pane, const std::vector<DWORD>& shown, bool same) {
        return WaitFor([&] { return (ScreenPixels(WindowRect(pane)) == shown) == same; }, 20000);
    }
    // What the portal answers a sign-in of its own (its reply text).
    static std::string PortalSignIn(const std::wstring& name, const std::wstring& password) {
        return Fetch(LoginAddress(GetUserUrl(), SiteCode, name, password, false));
    }

    void KillWhileAdding(int first, int last);

    std::unique_ptr<Started> launcher_;
};

}  // namespace e2e
