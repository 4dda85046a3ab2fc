// Tab widths, tab places and hit tests of both strip styles.
#include <gtest/gtest.h>

#include <vector>

#include "TabStripLayout.h"

using namespace TabStripLayout;

namespace {

std::vector<TabPlace> Tabs(int locked, int others) {
    std::vector<TabPlace> tabs(locked + others);
    for (int i = 0; i < locked; ++i) tabs[i].lockSize = true;
    return tabs;
}

std::vector<long> Lefts(const std::vector<TabPlace>& tabs) {
    std::vector<long> lefts;
    for (const TabPlace& t : tabs) lefts.push_back(t.left);
    return lefts;
}

TEST(TabStripLayout, StyleZeroSharedWidthIsCappedAtTheFullWidth) {
    std::vector<TabPlace> tabs = Tabs(2, 3);
    // room = 760 - 216 - 14 = 530; 530 / 3 rounds to 177, above 108.
    const long width = CalcTabWidth(0, 800, 40, 0, tabs);
    EXPECT_EQ(width, 108);
    LayoutTabs(0, width, tabs);
    EXPECT_EQ(Lefts(tabs), (std::vector<long>{14, 122, 230, 338, 446}));
    EXPECT_EQ(tabs[4].width, 108);
}

TEST(TabStripLayout, StyleOneSharesTheRoomLeftAfterLockedTabsAndGaps) {
    std::vector<TabPlace> tabs = Tabs(2, 10);
    // room = 760 - 248 - 60 = 452; 452 / 10 = 45.2.
    const long width = CalcTabWidth(1, 800, 40, 0, tabs);
    EXPECT_EQ(width, 45);
    LayoutTabs(1, width, tabs);
    EXPECT_EQ(tabs[0].left, 0);
    EXPECT_EQ(tabs[1].left, 129);
    EXPECT_EQ(tabs[2].left, 258);
    EXPECT_EQ(tabs[3].left, 308);
    EXPECT_EQ(tabs[2].width, 45);
    EXPECT_EQ(tabs[1].width, 124);
}

TEST(TabStripLayout, SharedWidthRoundsHalvesToEvenAndHasNoLowerBound) {
    // room = 200 - 0 - 14 = 186 over 4 tabs: 46.5 rounds to 46; 5 tabs: 37.2.
    EXPECT_EQ(CalcTabWidth(0, 200, 0, 0, Tabs(0, 4)), 46);
    // room = 202 - 14 = 188 over 8: 23.5 rounds to 24.
    EXPECT_EQ(CalcTabWidth(0, 202, 0, 0, Tabs(0, 8)), 24);
    EXPECT_EQ(CalcTabWidth(0, 100, 40, 20, Tabs(1, 2)), -41);  // 40 - 108 - 14 = -82 over 2
    EXPECT_EQ(CalcTabWidth(1, 800, 40, 0, Tabs(2, 0)), 124);    // every tab keeps its size
    EXPECT_EQ(CalcTabWidth(0, 800, 40, 0, {}), 108);
}

TEST(TabStripLayout, DrawingPlacesFollowTheStyle) {
    TabPlace tab{100, 90, false, false};
    const Rect image0 = TabImageRect(0, tab), image1 = TabImageRect(1, tab);
    EXPECT_EQ(image0.x, 86);
    EXPECT_EQ(image0.w, 104);
    EXPECT_EQ(image0.h, 25);
    EXPECT_EQ(image1.x, 100);
    EXPECT_EQ(image1.h, 26);
    EXPECT_EQ(CaptionRect(0, tab, false).w, 52);
    EXPECT_EQ(CaptionRect(0, tab, true).w, 64);
    EXPECT_EQ(CaptionRect(1, tab, true).x, 104);
    EXPECT_EQ(CaptionRect(1, tab, false).w, 62);
    tab.hideButton = true;
    EXPECT_EQ(CaptionRect(0, tab, true).w, 76);
    EXPECT_EQ(CaptionRect(1, tab, false).w, 82);
    EXPECT_EQ(CloseButtonRect(0, tab).x, 166);
    EXPECT_EQ(CloseButtonRect(0, tab).y, 6);
    EXPECT_EQ(CloseButtonRect(1, tab).x, 170);
    EXPECT_EQ(CloseButtonRect(1, tab).y, 7);
}

class HitTesting : public ::testing::Test {
protected:
    void SetUp() override {
        tabs = Tabs(0, 3);
        LayoutTabs(0, 100, tabs);  // lefts 14, 114, 214 in the tab area
    }
    Hit At(double x, double y, long style = 0) const { return HitTest(style, 500, style ? 28 : 25, 40, 60, tabs, x, y); }
    std::vector<TabPlace> tabs;
};

TEST_F(HitTesting, OutsideTheStripAndOutsideTheTabArea) {
    EXPECT_EQ(At(-1, 5).index, -3);
    EXPECT_EQ(At(501, 5).index, -3);
    EXPECT_EQ(At(100, 26).index, -3);
    EXPECT_EQ(At(100, -0.5).index, -3);
    EXPECT_EQ(At(39, 5).index, -2);
    EXPECT_EQ(At(441, 5).index, -2);
    EXPECT_EQ(At(500, 25).index, -2);
    EXPECT_EQ(HitTest(0, 500, 25, 40, 60, {}, 100, 5).index, -1);
    EXPECT_EQ(At(40 + 315, 5).index, -1);  // right of the last tab
}

TEST_F(HitTesting, FirstFourteenPixelsHitTheFirstTab) {
    EXPECT_EQ(At(40, 5).index, 0);
    EXPECT_EQ(At(54, 5).index, 0);
    tabs[0].left = 30;  // even when the first tab starts further right
    EXPECT_EQ(At(50, 5).index, 0);
}

TEST_F(HitTesting, SharedEdgeHitsTheLowerIndex) {
    EXPECT_EQ(At(40 + 114, 5).index, 0);
    EXPECT_EQ(At(40 + 114.5, 5).index, 1);
    EXPECT_EQ(At(40 + 314, 5).index, 2);
}

TEST_F(HitTesting, CloseZoneIsInclusiveOnEveryEdge) {
    // Tab 1: Left 114, Width 100: zone 190..202 x 6..18.
    EXPECT_TRUE(At(40 + 190, 6).onClose);
    EXPECT_TRUE(At(40 + 202, 18).onClose);
    EXPECT_FALSE(At(40 + 189, 10).onClose);
    EXPECT_FALSE(At(40 + 203, 10).onClose);
    EXPECT_FALSE(At(40 + 195, 5).onClose);
    EXPECT_FALSE(At(40 + 195, 19).onClose);
    EXPECT_EQ(At(40 + 195, 10).index, 1);
    tabs[1].hideButton = true;
    EXPECT_FALSE(At(40 + 195, 10).onClose);
    EXPECT_EQ(At(40 + 195, 10).index, 1);
}

TEST_F(HitTesting, StyleOneUsesItsHeightAndCloseZone) {
    LayoutTabs(1, 100, tabs);  // lefts 0, 105, 210
    EXPECT_EQ(At(40 + 150, 26, 1).index, 1);
    EXPECT_EQ(At(40 + 150, 28, 1).index, 1);
    EXPECT_EQ(At(40 + 150, 29, 1).index, -3);
    // Tab 1: zone 185..197 x 7..19.
    EXPECT_TRUE(At(40 + 185, 7, 1).onClose);
    EXPECT_TRUE(At(40 + 197, 19, 1).onClose);
    EXPECT_FALSE(At(40 + 198, 19, 1).onClose);
    EXPECT_FALSE(At(40 + 190, 6, 1).onClose);
    // A taller skin (the bitmap one) moves the vertical bound.
    EXPECT_EQ(HitTest(1, 500, 32, 40, 60, tabs, 190, 30).index, 1);
    EXPECT_EQ(HitTest(1, 500, 32, 40, 60, tabs, 190, 33).index, -3);
}

}  // namespace
