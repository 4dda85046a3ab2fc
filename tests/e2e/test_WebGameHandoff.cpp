// Web games from "我的盒子" reaching the player as a user meets them: the
// running player takes each one as a new tab, and after the user has closed
// it and a later game has started a new player, the next game arrives in
// that new player.
#include <gtest/gtest.h>

#include <filesystem>

#include "CatalogueGroup.h"
#include "E2eDesktop.h"
#include "GameGridLayout.h"
#include "Settings.h"
#include "SqlText.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

const wchar_t kCaption[] = L"Brisco";
const wchar_t kPlayerCaption[] = L"Brisco-网页游戏";

class WebGameHandoff : public ::testing::Test {
protected:
    void SetUp() override {
        EndAll(L"Orvane.exe");
        EndAll(L"Pellow.exe");
        CopyFileW((Where().install + L"npGameData.pristine").c_str(), (Where().install + L"npGameData.DLL").c_str(), FALSE);
        WriteSettings(Where().install.substr(0, Where().install.size() - 1));
        SetCurrentDirectoryW(Where().install.c_str());
    }
    void TearDown() override {
        Screenshot(kPlayerCaption, L"WebGameHandoff-player");
        Screenshot(kCaption, L"WebGameHandoff");
        EndAll(L"Orvane.exe");
        EndAll(L"Pellow.exe");
    }

    // Portal web game `id` in the library, as adding it from its page leaves it.
    static std::wstring AddWebGame(int id, const std::wstring& name) {
        const std::wstring address = GetGameUrl() + L"/webgame/" + std::to_wstring(id) + L"/index.html";
        CatalogueGroup group;
        EXPECT_TRUE(group.Open());
        EXPECT_EQ(group.Exec(L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,W_Url,G_Type,G_Favorite) Values('" +
                             SqlText(name) + L"','','" + GetGameUrl() + L"/game/" + std::to_wstring(id) + L".html','" +
                             SqlText(address) + L"',2,1)"),
                  0);
        return address;
    }
    // The "我的盒子" page: the page window holding the grid and the space pane.
    static HWND MyBoxPage(HWND main) {
        for (HWND page : Descendants(main, L"Orvane.Form"))
            if (!Descendants(page, L"OrvaneWebBrowser").empty() && Descendants(page, L"Orvane.TextBox").empty())
                return page;
        return nullptr;
    }
    // A left click on the picture of grid cell `cell`, as the launcher lays the grid out.
    static void ClickCell(HWND me, int cell) {
        GameGrid grid;
        grid.LayoutCells();
        const GridRect& r = grid.GameCells[cell].PicRect;
        Click(me, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // Whether a player window shows a tab whose view is at `address`.
    static bool ShowsAddress(HWND player, const std::wstring& address) {
        for (HWND view : Descendants(player, L"OrvaneWebBrowser"))
            if (Text(view) == address) return true;
        return false;
    }
    // The one player window there is, once it shows `address`.
    static HWND PlayerShowing(const std::wstring& address) {
        HWND player = nullptr;
        WaitFor([&] {
            player = TopWindow(kPlayerCaption);
            return player && ShowsAddress(player, address);
        });
        return player && ShowsAddress(player, address) ? player : nullptr;
    }
    // The player's close button: its right-most caption button.
    static HWND CloseButton(HWND player) {
        HWND best = nullptr;
        for (HWND b : Descendants(player, L"OrvaneImageButton"))
            if (GetParent(b) == player && (!best || WindowRect(b).left > WindowRect(best).left)) best = b;
        return best;
    }
};

TEST_F(WebGameHandoff, AfterThePlayerWasClosedAndStartedAgainTheNextGameArrivesInTheNewPlayer) {
    // The newest game takes the grid's first cell.
    const std::wstring fourth = AddWebGame(26, L"开心小镇"), third = AddWebGame(25, L"Dragon Realm"),
                       second = AddWebGame(24, L"云海仙途"), first = AddWebGame(23, L"三国 群英");
    Started launcher(Where().install + L"Orvane.exe", L"", Where().install);
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = TopWindow(kCaption, launcher.Id())) != nullptr; })) << "no main window";
    HWND me = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (me = MyBoxPage(main)) != nullptr && IsWindowVisible(me); }));

    // No player runs: the first game starts one; the second reaches it over DDE.
    ClickCell(me, 0);
    HWND player = PlayerShowing(first);
    ASSERT_TRUE(player) << "the first game started no player";
    ClickCell(me, 1);
    EXPECT_TRUE(WaitFor([&] { return ShowsAddress(player, second); })) << "the running player got no tab";

    // The user closes the player.
    HWND close = CloseButton(player);
    ASSERT_TRUE(close);
    PostKey(close, VK_RETURN);
    ASSERT_TRUE(WaitFor([] { return ProcessesOf(L"Pellow.exe").empty(); })) << "the player did not end";

    // The next game starts a new player, and the one after it arrives there as a new tab.
    ClickCell(me, 2);
    player = PlayerShowing(third);
    ASSERT_TRUE(player) << "no new player for the third game";
    ClickCell(me, 3);
    EXPECT_TRUE(WaitFor([&] { return ShowsAddress(player, fourth); }))
        << "the fourth game did not reach the new player";
    EXPECT_TRUE(ShowsAddress(player, third));
    EXPECT_EQ(ProcessesOf(L"Pellow.exe").size(), 1u);
    EXPECT_EQ(MessageBoxText(launcher.Id()), L"") << "the hand-off worked: nothing to tell";
}

}  // namespace
