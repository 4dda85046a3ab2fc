// The Flash view held by a form: placed in twips, a fresh view (no movie) at
// every load, Visible and Enabled.
#include <gtest/gtest.h>

#include "Form.h"
#include "ShockwaveFlashHosting.h"
#include "SwfBytes.h"
#include "TempDir.h"
#include "WindowRects.h"

namespace {

class GamePage : public Form {
public:
    GamePage() {
        Caption(L"game");
        Move(0, 0, 12000, 9000);
        Swf.Move(150, 450, 7500, 6000);
    }
    Hosted<ShockwaveFlash> Swf{*this};
};

TEST(HostedFlash, PlacedInTwipsAndFreshAtEveryLoad) {
    GamePage g;
    g.Show();
    ASSERT_NE(g.Swf.hwnd(), nullptr);
    RECT r = RectInParent(g.Swf.hwnd());
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 400);
    EXPECT_EQ(g.Swf.Width(), 7500);

    TempDir dir;
    const std::wstring movie = dir.File(L"game.swf");
    WriteBytes(movie, FwsMovie(8, 550, 400, 24 << 8, 1));
    g.Swf->LoadMovie(0, movie);
    EXPECT_TRUE(g.Swf->Playing());
    g.Swf.Move(0, 0, 3000, 1500);
    EXPECT_EQ(g.Swf->Width(), 200);  // the view's own pixels agree
    g.Swf.Visible(false);
    EXPECT_FALSE(IsWindowVisible(g.Swf.hwnd()));

    g.Unload();
    g.Show();
    EXPECT_FALSE(g.Swf->Playing());
    EXPECT_TRUE(IsWindowVisible(g.Swf.hwnd()));
    EXPECT_EQ(g.Swf->Width(), 500);
    g.Unload();
}

}  // namespace
