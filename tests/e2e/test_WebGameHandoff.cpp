// Web games from "我的盒子" reaching the player as a user meets them: the
// running player takes each one as a new tab, and after the user has closed
// it and a later game has started a new player, the next game arrives in
// that new player.
#include "Scenario.h"

using namespace e2e;

namespace {

// A left click on the picture of grid cell `cell`, as the launcher lays the grid out.
void ClickCell(HWND me, int cell) {
    const GridRect r = Scenario::CellInPage(cell);
    Click(me, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// The one player window there is, once it shows `address`.
HWND PlayerShowing(const std::wstring& address) {
    HWND player = nullptr;
    WaitFor([&] {
        player = TopWindow(kPlayerCaption);
        return player && Scenario::ShowsAddress(player, address);
    });
    return player && Scenario::ShowsAddress(player, address) ? player : nullptr;
}

// The player's close button: its right-most caption button.
HWND CloseButton(HWND player) {
    HWND best = nullptr;
    for (HWND b : Descendants(player, L"OrvaneImageButton"))
        if (GetParent(b) == player && (!best || WindowRect(b).left > WindowRect(best).left)) best = b;
    return best;
}

TEST_F(Scenario, AfterThePlayerWasClosedAndStartedAgainTheNextWebGameArrivesInTheNewPlayer) {
    // The newest game takes the grid's first cell.
    const std::wstring fourth = AddWebGame(26, L"开心小镇"), third = AddWebGame(25, L"Dragon Realm"),
                       second = AddWebGame(24, L"云海仙途"), first = AddWebGame(23, L"三国 群英");
    HWND main = StartLauncher();
    ASSERT_TRUE(main);
    HWND me = MyBoxPage(main);
    ASSERT_TRUE(me);

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
    EXPECT_EQ(MessageBoxText(launcher_->Id()), L"") << "the hand-off worked: nothing to tell";
    Screenshot(kPlayerCaption, L"AfterThePlayerWasClosedAndStartedAgainTheNextWebGameArrivesInTheNewPlayer-player");
}

}  // namespace
