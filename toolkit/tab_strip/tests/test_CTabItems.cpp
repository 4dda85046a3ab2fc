// The tab collection with real page windows and a host that records what it
// is told: insertion by index, keys, removal, release and clearing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "CTabItems.h"
#include "RaisedError.h"
#include "Rounding.h"
#include "TabTestSupport.h"

using ::testing::ElementsAre;

namespace {

class CTabItemsTest : public ::testing::Test {
protected:
    std::shared_ptr<TestPage> AddPage(const std::wstring& caption, const std::wstring& key = {},
                                      std::optional<TabIndex> index = std::nullopt) {
        auto page = std::make_shared<TestPage>(caption.c_str());
        host.items.Add(caption, page, key, index);
        return page;
    }
    std::vector<std::wstring> Captions() {
        std::vector<std::wstring> captions;
        for (long i = 0; i < host.items.Count(); ++i) captions.push_back(host.items.Item(i)->Caption());
        return captions;
    }
    static uint32_t ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const RaisedError& e) {
            return e.Number();
        }
        return 0;
    }

    RecordingHost host;
};

TEST_F(CTabItemsTest, AddPutsTheTabAtTheIndexAsked) {
    AddPage(L"a");
    AddPage(L"b");
    AddPage(L"first", {}, 0L);
    AddPage(L"last", {}, 3L);             // = Count: appended
    AddPage(L"third", {}, L"2");          // text that reads as a number
    AddPage(L"half", {}, 2.5);            // halves to even: position 2
    AddPage(L"half-up", {}, 1.5);         // position 2 as well
    EXPECT_THAT(Captions(), ElementsAre(L"first", L"a", L"half-up", L"half", L"third", L"b", L"last"));
}

TEST_F(CTabItemsTest, AddOfAnIndexOutsideOrNotNumericRaisesAfterAttachingThePage) {
    AddPage(L"a");
    auto page = std::make_shared<TestPage>();
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, 2L); }), 9u);   // Count + 1
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, -1L); }), 9u);
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, L"x"); }), 5u);
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, TabIndex(page.get())); }), 5u);
    // Only decimal text is a number; far too large a number is outside as well.
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, L"0x1"); }), 5u);
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, L"inf"); }), 5u);
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, L"1."); }), 0u);
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, 1e12); }), 9u);
    EXPECT_EQ(ErrorOf([&] { host.items.Add(L"x", page, {}, L"-3e9"); }), 9u);
    host.items.Remove(1L, false);
    EXPECT_EQ(host.items.Count(), 1);
    // Each Add initialised the page twice and bound it to the host; each of
    // the eight refused ones then told it that it has no tab. The page stays open.
    EXPECT_EQ(page->initialized.size(), 9 * 2 + 8u);
    EXPECT_EQ(page->initialized.back(), std::make_pair(static_cast<IuTab*>(nullptr), static_cast<CTabItem*>(nullptr)));
    EXPECT_EQ(page->unloads, 0);
    EXPECT_TRUE(IsWindow(page->hwnd()));
}

TEST_F(CTabItemsTest, AddInitialisesThePageTwiceThenTellsTheHost) {
    host.calls.clear();
    auto page = AddPage(L"我的盒子", L"me");
    ASSERT_EQ(page->initialized.size(), 2u);
    CTabItem* item = host.items.Item(0);
    EXPECT_EQ(page->initialized[0], std::make_pair(static_cast<IuTab*>(&host), item));
    EXPECT_EQ(page->initialized[1], page->initialized[0]);
    EXPECT_THAT(host.calls, ElementsAre(L"Redraw", L"ChangeForm", L"Add 我的盒子 me"));
    EXPECT_EQ(item->OrigStyle(), static_cast<LONG>(GetWindowLongW(page->hwnd(), GWL_STYLE)));
}

TEST_F(CTabItemsTest, KeysIgnoreLetterCaseAndTextIsAlwaysAKey) {
    AddPage(L"a", L"Game");
    AddPage(L"b", L"3");
    EXPECT_EQ(host.items.FindItem(L"GAME"), 0);
    EXPECT_EQ(host.items.Item(L"game")->Caption(), L"a");
    EXPECT_EQ(host.items.FindItem(L"3"), 1);      // the key, not position 3
    EXPECT_EQ(host.items.FindItem(L"1"), -1);     // no such key
    EXPECT_EQ(ErrorOf([&] { AddPage(L"c", L"gAmE"); }), 457u);
    EXPECT_EQ(ErrorOf([&] { host.items.Item(L"nothing"); }), 5u);
    EXPECT_EQ(host.items.Count(), 2);
}

TEST_F(CTabItemsTest, FindItemByNumberPageOrItem) {
    auto a = AddPage(L"a");
    auto b = AddPage(L"b");
    AddPage(L"c");
    EXPECT_EQ(host.items.FindItem(2.5), 2);
    EXPECT_EQ(host.items.FindItem(0.5), 0);
    EXPECT_EQ(host.items.FindItem(3L), -1);
    EXPECT_EQ(host.items.FindItem(-1L), -1);
    EXPECT_EQ(host.items.FindItem(b.get()), 1);
    EXPECT_EQ(host.items.FindItem(host.items.Item(2)), 2);
    TestPage stranger;
    EXPECT_EQ(host.items.FindItem(&stranger), -1);
    EXPECT_EQ(host.items.FindItem(-0.4), 0);
    EXPECT_EQ(host.items.FindItem(3e9), -1);
    EXPECT_EQ(host.items.FindItem(-3e9), -1);
    EXPECT_EQ(host.items.Item(3L), nullptr);
    EXPECT_EQ(host.items.Item(-1L), nullptr);
    // Item measures the number before rounding it.
    EXPECT_EQ(host.items.Item(-0.4), nullptr);
    EXPECT_EQ(host.items.Item(2.4), nullptr);
    EXPECT_EQ(host.items.Item(1.6), host.items.Item(2L));
    EXPECT_EQ(host.items.Item(3e9), nullptr);
}

TEST_F(CTabItemsTest, VetoedRemoveChangesNothing) {
    auto page = AddPage(L"a", L"k");
    host.veto = true;
    host.calls.clear();
    EXPECT_FALSE(host.items.Remove(L"k", true));
    EXPECT_THAT(host.calls, ElementsAre(L"BeforeRemove 0"));
    EXPECT_EQ(host.items.Count(), 1);
    EXPECT_EQ(page->unloads, 0);
    EXPECT_FALSE(host.items.Remove(L"other", true));
}

TEST_F(CTabItemsTest, RemoveClosesThePageUnlessToldToKeepIt) {
    auto kept = AddPage(L"kept");
    auto closed = AddPage(L"closed");
    host.calls.clear();
    EXPECT_TRUE(host.items.Remove(kept.get(), false));
    EXPECT_TRUE(host.items.Remove(0L, true));
    EXPECT_THAT(host.calls, ElementsAre(L"BeforeRemove 0", L"Remove 0", L"BeforeRemove 0", L"Remove 0"));
    EXPECT_EQ(kept->unloads, 0);
    EXPECT_TRUE(IsWindow(kept->hwnd()));
    EXPECT_EQ(closed->unloads, 1);
    EXPECT_FALSE(IsWindow(closed->hwnd()));
    EXPECT_EQ(host.items.Count(), 0);
}

TEST_F(CTabItemsTest, ReleaseFormCentresThePageWithoutCaptionAndFrame) {
    auto page = AddPage(L"a");
    HWND hwnd = page->hwnd();
    SetParent(hwnd, host.hwnd());  // as a host's container would hold it
    SetWindowLongW(hwnd, GWL_STYLE, WS_CHILD);
    EXPECT_TRUE(host.items.ReleaseForm(0L));
    EXPECT_EQ(host.items.Count(), 0);
    EXPECT_EQ(GetParent(hwnd), nullptr);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc.left, RoundHalfEven((GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2.0));
    EXPECT_EQ(rc.top, RoundHalfEven((GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2.0));
    EXPECT_EQ(page->unloads, 0);
    EXPECT_FALSE(host.items.ReleaseForm(0L));
}

TEST(CTabItemsPlayer, ReleaseFormGivesThePlayersPageItsOriginalStyle) {
    CTabItems items(ReleaseAsItWas);
    auto page = std::make_shared<TestPage>(L"p", 301, 201);
    const LONG original = GetWindowLongW(page->hwnd(), GWL_STYLE);
    items.Add(L"p", page);
    SetWindowLongW(page->hwnd(), GWL_STYLE, WS_CHILD);
    EXPECT_TRUE(items.ReleaseForm(page.get()));
    EXPECT_EQ(GetWindowLongW(page->hwnd(), GWL_STYLE) & ~WS_VISIBLE, original & ~WS_VISIBLE);
    RECT rc;
    GetWindowRect(page->hwnd(), &rc);
    EXPECT_EQ(rc.right - rc.left, 301);
    // (screen width - 301) / 2 ends in .5 when the screen width is even: halves go to even.
    EXPECT_EQ(rc.left, RoundHalfEven((GetSystemMetrics(SM_CXSCREEN) - 301) / 2.0));
}

TEST_F(CTabItemsTest, ClearClosesEveryPageWithoutTellingTheHost) {
    auto a = AddPage(L"a");
    auto b = AddPage(L"b");
    host.calls.clear();
    host.items.Clear();
    EXPECT_EQ(host.items.Count(), 0);
    EXPECT_EQ(a->unloads, 1);
    EXPECT_EQ(b->unloads, 1);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(CTabItemsTest, ItemSettersRedrawAndANewPageIsBound) {
    AddPage(L"a");
    CTabItem* item = host.items.Item(0L);
    host.calls.clear();
    item->Caption(L"b");
    item->HideButton(true);
    item->LockSize(true);
    auto replacement = std::make_shared<TestPage>();
    item->Form(replacement);
    EXPECT_THAT(host.calls, ElementsAre(L"Redraw", L"Redraw", L"Redraw", L"ChangeForm"));
    ASSERT_EQ(replacement->initialized.size(), 1u);
    EXPECT_EQ(replacement->initialized[0].second, item);
    item->ItemData(std::make_shared<int>(7));
    EXPECT_EQ(*std::any_cast<std::shared_ptr<int>>(item->ItemData()), 7);
}

TEST_F(CTabItemsTest, DestroyingTheCollectionClosesThePagesItHolds) {
    auto page = std::make_shared<TestPage>();
    {
        CTabItems items;
        items.Add(L"a", page);
        EXPECT_EQ(items.Selected(), -1);  // no host
    }
    EXPECT_EQ(page->unloads, 1);
}

}  // namespace
