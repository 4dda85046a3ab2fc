// How long tab pages live and what they may still reach: pages that are real
// forms, shared and bound to the tabs of a real strip, replaced, removed,
// released and unloaded from inside their own handlers and the strip's
// events, with collections changed and strips destroyed by those handlers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "Form.h"
#include "ITabForm.h"
#include "RaisedError.h"
#include "StbTabSkin.h"
#include "TabTestSupport.h"
#include "test_paths.h"
#include "uTab.h"

using ::testing::ElementsAre;

namespace {

// What happened, in order, across pages, handlers and destructors.
std::vector<std::wstring>& Log() {
    static std::vector<std::wstring> log;
    return log;
}

// A page as the programs make them: a form made with make_shared that
// implements ITabForm and keeps what Initialize gives it.
class FormPage : public Form, public ITabForm {
public:
    explicit FormPage(const std::wstring& name) : name_(name) { Caption(name); }
    ~FormPage() override { Log().push_back(L"freed " + name_); }

    HWND hwnd() const override { return const_cast<FormPage*>(this)->hWnd(); }
    void Initialize(IuTab* Implement, CTabItem* Item) override {
        host = Implement;
        item = Item;
    }
    void Unload() override { Form::Unload(); }
    // As a page does when its title changes: a page without a tab writes nothing.
    void TitleChanged(const std::wstring& title) {
        if (item) item->Caption(title);
    }

    const std::wstring& Name() const { return name_; }
    IuTab* host = nullptr;
    CTabItem* item = nullptr;
    int unloads = 0;
    std::function<void(FormPage&)> onClick, onUnload;

protected:
    void Form_Click() override {
        if (onClick) onClick(*this);
    }
    void Form_Unload(int&) override {
        ++unloads;
        Log().push_back(L"unload " + name_);
        if (onUnload) onUnload(*this);
    }

private:
    std::wstring name_;
};

// A left click on a window, through real messages.
void Click(HWND h) {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

bool Freed(const std::wstring& name) {
    return std::find(Log().begin(), Log().end(), L"freed " + name) != Log().end();
}

class TabLifetimeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetDllDirectoryW(kDistDir); }

    void SetUp() override { Log().clear(); }
    void TearDown() override { strip.reset(); }

    void MakeStrip() {
        strip = std::make_unique<uTab>(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
        ASSERT_TRUE(strip->Create(windows.parent, 0, 0, 800));
        strip->hContainerWnd(windows.container);
    }
    // Adds a page under its name; only the tab (and the loaded forms) hold it.
    std::weak_ptr<FormPage> AddPage(const std::wstring& name) {
        auto page = std::make_shared<FormPage>(name);
        tabs().Add(name, page, name);
        return page;
    }
    CTabItems& tabs() { return strip->TabItems(); }
    std::vector<std::wstring> Captions() {
        std::vector<std::wstring> captions;
        for (long i = 0; i < tabs().Count(); ++i) captions.push_back(tabs().Item(i)->Caption());
        return captions;
    }
    void Unlock() { strip->LockReDraw(false); }
    CTabItem& Item(long i) { return *tabs().Item(i); }
    int CloseX(long i) { return strip->TabLeftSize() + Item(i).Left() + Item(i).Width() - 24 + 6; }
    // Hover, press and release over the close button of tab i.
    void ClickClose(uTab& s, long i) {
        const int x = CloseX(i);
        SendMessageW(s.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 12));
        SendMessageW(s.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 12));
        SendMessageW(s.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, 12));
    }

    std::unique_ptr<uTab> strip;
    StripWindows windows;  // last, so the windows go first, right after the strip
};

TEST_F(TabLifetimeTest, PageThatHandsItsTabToANewPageAndUnloadsLivesUntilItsHandlerReturns) {
    MakeStrip();
    std::weak_ptr<FormPage> game = AddPage(L"game");
    std::weak_ptr<FormPage> flash;
    ASSERT_FALSE(game.expired());  // the tab and the loaded forms keep it, not the test
    game.lock()->onClick = [&](FormPage& self) {
        auto next = std::make_shared<FormPage>(L"flash");
        flash = next;
        self.item->Form(next);
        Log().push_back(L"replaced, game freed: " + std::to_wstring(Freed(L"game")));
        // Neither closed nor detached: still loaded until it unloads itself.
        Log().push_back(L"game loaded: " + std::to_wstring(self.Loaded()));
        self.Unload();
        Log().push_back(L"handler of " + self.Name() + L" returns");
    };
    // Nothing but the tab and the loaded forms holds the page while it is clicked.
    HWND gameWindow = game.lock()->hWnd();
    Click(gameWindow);
    EXPECT_THAT(Log(), ElementsAre(L"replaced, game freed: 0", L"game loaded: 1", L"unload game",
                                   L"handler of game returns", L"freed game"));
    EXPECT_TRUE(game.expired());
    ASSERT_FALSE(flash.expired());
    EXPECT_EQ(Item(0).Form().get(), static_cast<ITabForm*>(flash.lock().get()));
    EXPECT_EQ(flash.lock()->item, &Item(0));
    EXPECT_EQ(flash.lock()->host, strip.get());
    EXPECT_EQ(GetParent(flash.lock()->hWnd()), windows.container);
}

TEST_F(TabLifetimeTest, ReplacedPageStaysOpenAndLetsGoOfTheItemWhenTheTabGoes) {
    MakeStrip();
    std::weak_ptr<FormPage> first = AddPage(L"first");
    auto second = std::make_shared<FormPage>(L"second");
    Item(0).Form(second);
    ASSERT_FALSE(first.expired());
    EXPECT_TRUE(first.lock()->Loaded());
    EXPECT_EQ(first.lock()->unloads, 0);
    EXPECT_EQ(first.lock()->item, &Item(0));  // the item is still alive
    EXPECT_TRUE(tabs().Remove(L"first", true));
    EXPECT_EQ(second->unloads, 1);
    // The item has gone: both pages were told so.
    EXPECT_EQ(first.lock()->item, nullptr);
    EXPECT_EQ(first.lock()->host, nullptr);
    EXPECT_EQ(second->item, nullptr);
    first.lock()->TitleChanged(L"a title");  // writes nothing, reaches nothing
    EXPECT_EQ(first.lock()->unloads, 0);
    first.lock()->Unload();
    EXPECT_TRUE(first.expired());
}

TEST_F(TabLifetimeTest, PagesLeftOpenByRemoveReleaseOrAFailedAddLiveOnWithoutTheirTab) {
    MakeStrip();
    std::weak_ptr<FormPage> kept = AddPage(L"kept");
    std::weak_ptr<FormPage> popped = AddPage(L"popped");
    Unlock();

    EXPECT_TRUE(tabs().Remove(L"kept", false));
    ASSERT_FALSE(kept.expired());
    EXPECT_TRUE(kept.lock()->Loaded());
    EXPECT_TRUE(IsWindow(kept.lock()->hWnd()));
    EXPECT_EQ(kept.lock()->item, nullptr);
    EXPECT_EQ(kept.lock()->host, nullptr);

    EXPECT_TRUE(tabs().ReleaseForm(L"popped"));
    ASSERT_FALSE(popped.expired());
    HWND poppedWindow = popped.lock()->hWnd();
    EXPECT_EQ(GetParent(poppedWindow), nullptr);
    EXPECT_TRUE(IsWindowVisible(poppedWindow));
    EXPECT_EQ(popped.lock()->item, nullptr);
    popped.lock()->TitleChanged(L"own window");
    EXPECT_EQ(tabs().Count(), 0);

    // A key already in use: the page has been bound and attached, stays open
    // and is told it has no tab.
    tabs().Add(L"x", std::make_shared<FormPage>(L"x"), L"x");
    std::weak_ptr<FormPage> refused;
    try {
        auto page = std::make_shared<FormPage>(L"refused");
        refused = page;
        tabs().Add(L"again", std::move(page), L"X");
        ADD_FAILURE() << "a used key was accepted";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), 457u);
    }
    ASSERT_FALSE(refused.expired());
    EXPECT_TRUE(refused.lock()->Loaded());
    EXPECT_EQ(refused.lock()->item, nullptr);
    EXPECT_EQ(refused.lock()->unloads, 0);

    // Unloaded outside any handler, each goes at once.
    for (auto* page : {&kept, &popped, &refused}) {
        page->lock()->Unload();
        EXPECT_TRUE(page->expired());
    }
    EXPECT_FALSE(IsWindow(poppedWindow));
}

TEST_F(TabLifetimeTest, PageSeesItsLiveItemDuringItsUnloadAndNothingAfterwards) {
    MakeStrip();
    std::weak_ptr<FormPage> page = AddPage(L"page");
    std::shared_ptr<FormPage> holder = page.lock();  // as a page that another page still refers to
    std::wstring captionInUnload;
    page.lock()->onUnload = [&](FormPage& self) {
        ASSERT_NE(self.item, nullptr);
        captionInUnload = self.item->Caption();
        self.TitleChanged(L"late title");  // the item has left the collection and its strip
        ASSERT_EQ(self.host, strip.get());
        Log().push_back(L"tabs in unload " + std::to_wstring(self.host->TabItems().Count()));
    };
    EXPECT_TRUE(tabs().Remove(0L, true));
    EXPECT_EQ(captionInUnload, L"page");
    // The item has gone: the page that outlives it refers to nothing.
    EXPECT_EQ(holder->item, nullptr);
    EXPECT_EQ(holder->host, nullptr);
    holder->TitleChanged(L"later title");
    holder.reset();
    EXPECT_THAT(Log(), ElementsAre(L"unload page", L"tabs in unload 0", L"freed page"));
}

TEST_F(TabLifetimeTest, CloseHandlerThatChangesTheTabsRemovesTheTabThatWasAsked) {
    MakeStrip();
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) AddPage(name);
    Unlock();
    std::function<void(long)> onClosing;
    strip->OnItemColose = [&](long index, bool&) {
        Log().push_back(L"closing " + std::to_wstring(index));
        if (auto once = std::exchange(onClosing, nullptr)) once(index);
    };
    // The handler removes a tab left of the one closing.
    onClosing = [&](long) { tabs().Remove(L"a", true); };
    ClickClose(*strip, 1);
    EXPECT_THAT(Captions(), ElementsAre(L"c", L"d"));
    EXPECT_THAT(Log(), ElementsAre(L"closing 1", L"closing 0", L"unload a", L"unload b", L"freed a", L"freed b"));

    // The handler puts a new tab first.
    Log().clear();
    onClosing = [&](long) {
        tabs().Add(L"new", std::make_shared<FormPage>(L"new"), L"new", TabIndex{0L});
    };
    EXPECT_TRUE(tabs().Remove(L"d", true));
    EXPECT_THAT(Captions(), ElementsAre(L"new", L"c"));

    // The handler removes the closing tab itself (keeping its page open).
    Log().clear();
    onClosing = [&](long index) { tabs().Remove(index, false); };
    EXPECT_FALSE(tabs().Remove(L"c", true));
    EXPECT_THAT(Captions(), ElementsAre(L"new"));
    EXPECT_THAT(Log(), ElementsAre(L"closing 1", L"closing 1"));
    EXPECT_EQ(strip->Selected(), 0);
}

TEST_F(TabLifetimeTest, ClearWhosePagesRemoveTabsInTheirUnloadClosesEachPageOnce) {
    MakeStrip();
    std::vector<std::weak_ptr<FormPage>> pages;
    for (const wchar_t* name : {L"a", L"b", L"c"}) pages.push_back(AddPage(name));
    Unlock();
    pages[0].lock()->onUnload = [](FormPage& self) {
        Log().push_back(L"remove c: " + std::to_wstring(self.host->TabItems().Remove(L"c", true)));
    };
    pages[1].lock()->onUnload = [](FormPage& self) {
        Log().push_back(L"tabs " + std::to_wstring(self.host->TabItems().Count()));
    };
    tabs().Clear();
    EXPECT_EQ(tabs().Count(), 0);
    EXPECT_THAT(Log(), ElementsAre(L"unload a", L"remove c: 0", L"freed a", L"unload b", L"tabs 0", L"freed b",
                                   L"unload c", L"freed c"));
}

TEST_F(TabLifetimeTest, DestroyingTheStripUnloadsPagesThatStillReachTheirHostsTabs) {
    MakeStrip();
    std::vector<std::weak_ptr<FormPage>> pages;
    for (const wchar_t* name : {L"a", L"b"}) pages.push_back(AddPage(name));
    Unlock();
    auto released = std::make_shared<FormPage>(L"released");
    tabs().Add(L"released", released, L"released");
    tabs().ReleaseForm(L"released");
    auto replaced = std::make_shared<FormPage>(L"replaced");
    tabs().Add(L"replaced", replaced, L"replaced");
    Item(2).Form(std::make_shared<FormPage>(L"replacement"));
    for (auto& page : pages)
        page.lock()->onUnload = [](FormPage& self) {
            CTabItems& items = self.host->TabItems();
            Log().push_back(self.Name() + L" finds " + std::to_wstring(items.FindItem(L"b")) + L" of " +
                            std::to_wstring(items.Count()));
            items.Remove(L"b", true);
        };
    strip.reset();
    EXPECT_THAT(Log(), ElementsAre(L"unload a", L"a finds -1 of 0", L"freed a", L"unload b", L"b finds -1 of 0",
                                   L"freed b", L"unload replacement", L"freed replacement"));
    // The pages that outlive the strip hold no reference to it or its items.
    EXPECT_EQ(released->host, nullptr);
    EXPECT_EQ(replaced->host, nullptr);
    EXPECT_EQ(replaced->item, nullptr);
    EXPECT_TRUE(replaced->Loaded());
    replaced->TitleChanged(L"after the strip");
    released->Unload();
    replaced->Unload();
}

// The player's window: it closes itself when its last tab would close, and
// its strip goes with it.
class StripOwner : public Form {
public:
    StripOwner() {
        Caption(L"owner");
        ScaleMode(ScaleModeConstants::Pixels);
        ClientSize(820 * 15, 360 * 15);
    }
    ~StripOwner() override { Log().push_back(L"freed owner"); }
    std::unique_ptr<uTab> strip;
    HWND container = nullptr;

protected:
    void Form_Load() override {
        strip = std::make_unique<uTab>(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
        strip->Create(hWnd(), 0, 0, 800);
        container = MakePlainWindow({.style = WS_CHILD | WS_VISIBLE, .parent = hWnd(), .cx = 800, .cy = 300});
        strip->hContainerWnd(container);
        strip->OnItemColose = [this](long, bool& Cancel) {
            if (strip->TabItems().Count() > 1) return;
            Unload();
            Log().push_back(L"owner freed in its handler: " + std::to_wstring(Freed(L"owner")));
            Cancel = true;
        };
        strip->OnMouseUp = [](long, short&, short&, float&, float&) { Log().push_back(L"mouse up"); };
    }
    void Form_Unload(int&) override {
        Log().push_back(L"unload owner");
        strip->TabItems().Clear();
        strip.reset();
    }

private:
    static bool Freed(const std::wstring& name) { return ::Freed(name); }
};

TEST_F(TabLifetimeTest, OwnerThatEndsItselfFromTheCloseEventOutlivesTheEventAndTheStripStopsAtOnce) {
    auto owner = std::make_shared<StripOwner>();
    owner->Show();
    std::weak_ptr<StripOwner> weakOwner = owner;
    owner.reset();  // only the loaded forms keep it
    uTab& s = *weakOwner.lock()->strip;
    s.TabItems().Add(L"one", std::make_shared<FormPage>(L"one"), L"one");
    s.TabItems().Add(L"two", std::make_shared<FormPage>(L"two"), L"two");
    s.LockReDraw(false);
    const int x = s.TabLeftSize() + s.TabItems().Item(1L)->Left() + s.TabItems().Item(1L)->Width() - 18;
    auto clickClose = [&](int at) {
        HWND h = s.hwnd();
        SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(at, 12));
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at, 12));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(at, 12));
    };
    clickClose(x);  // not the last tab: it closes
    EXPECT_THAT(Log(), ElementsAre(L"unload two", L"mouse up", L"freed two"));
    Log().clear();
    const int first = s.TabLeftSize() + s.TabItems().Item(0L)->Left() + s.TabItems().Item(0L)->Width() - 18;
    clickClose(first);  // the last tab: the owner closes its window instead
    EXPECT_THAT(Log(), ElementsAre(L"unload owner", L"unload one", L"owner freed in its handler: 0", L"freed one",
                                   L"freed owner"));
    EXPECT_TRUE(weakOwner.expired());
}

// A strip whose memory is spoilt as soon as it is destroyed: any touch of it
// after the event that destroyed it reads garbage pointers.
TEST_F(TabLifetimeTest, StripDestroyedByItsCloseEventTouchesNothingOfItselfAfterwards) {
    for (bool cancel : {true, false}) {
        Log().clear();
        alignas(uTab) static unsigned char storage[sizeof(uTab)];
        uTab* s = new (storage) uTab(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
        ASSERT_TRUE(s->Create(windows.parent, 0, 0, 800));
        s->hContainerWnd(windows.container);
        s->TabItems().Add(L"one", std::make_shared<FormPage>(L"one"), L"one");
        s->TabItems().Add(L"two", std::make_shared<FormPage>(L"two"), L"two");
        s->LockReDraw(false);
        s->OnItemColose = [s, cancel](long, bool& Cancel) {
            Cancel = cancel;
            s->~uTab();
            std::memset(storage, 0xCD, sizeof storage);
            Log().push_back(L"strip destroyed");
        };
        s->OnMouseUp = [](long, short&, short&, float&, float&) { Log().push_back(L"mouse up"); };
        const int x = s->TabLeftSize() + s->TabItems().Item(1L)->Left() + s->TabItems().Item(1L)->Width() - 18;
        HWND h = s->hwnd();
        SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(x, 12));
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 12));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, 12));
        EXPECT_FALSE(IsWindow(h));
        EXPECT_THAT(Log(), ElementsAre(L"unload one", L"unload two", L"strip destroyed", L"freed one", L"freed two"))
            << "cancel " << cancel;
    }
}

}  // namespace
