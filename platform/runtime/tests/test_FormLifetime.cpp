// How long a form made with make_shared lives: kept by the program's loaded
// forms from load to unload whoever drops it, and freed only after the
// handler that unloaded it has returned (click, timer, system close, owner
// destroyed), on real windows with real messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Form.h"
#include "HandlerScope.h"
#include "Pump.h"
#include "Timer.h"

using ::testing::ElementsAre;

namespace {

std::vector<std::wstring>& Log() {
    static std::vector<std::wstring> log;
    return log;
}

class KeptForm : public Form {
public:
    explicit KeptForm(const std::wstring& name) : name_(name), ticker(*this) {
        Caption(name);
        ScaleMode(ScaleModeConstants::Pixels);
        ClientSize(200 * 15, 100 * 15);
    }
    ~KeptForm() override { Log().push_back(L"freed " + name_); }

    std::function<void(KeptForm&)> onClick, onTick;
    int unloads = 0;
    std::wstring note;  // written by handlers after the form unloaded
    const std::wstring& Name() const { return name_; }

private:
    std::wstring name_;

public:
    Timer ticker;

protected:
    void Form_Load() override {
        ticker.Tick = [this] {
            if (onTick) onTick(*this);
        };
    }
    void Form_Click() override {
        if (onClick) onClick(*this);
    }
    void Form_Unload(int&) override {
        ++unloads;
        Log().push_back(L"unload " + name_);
    }
};

void Click(HWND h) {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

class FormLifetime : public ::testing::Test {
protected:
    void SetUp() override { Log().clear(); }
};

TEST_F(FormLifetime, LoadedFormOutlivesEveryReferenceUntilItUnloads) {
    std::weak_ptr<KeptForm> weak;
    {
        auto form = std::make_shared<KeptForm>(L"a");
        weak = form;
    }
    EXPECT_TRUE(weak.expired());  // never loaded: nothing keeps it

    {
        auto form = std::make_shared<KeptForm>(L"b");
        form->Show();
        weak = form;
    }
    ASSERT_FALSE(weak.expired());
    HWND h = weak.lock()->hWnd();
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(Form::LoadedCount(), 1);
    weak.lock()->Unload();  // outside any handler: it goes at once
    EXPECT_TRUE(weak.expired());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_THAT(Log(), ElementsAre(L"freed a", L"unload b", L"freed b"));

    // A cancelled unload keeps it; a form that is held elsewhere is only let go.
    auto held = std::make_shared<KeptForm>(L"c");
    held->Show();
    held->Unload();
    EXPECT_EQ(held->unloads, 1);
    EXPECT_FALSE(held->Loaded());
    held->Show();  // loads again and is kept again
    weak = held;
    held.reset();
    ASSERT_FALSE(weak.expired());
    weak.lock()->Unload();
    EXPECT_TRUE(weak.expired());
}

TEST_F(FormLifetime, FormUnloadingItselfFromItsHandlerIsFreedAfterTheHandlerReturns) {
    std::weak_ptr<KeptForm> weak;
    {
        auto form = std::make_shared<KeptForm>(L"self");
        form->Show();
        weak = form;
    }
    weak.lock()->onClick = [](KeptForm& self) {
        self.Unload();
        self.note = L"written after the unload";
        Log().push_back(L"handler returns, loaded " + std::to_wstring(self.Loaded()) + L", depth " +
                        std::to_wstring(HandlerScope::Depth() > 0));
    };
    Click(weak.lock()->hWnd());
    EXPECT_THAT(Log(), ElementsAre(L"unload self", L"handler returns, loaded 0, depth 1", L"freed self"));
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(HandlerScope::Depth(), 0);
}

TEST_F(FormLifetime, UnloadFromATimerTickOrTheSystemCloseOrTheOwnerFreesAfterwards) {
    // The form's own timer unloads it.
    std::weak_ptr<KeptForm> ticking;
    {
        auto form = std::make_shared<KeptForm>(L"tick");
        form->Show();
        form->onTick = [](KeptForm& self) {
            self.ticker.Enabled(false);
            self.Unload();
            self.note = L"after";
            Log().push_back(L"tick returns");
        };
        form->ticker.Interval(20);
        ticking = form;
    }
    EXPECT_TRUE(PumpUntil([&] { return ticking.expired(); }));
    EXPECT_THAT(Log(), ElementsAre(L"unload tick", L"tick returns", L"freed tick"));

    // The system's close command.
    Log().clear();
    std::weak_ptr<KeptForm> closed;
    {
        auto form = std::make_shared<KeptForm>(L"closed");
        form->Show();
        closed = form;
    }
    SendMessageW(closed.lock()->hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(closed.expired());

    // An owned form goes with its owner's window, from inside the owner's handler.
    Log().clear();
    std::weak_ptr<KeptForm> owner, owned;
    {
        auto a = std::make_shared<KeptForm>(L"owner");
        auto b = std::make_shared<KeptForm>(L"owned");
        a->Show();
        b->Show(FormShowConstants::Modeless, a.get());
        owner = a;
        owned = b;
    }
    owner.lock()->onClick = [](KeptForm& self) {
        self.Unload();
        Log().push_back(L"owner handler returns");
    };
    Click(owner.lock()->hWnd());
    EXPECT_TRUE(owner.expired());
    EXPECT_TRUE(owned.expired());
    EXPECT_THAT(Log(), ElementsAre(L"unload owner", L"unload owned", L"owner handler returns", L"freed owned",
                                   L"freed owner"));
}

TEST_F(FormLifetime, FormUnloadedAndShownAgainInOneHandlerStaysAlive) {
    std::weak_ptr<KeptForm> weak;
    {
        auto form = std::make_shared<KeptForm>(L"again");
        form->Show();
        weak = form;
    }
    HWND first = weak.lock()->hWnd();
    weak.lock()->onClick = [](KeptForm& self) {
        self.onClick = nullptr;
        self.Unload();
        self.Show();
    };
    Click(first);
    ASSERT_FALSE(weak.expired());
    EXPECT_TRUE(weak.lock()->Loaded());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindowVisible(weak.lock()->hWnd()));
    weak.lock()->Unload();
    EXPECT_TRUE(weak.expired());
}

}  // namespace
