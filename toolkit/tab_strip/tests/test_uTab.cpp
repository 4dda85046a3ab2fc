// The tab strip driven by real mouse messages on real windows, drawn from
// the real PNG sheets of the program folder: selection, closing, events,
// page hosting, layout, properties and pixels.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Pump.h"
#include "StbTabSkin.h"
#include "TabTestSupport.h"
#include "test_paths.h"
#include "uTab.h"

using ::testing::ElementsAre;

namespace {

// Colours of the generated sheets.
constexpr COLORREF kNormalFill = RGB(222, 228, 236), kHoverFill = RGB(238, 244, 252),
                   kSelectedFill = RGB(255, 255, 255), kBackgroundTop = RGB(214, 230, 246);
constexpr COLORREF kCloseSelected = RGB(90, 90, 90), kCloseOther = RGB(150, 150, 150),
                   kCloseHover = RGB(214, 52, 52), kClosePressed = RGB(150, 20, 20);

class uTabTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetDllDirectoryW(kDistDir); }

    void TearDown() override { strip.reset(); }

    // A strip of the given style, 800 pixels wide, with tabs "t0".. and drawing unlocked.
    void MakeStrip(int tabs, long style = 0) {
        strip = std::make_unique<uTab>(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
        PropertyBag saved;
        saved.WriteProperty<int32_t>(L"TabStyle", style, 0);
        ASSERT_TRUE(strip->Create(windows.parent, 0, 0, 800, saved));
        strip->hContainerWnd(windows.container);
        for (int i = 0; i < tabs; ++i) AddTab(L"t" + std::to_wstring(i));
        strip->LockReDraw(false);
        strip->OnMouseDown = Recorder("down");
        strip->OnMouseUp = Recorder("up");
        strip->OnMouseHover = Recorder("hover");
        strip->OnDblClick = Recorder("dbl");
        strip->OnMouseLeave = [this] { events.push_back("leave"); };
        strip->OnItemColose = [this](long index, bool& cancel) {
            events.push_back("closing " + std::to_string(index));
            cancel = vetoClose;
        };
    }
    std::shared_ptr<TestPage> AddTab(const std::wstring& caption) {
        auto page = std::make_shared<TestPage>(caption.c_str());
        pages.push_back(page);
        strip->TabItems().Add(caption, page, caption);
        return page;
    }
    uTab::MouseEvent Recorder(const char* name) {
        return [this, name](long index, short& button, short&, float&, float&) {
            events.push_back(std::string(name) + " " + std::to_string(index) + " " + std::to_string(button));
        };
    }

    void Send(UINT msg, WPARAM keys, int x, int y) { SendMessageW(strip->hwnd(), msg, keys, MAKELPARAM(x, y)); }
    void Move(int x, int y) { Send(WM_MOUSEMOVE, 0, x, y); }
    void Click(int x, int y) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(WM_LBUTTONUP, 0, x, y);
    }
    CTabItem& Item(long i) { return *strip->TabItems().Item(i); }
    // Strip coordinates of a point of tab i (tab-area x plus TabLeftSize).
    int X(long i, int dx) { return strip->TabLeftSize() + Item(i).Left() + dx; }
    int CloseX(long i) { return X(i, Item(i).Width() - 24 + 6); }
    COLORREF Pixel(int x, int y) {
        HDC dc = GetDC(strip->hwnd());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(strip->hwnd(), dc);
        return c;
    }
    std::vector<std::wstring> Captions() {
        std::vector<std::wstring> captions;
        for (long i = 0; i < strip->TabItems().Count(); ++i) captions.push_back(Item(i).Caption());
        return captions;
    }
    bool Shown(const std::shared_ptr<TestPage>& page) {
        return IsWindowVisible(page->hwnd()) && GetWindow(windows.container, GW_CHILD) == page->hwnd();
    }

    std::unique_ptr<uTab> strip;
    std::vector<std::shared_ptr<TestPage>> pages;
    std::vector<std::string> events;
    bool vetoClose = false;
    StripWindows windows;  // last, so the windows go first, right after the strip
};

TEST_F(uTabTest, FirstAddSelectsTabZeroButLeavesItsPageHiddenUntilTheContainerResizes) {
    MakeStrip(0);
    EXPECT_EQ(strip->Selected(), -1);
    auto page = AddTab(L"me");
    EXPECT_EQ(strip->Selected(), 0);
    EXPECT_EQ(GetParent(page->hwnd()), windows.container);
    EXPECT_EQ(GetWindowLongW(page->hwnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_TRUE(GetWindowLongW(page->hwnd(), GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(page->hwnd()));
    SetWindowPos(windows.container, nullptr, 0, 0, 700, 250, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(Shown(page));
    RECT rc;
    GetWindowRect(page->hwnd(), &rc);
    EXPECT_EQ(rc.right - rc.left, 700);
    EXPECT_EQ(rc.bottom - rc.top, 250);
}

TEST_F(uTabTest, PressOnATabSelectsItAndShowsItsPage) {
    MakeStrip(3);
    Click(X(2, 30), 12);
    EXPECT_EQ(strip->Selected(), 2);
    EXPECT_TRUE(Shown(pages[2]));
    EXPECT_THAT(events, ElementsAre("down 2 1", "up 2 1"));
    // A press left of the tab area makes no selection and brings -2.
    events.clear();
    Click(10, 12);
    EXPECT_EQ(strip->Selected(), 2);
    EXPECT_THAT(events, ElementsAre("down -2 1", "up -2 1"));
}

TEST_F(uTabTest, RightOrMiddlePressBringsItemIndexZero) {
    MakeStrip(3);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 10, 12);
    Send(WM_RBUTTONUP, 0, 10, 12);
    Send(WM_MBUTTONDOWN, MK_MBUTTON, X(2, 30), 12);
    Send(WM_MOUSEMOVE, MK_MBUTTON, 700, 12);  // with a button held: no hit test
    Send(WM_MBUTTONUP, 0, X(2, 30), 12);
    EXPECT_THAT(events, ElementsAre("down 0 2", "up 0 2", "down 0 4", "up 0 4"));
    EXPECT_EQ(strip->Selected(), 0);
}

TEST_F(uTabTest, CloseButtonOfAnotherTabClosesOnlyWhenReleasedOverIt) {
    MakeStrip(3);
    Move(CloseX(1), 12);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, CloseX(1), 12);
    EXPECT_EQ(strip->Selected(), 0);  // the press only shows the button pressed
    EXPECT_EQ(Pixel(CloseX(1), 12), kClosePressed);
    Send(WM_MOUSEMOVE, MK_LBUTTON, X(2, 30), 12);
    EXPECT_EQ(Pixel(CloseX(1), 12), kClosePressed);  // stays pressed while the button is held
    Send(WM_LBUTTONUP, 0, X(2, 30), 12);
    EXPECT_EQ(strip->TabItems().Count(), 3);

    Move(CloseX(1), 12);
    Click(CloseX(1), 12);
    EXPECT_THAT(Captions(), ElementsAre(L"t0", L"t2"));
    EXPECT_EQ(pages[1]->unloads, 1);
    EXPECT_EQ(events.back(), "up 1 1");
    EXPECT_EQ(std::count(events.begin(), events.end(), "closing 1"), 1);
}

TEST_F(uTabTest, ReleaseOnTheCloseButtonAfterAPressOnTheSameTabsBodyCloses) {
    MakeStrip(3);
    Move(X(1, 20), 12);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, X(1, 20), 12);
    EXPECT_EQ(strip->Selected(), 1);
    Send(WM_MOUSEMOVE, MK_LBUTTON, CloseX(1), 12);
    Send(WM_LBUTTONUP, 0, CloseX(1), 12);
    EXPECT_THAT(Captions(), ElementsAre(L"t0", L"t2"));
    EXPECT_EQ(strip->Selected(), 0);  // the selected tab went: tab 0
    EXPECT_TRUE(Shown(pages[0]));
}

TEST_F(uTabTest, ReleaseOverTheCloseButtonOfAnotherTabThanTheHoveredOneKeepsIt) {
    MakeStrip(3);
    Move(X(0, 30), 12);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, X(0, 30), 12);
    Send(WM_MOUSEMOVE, MK_LBUTTON, CloseX(2), 12);
    Send(WM_LBUTTONUP, 0, CloseX(2), 12);
    EXPECT_EQ(strip->TabItems().Count(), 3);
}

TEST_F(uTabTest, TabWithoutCloseButtonNeverClosesByMouse) {
    MakeStrip(2);
    Item(1).HideButton(true);
    Move(CloseX(1), 12);
    Click(CloseX(1), 12);
    EXPECT_EQ(strip->TabItems().Count(), 2);
    EXPECT_EQ(strip->Selected(), 1);  // not on a close button: an ordinary press
    EXPECT_EQ(Pixel(CloseX(1), 12), kSelectedFill);
}

TEST_F(uTabTest, OwnerThatCancelsKeepsTheTab) {
    MakeStrip(2);
    vetoClose = true;
    Move(CloseX(1), 12);
    Click(CloseX(1), 12);
    EXPECT_EQ(strip->TabItems().Count(), 2);
    EXPECT_EQ(pages[1]->unloads, 0);
    EXPECT_THAT(events, ElementsAre("hover 1 0", "down 1 1", "closing 1", "up 1 1"));
}

TEST_F(uTabTest, DoubleClickPressesAgainWithTheRememberedPointThenReports) {
    MakeStrip(3);
    Move(X(2, 30), 12);
    events.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, X(2, 30), 12);
    Send(WM_LBUTTONUP, 0, X(2, 30), 12);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, X(2, 30), 12);
    Send(WM_LBUTTONUP, 0, X(2, 30), 12);
    EXPECT_THAT(events, ElementsAre("down 2 1", "up 2 1", "down 2 1", "dbl 2 1", "up 2 1"));
}

TEST_F(uTabTest, DoubleClickOnACloseButtonClosesTwoTabs) {
    MakeStrip(5);
    Move(CloseX(1), 12);
    const int x = CloseX(1);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, x, 12);
    Send(WM_LBUTTONUP, 0, x, 12);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, x, 12);
    Send(WM_LBUTTONUP, 0, x, 12);
    EXPECT_THAT(Captions(), ElementsAre(L"t0", L"t3", L"t4"));
}

TEST_F(uTabTest, HoverIsReportedOnceAndLeavingTheWindowClearsIt) {
    MakeStrip(3);
    POINT origin{0, 0};
    ClientToScreen(strip->hwnd(), &origin);
    SetCursorPos(origin.x + X(1, 30), origin.y + 12);
    PumpFor(50);
    Move(X(1, 30), 12);
    Move(X(1, 31), 12);
    EXPECT_EQ(Pixel(X(1, 4), 20), kHoverFill);
    Move(CloseX(1), 12);  // same tab, now over its close button: no second hover
    EXPECT_EQ(Pixel(CloseX(1), 12), kCloseHover);
    SetCursorPos(origin.x + 400, origin.y - 300);
    ASSERT_TRUE(PumpUntil([&] { return !events.empty() && events.back() == "leave"; }, 3000));
    EXPECT_THAT(events, ElementsAre("hover 1 0", "leave"));
    EXPECT_EQ(Pixel(X(1, 4), 20), kNormalFill);
    EXPECT_EQ(Pixel(CloseX(1), 12), kCloseOther);
}

TEST_F(uTabTest, SelectionFollowsRemovals) {
    MakeStrip(5);
    strip->Selected(3);
    strip->TabItems().Remove(L"t1");  // left of the selected one: same page, one lower
    EXPECT_EQ(strip->Selected(), 2);
    EXPECT_EQ(Item(2).Caption(), L"t3");
    strip->TabItems().Remove(L"t4");  // right of it: unchanged
    EXPECT_EQ(strip->Selected(), 2);
    strip->TabItems().Remove(L"t3");  // the selected one: tab 0
    EXPECT_EQ(strip->Selected(), 0);
    EXPECT_TRUE(Shown(pages[0]));
    strip->TabItems().Remove(L"t2");
    strip->TabItems().Remove(L"t0");
    EXPECT_EQ(strip->Selected(), 0);
    EXPECT_EQ(strip->TabItems().Count(), 0);
}

TEST_F(uTabTest, SelectedIgnoresCountAndTurnsNegativesIntoNone) {
    MakeStrip(3);
    strip->Selected(1);
    strip->Selected(3);
    EXPECT_EQ(strip->Selected(), 1);
    strip->Selected(-5);
    EXPECT_EQ(strip->Selected(), -1);
    EXPECT_TRUE(Shown(pages[1]));  // pages stay as they are
    EXPECT_EQ(Pixel(X(1, 4), 20), kNormalFill);
}

TEST_F(uTabTest, ClearOfTheHostSelectsZeroWithNoTabs) {
    MakeStrip(2);
    strip->TabItems().Clear();
    strip->Clear();
    EXPECT_EQ(strip->Selected(), 0);
    EXPECT_EQ(pages[0]->unloads, 1);
    EXPECT_EQ(Pixel(60, 0), kBackgroundTop);  // no tab drawn any more
}

TEST_F(uTabTest, StyleZeroLayoutOfLockedAndSharedTabs) {
    MakeStrip(5);
    Item(0).LockSize(true);
    Item(1).LockSize(true);
    strip->LockReDraw(false);
    std::vector<long> lefts;
    for (long i = 0; i < 5; ++i) lefts.push_back(Item(i).Left());
    EXPECT_EQ(lefts, (std::vector<long>{14, 122, 230, 338, 446}));
    EXPECT_EQ(Item(4).Width(), 108);
}

TEST_F(uTabTest, StyleOneFromSavedPropertiesSharesTheRoom) {
    MakeStrip(12, 1);
    Item(0).LockSize(true);
    Item(1).LockSize(true);
    strip->LockReDraw(false);
    EXPECT_EQ(Item(2).Width(), 45);
    EXPECT_EQ(Item(1).Left(), 129);
    RECT rc;
    GetClientRect(strip->hwnd(), &rc);
    EXPECT_EQ(rc.bottom, 28);
    // A point on a tab's column 26 down still hits it; 29 down is outside.
    Click(X(3, 10), 26);
    EXPECT_EQ(strip->Selected(), 3);
    Click(X(4, 10), 29);
    EXPECT_EQ(events.back(), "up -3 1");
    // The lowest two rows are background, below the 26-pixel tab cells.
    EXPECT_EQ(Pixel(X(3, 10), 13), kSelectedFill);
    EXPECT_NE(Pixel(X(3, 10), 27), kSelectedFill);
}

TEST_F(uTabTest, PropertiesSaveOnlyWhatDiffersFromTheDefaults) {
    MakeStrip(0);
    PropertyBag bag;
    strip->WriteProperties(bag);
    EXPECT_TRUE(bag.Keys().empty());
    strip->TabStyle(1);
    strip->TabLeftSize(60);
    strip->TabRight(30);
    strip->WriteProperties(bag);
    EXPECT_THAT(bag.Keys(), ElementsAre(L"TabStyle", L"TabLeftSize", L"TabRightSize"));
    uTab other(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
    ASSERT_TRUE(other.Create(windows.parent, 0, 0, 500, bag));
    EXPECT_EQ(other.TabStyle(), 1);
    EXPECT_EQ(other.TabLeftSize(), 60);
    EXPECT_EQ(other.TabRightSize(), 30);
    RECT rc;
    GetClientRect(other.hwnd(), &rc);
    EXPECT_EQ(rc.bottom, 28);
}

TEST_F(uTabTest, NothingIsLaidOutBeforeTheFirstUnlock) {
    strip = std::make_unique<uTab>(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
    int backgrounds = 0;
    strip->OnDrawBackground = [&](HDC, long, long, bool&) { ++backgrounds; };
    ASSERT_TRUE(strip->Create(windows.parent, 0, 0, 800));
    strip->hContainerWnd(windows.container);
    AddTab(L"a");
    AddTab(L"b");
    SetWindowPos(strip->hwnd(), nullptr, 0, 0, 600, 25, SWP_NOMOVE | SWP_NOZORDER);
    strip->Refresh();
    EXPECT_EQ(Item(1).Left(), 0);
    EXPECT_EQ(Item(1).Width(), 0);
    EXPECT_EQ(backgrounds, 0);  // nothing drawn either
    strip->LockReDraw(false);
    EXPECT_EQ(Item(1).Left(), 122);
    EXPECT_EQ(backgrounds, 1);
    strip->LockReDraw(true);
    AddTab(L"c");
    EXPECT_EQ(Item(2).Width(), 0);
}

TEST_F(uTabTest, PixelsOfTheDrawnStrip) {
    MakeStrip(3);
    strip->Selected(1);
    EXPECT_EQ(Pixel(5, 0), kBackgroundTop);                 // background column, left of the tabs
    EXPECT_EQ(Pixel(X(0, 4), 20), kNormalFill);
    EXPECT_EQ(Pixel(X(1, 4), 20), kSelectedFill);
    EXPECT_EQ(Pixel(X(2, 4), 20), kNormalFill);
    EXPECT_EQ(Pixel(CloseX(1), 12), kCloseSelected);
    EXPECT_EQ(Pixel(CloseX(0), 12), kCloseOther);
    // The caption is drawn in the selected colour inside the tab.
    bool captionInk = false;
    for (int x = X(1, 0); x < X(1, Item(1).Width() - 26); ++x)
        for (int y = 4; y < 22; ++y) captionInk |= Pixel(x, y) == RGB(4, 96, 163);
    EXPECT_TRUE(captionInk);
    // Painting the window again shows the same composite.
    InvalidateRect(strip->hwnd(), nullptr, TRUE);
    UpdateWindow(strip->hwnd());
    EXPECT_EQ(Pixel(X(1, 4), 20), kSelectedFill);
}

TEST_F(uTabTest, OwnerCanPaintTheBackgroundInstead) {
    MakeStrip(1);
    strip->OnDrawBackground = [](HDC dc, long cx, long cy, bool& cancel) {
        HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
        RECT rc{0, 0, cx, cy};
        FillRect(dc, &rc, red);
        DeleteObject(red);
        cancel = true;
    };
    strip->Refresh();
    EXPECT_EQ(Pixel(5, 3), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(X(0, 4), 20), kSelectedFill);
    // Cancelling without drawing keeps what the buffer held.
    strip->OnDrawBackground = [](HDC, long, long, bool& cancel) { cancel = true; };
    strip->Refresh();
    EXPECT_EQ(Pixel(5, 3), RGB(200, 0, 0));
}

TEST_F(uTabTest, VeryManyTabsGetANarrowOrNegativeWidthAndNothingFails) {
    MakeStrip(120);
    // room = 760 - 14 = 746 over 120 tabs: 6.2, rounded to 6; the captions have no room left.
    EXPECT_EQ(Item(119).Width(), 6);
    EXPECT_EQ(Item(119).Left(), 14 + 119 * 6);
    strip->Selected(60);
    Move(X(61, 3), 12);
    Click(X(61, 3), 12);
    EXPECT_EQ(strip->Selected(), 61);
    // Tabs that keep their size leave less than nothing to share.
    for (long i = 0; i < 10; ++i) Item(i).LockSize(true);
    strip->LockReDraw(false);
    EXPECT_LT(Item(10).Width(), 0);
    strip->Refresh();
    EXPECT_EQ(Pixel(X(0, 4), 20), kNormalFill);
}

// A page that selects itself when it is bound to a tab.
class SelfSelectingPage : public TestPage {
public:
    void Initialize(IuTab* Implement, CTabItem* Item) override {
        TestPage::Initialize(Implement, Item);
        if (!Implement) return;  // its tab has gone
        found.push_back(Implement->TabItems().FindItem(Item));
        Implement->TabItems().Selected(found.back());
    }
    std::vector<long> found;
};

TEST_F(uTabTest, PageThatSelectsItselfInInitializeIsNotYetInTheCollection) {
    MakeStrip(3);
    strip->Selected(2);
    auto page = std::make_shared<SelfSelectingPage>();
    strip->TabItems().Add(L"self", page, L"self");
    // Both calls come before the tab is in the collection: the page finds no
    // tab and its selection of -1 is turned into 0 when the tab is added.
    EXPECT_EQ(page->found, (std::vector<long>{-1, -1}));
    EXPECT_EQ(strip->TabItems().Count(), 4);
    EXPECT_EQ(strip->Selected(), 0);
    EXPECT_EQ(Pixel(X(0, 4), 20), kSelectedFill);
}

TEST_F(uTabTest, DestroyingTheStripClosesItsPages) {
    MakeStrip(2);
    strip.reset();
    EXPECT_EQ(pages[0]->unloads, 1);
    EXPECT_EQ(pages[1]->unloads, 1);
}

}  // namespace
