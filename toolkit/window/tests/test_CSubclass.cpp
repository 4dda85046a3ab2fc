// Routing of CSubclass checked as the sequence of calls each procedure saw,
// on real windows with real messages, and its reports to the event log.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CSubclass.h"
#include "EventLog.h"
#include "Pump.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr UINT kPing = WM_APP + 1;   // the window procedure answers 100
constexpr UINT kOther = WM_APP + 2;  // answers 200

std::vector<std::string> calls;

LRESULT CALLBACK TestProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kPing || msg == kOther) {
        calls.push_back("proc " + std::to_string(msg - WM_APP));
        return msg == kPing ? 100 : 200;
    }
    if (msg >= WM_APP + 10 && msg < WM_APP + 100) {
        calls.push_back("proc " + std::to_string(msg - WM_APP));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TestProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CSubclassTestWindow";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, L"CSubclassTestWindow", L"t", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class CSubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        previousSink_ = SetEventLogSink([this](const std::wstring& text) { reports.push_back(text); });
        hwnd = MakeWindow();
        ASSERT_TRUE(hwnd);
        sub = std::make_unique<CSubclass>();
        sub->WindowProc = [](bool bBefore, bool& bHandled, LRESULT& lReturn, HWND, UINT uMsg, WPARAM, LPARAM,
                             LONG& lParamUser) {
            calls.push_back(std::string(bBefore ? "before " : "after ") + std::to_string(uMsg - WM_APP) + " " +
                            std::to_string(lReturn) + " user " + std::to_string(lParamUser));
        };
    }
    void TearDown() override {
        sub.reset();
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        SetEventLogSink(previousSink_);
    }

    HWND hwnd = nullptr;
    std::unique_ptr<CSubclass> sub;
    std::vector<std::wstring> reports;

private:
    EventLogSink previousSink_;
};

TEST_F(CSubclassTest, UnlistedMessageGoesStraightToTheProcedure) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    EXPECT_THAT(calls, ElementsAre("proc 1"));
}

TEST_F(CSubclassTest, BeforeHandlerThatHandlesKeepsTheProcedureFromRunning) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    sub->WindowProc = [](bool bBefore, bool& bHandled, LRESULT& lReturn, HWND, UINT uMsg, WPARAM, LPARAM, LONG&) {
        calls.push_back(bBefore ? "before" : "after");
        bHandled = true;
        lReturn = 7;
    };
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 7);
    EXPECT_THAT(calls, ElementsAre("before"));
}

TEST_F(CSubclassTest, BeforeHandlerThatDoesNotHandleLetsTheProcedureRun) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    EXPECT_THAT(calls, ElementsAre("before 1 0 user 0", "proc 1"));
}

TEST_F(CSubclassTest, AfterHandlerSeesAndChangesTheResult) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_AFTER);
    sub->WindowProc = [](bool bBefore, bool&, LRESULT& lReturn, HWND, UINT, WPARAM, LPARAM, LONG&) {
        calls.push_back(std::string(bBefore ? "before " : "after ") + std::to_string(lReturn));
        lReturn += 1;
    };
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 101);
    EXPECT_THAT(calls, ElementsAre("proc 1", "after 100"));
}

TEST_F(CSubclassTest, BothTablesSeeTheMessageAroundTheProcedure) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd, 42));
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE_AND_AFTER);
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    SendMessageW(hwnd, kOther, 0, 0);
    EXPECT_THAT(calls, ElementsAre("before 1 0 user 42", "proc 1", "after 1 100 user 42", "proc 2"));
}

TEST_F(CSubclassTest, AllMessagesListsEveryMessageAndDeletingItListsNone) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, CSubclass::ALL_MESSAGES, CSubclass::MSG_BEFORE);
    SendMessageW(hwnd, kPing, 0, 0);
    SendMessageW(hwnd, kOther, 0, 0);
    sub->ssc_DelMsg(hwnd, CSubclass::MSG_BEFORE, CSubclass::ALL_MESSAGES);
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_THAT(calls, ElementsAre("before 1 0 user 0", "proc 1", "before 2 0 user 0", "proc 2", "proc 1"));
}

TEST_F(CSubclassTest, AddingOneMessageToAnAllMessagesTableListsOnlyThatMessage) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, CSubclass::ALL_MESSAGES, CSubclass::MSG_AFTER);
    sub->ssc_AddMsg(hwnd, kOther, CSubclass::MSG_AFTER);
    sub->ssc_DelMsg(hwnd, CSubclass::MSG_AFTER, kPing);  // not in the table: changes nothing
    SendMessageW(hwnd, kPing, 0, 0);
    SendMessageW(hwnd, kOther, 0, 0);
    EXPECT_THAT(calls, ElementsAre("proc 1", "proc 2", "after 2 200 user 0"));
}

TEST_F(CSubclassTest, DeletingASpecificMessageFromAnAllMessagesTableChangesNothing) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, CSubclass::ALL_MESSAGES, CSubclass::MSG_AFTER);
    sub->ssc_DelMsg(hwnd, CSubclass::MSG_AFTER, kPing);
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_THAT(calls, ElementsAre("proc 1", "after 1 100 user 0"));
}

TEST_F(CSubclassTest, ThirtyTwoMessagesFitAndTheThirtyThirdIsReportedAndLeftOut) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    for (UINT i = 0; i < 32; ++i) sub->ssc_AddMsg(hwnd, WM_APP + 10 + i, CSubclass::MSG_BEFORE);
    sub->ssc_AddMsg(hwnd, WM_APP + 10, CSubclass::MSG_BEFORE);  // already listed: no change, no report
    EXPECT_THAT(reports, IsEmpty());
    sub->ssc_AddMsg(hwnd, WM_APP + 42, CSubclass::MSG_BEFORE);
    EXPECT_THAT(reports, ElementsAre(L"CSubclass.zAddMsg: Message table overflow. Either increase the value of "
                                     L"Const MSG_ENTRIES or use ALL_MESSAGES instead of specific message values"));
    SendMessageW(hwnd, WM_APP + 41, 0, 0);
    SendMessageW(hwnd, WM_APP + 42, 0, 0);
    SendMessageW(hwnd, WM_APP + 10, 0, 0);
    EXPECT_THAT(calls, ElementsAre("before 41 0 user 0", "proc 41", "proc 42", "before 10 0 user 0", "proc 10"));
}

TEST_F(CSubclassTest, ADeletedMessageLeavesASlotTheNextMessageTakes) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    for (UINT i = 0; i < 32; ++i) sub->ssc_AddMsg(hwnd, WM_APP + 10 + i, CSubclass::MSG_AFTER);
    sub->ssc_DelMsg(hwnd, CSubclass::MSG_AFTER, WM_APP + 20, 2.5, "text");  // only whole numbers count
    sub->ssc_AddMsg(hwnd, WM_APP + 50, CSubclass::MSG_AFTER);
    EXPECT_THAT(reports, IsEmpty());
    // The table is full again: one more overflows.
    sub->ssc_AddMsg(hwnd, WM_APP + 51, CSubclass::MSG_AFTER);
    EXPECT_EQ(reports.size(), 1u);
    SendMessageW(hwnd, WM_APP + 20, 0, 0);
    SendMessageW(hwnd, WM_APP + 50, 0, 0);
    SendMessageW(hwnd, WM_APP + 51, 0, 0);
    EXPECT_THAT(calls, ElementsAre("proc 20", "proc 50", "after 50 0 user 0", "proc 51"));
}

TEST_F(CSubclassTest, AMessageListedAfterAFreeSlotIsNotListedTwice) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    sub->ssc_AddMsg(hwnd, kOther, CSubclass::MSG_BEFORE);
    sub->ssc_DelMsg(hwnd, CSubclass::MSG_BEFORE, kPing);
    sub->ssc_AddMsg(hwnd, kOther, CSubclass::MSG_BEFORE);  // already in the second slot
    sub->ssc_DelMsg(hwnd, CSubclass::MSG_BEFORE, kOther);  // one delete takes it out
    SendMessageW(hwnd, kOther, 0, 0);
    // The free slots are both there to take: 31 more distinct messages fit.
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    for (UINT i = 0; i < 31; ++i) sub->ssc_AddMsg(hwnd, WM_APP + 10 + i, CSubclass::MSG_BEFORE);
    EXPECT_THAT(reports, IsEmpty());
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_THAT(calls, ElementsAre("proc 2", "before 1 0 user 0", "proc 1"));
}

TEST_F(CSubclassTest, UnsubclassedWindowKeepsWorkingWithoutEvents) {
    const LONG_PTR original = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, CSubclass::ALL_MESSAGES, CSubclass::MSG_BEFORE_AND_AFTER);
    sub->ssc_UnSubclass(hwnd);
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    EXPECT_THAT(calls, ElementsAre("proc 1"));
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
    sub->ssc_UnSubclass(hwnd);  // again: nothing, silently
    EXPECT_THAT(reports, IsEmpty());
    // The window can be subclassed anew.
    EXPECT_TRUE(sub->ssc_Subclass(hwnd));
}

TEST_F(CSubclassTest, UnsubclassFromInsideAHandlerEndsTheReportsAtOnce) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE_AND_AFTER);
    CSubclass* s = sub.get();
    sub->WindowProc = [s](bool bBefore, bool&, LRESULT&, HWND h, UINT, WPARAM, LPARAM, LONG&) {
        calls.push_back(bBefore ? "before" : "after");
        s->ssc_UnSubclass(h);
    };
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    EXPECT_EQ(SendMessageW(hwnd, kPing, 0, 0), 100);
    EXPECT_THAT(calls, ElementsAre("before", "proc 1", "proc 1"));
}

TEST_F(CSubclassTest, SecondSubclassOfTheSameWindowIsRefusedAndTheFirstKeepsWorking) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    EXPECT_FALSE(sub->ssc_Subclass(hwnd));
    EXPECT_THAT(reports, ElementsAre(L"CSubclass.ssc_Subclass: Window handle is already subclassed"));
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_THAT(calls, ElementsAre("before 1 0 user 0", "proc 1"));
}

TEST_F(CSubclassTest, EndingTheObjectUnsubclassesAllItsWindows) {
    HWND second = MakeWindow();
    const LONG_PTR original = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    ASSERT_TRUE(sub->ssc_Subclass(second));
    sub->ssc_AddMsg(hwnd, CSubclass::ALL_MESSAGES, CSubclass::MSG_BEFORE);
    sub->ssc_AddMsg(second, CSubclass::ALL_MESSAGES, CSubclass::MSG_BEFORE);
    sub.reset();
    SendMessageW(hwnd, kPing, 0, 0);
    SendMessageW(second, kOther, 0, 0);
    EXPECT_THAT(calls, ElementsAre("proc 1", "proc 2"));
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
    DestroyWindow(second);
}

TEST_F(CSubclassTest, TwoObjectsOnOneWindowUnsubclassInAnyOrder) {
    CSubclass outer;
    std::vector<std::string> outerCalls;
    outer.WindowProc = [&](bool bBefore, bool&, LRESULT&, HWND, UINT uMsg, WPARAM, LPARAM, LONG&) {
        calls.push_back("outer " + std::to_string(uMsg - WM_APP));
    };
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    ASSERT_TRUE(outer.ssc_Subclass(hwnd));
    outer.ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    sub->ssc_UnSubclass(hwnd);  // covered by the outer one: stays as a silent link
    SendMessageW(hwnd, kPing, 0, 0);
    outer.ssc_UnSubclass(hwnd);
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_THAT(calls, ElementsAre("outer 1", "proc 1", "proc 1"));
    EXPECT_TRUE(DestroyWindow(hwnd));
}

TEST_F(CSubclassTest, DestroyedWindowLeavesTheCollection) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, WM_DESTROY, CSubclass::MSG_AFTER);
    calls.clear();
    sub->WindowProc = [](bool, bool&, LRESULT&, HWND, UINT uMsg, WPARAM, LPARAM, LONG&) {
        calls.push_back("destroy " + std::to_string(uMsg));
    };
    DestroyWindow(hwnd);
    EXPECT_THAT(calls, ElementsAre("destroy 2"));
    sub->ssc_UnSubclass(hwnd);
    EXPECT_THAT(reports, IsEmpty());
}

TEST_F(CSubclassTest, CallOrigWndProcCallsThePreviousProcedureWithoutEvents) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, CSubclass::ALL_MESSAGES, CSubclass::MSG_BEFORE_AND_AFTER);
    EXPECT_EQ(sub->ssc_CallOrigWndProc(hwnd, kOther, 0, 0), 200);
    EXPECT_THAT(calls, ElementsAre("proc 2"));
}

TEST_F(CSubclassTest, UserValueIsHandedToEveryEventAndCanBeChanged) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd, 5));
    EXPECT_EQ(sub->zGet_lParamUser(hwnd), 5);
    sub->zSet_lParamUser(hwnd, 6);
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    sub->WindowProc = [](bool, bool&, LRESULT&, HWND, UINT, WPARAM, LPARAM, LONG& user) {
        calls.push_back("user " + std::to_string(user));
        user = 9;
    };
    SendMessageW(hwnd, kPing, 0, 0);
    EXPECT_EQ(sub->zGet_lParamUser(hwnd), 9);
    EXPECT_THAT(calls, ElementsAre("user 6", "proc 1"));
}

TEST_F(CSubclassTest, WideCharacterRequestFollowsTheWindow) {
    bool unicode = true;
    ASSERT_TRUE(sub->ssc_Subclass(hwnd, 0, 1, true, &unicode));
    EXPECT_TRUE(unicode);
    EXPECT_TRUE(IsWindowUnicode(hwnd));
    sub->ssc_AddMsg(hwnd, WM_SETTEXT, CSubclass::MSG_AFTER);
    SetWindowTextW(hwnd, L"我的盒子");
    wchar_t text[16] = {};
    GetWindowTextW(hwnd, text, 16);
    EXPECT_STREQ(text, L"我的盒子");
}

TEST_F(CSubclassTest, TrackMouseTrackingBringsAMouseLeave) {
    SetWindowPos(hwnd, HWND_TOPMOST, 1000, 700, 200, 200, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetCursorPos(1100, 800);
    PumpFor(100);
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(hwnd, WM_MOUSELEAVE, CSubclass::MSG_BEFORE);
    bool left = false;
    sub->WindowProc = [&](bool, bool&, LRESULT&, HWND, UINT uMsg, WPARAM, LPARAM, LONG&) {
        if (uMsg == WM_MOUSELEAVE) left = true;
    };
    sub->TrackMouseTracking(hwnd);
    PumpFor(100);
    EXPECT_FALSE(left);
    SetCursorPos(700, 500);
    EXPECT_TRUE(PumpUntil([&] { return left; }, 3000));
}

// The reports, each as the log receives it.
TEST_F(CSubclassTest, InvalidWindowIsReported) {
    EXPECT_FALSE(sub->ssc_Subclass(reinterpret_cast<HWND>(0x7FFF0)));
    EXPECT_THAT(reports, ElementsAre(L"CSubclass.ssc_Subclass: Invalid window handle"));
}

TEST_F(CSubclassTest, WindowOfAnotherProcessIsReported) {
    HWND desktop = GetDesktopWindow();
    DWORD pid = 0;
    GetWindowThreadProcessId(desktop, &pid);
    ASSERT_NE(pid, GetCurrentProcessId());
    EXPECT_FALSE(sub->ssc_Subclass(desktop));
    EXPECT_THAT(reports, ElementsAre(L"CSubclass.ssc_Subclass: Window handle belongs to another process"));
}

TEST_F(CSubclassTest, UnknownOrdinalIsReported) {
    EXPECT_FALSE(sub->ssc_Subclass(hwnd, 0, 2));
    EXPECT_THAT(reports, ElementsAre(L"CSubclass.ssc_Subclass: Callback method not found"));
}

TEST_F(CSubclassTest, LookUpBeforeAnySubclassIsReported) {
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    EXPECT_EQ(sub->zGet_lParamUser(hwnd), 0);
    EXPECT_THAT(reports, ElementsAre(L"CSubclass.zMap_VFunction: Thunk hasn't been initialized",
                                     L"CSubclass.zMap_VFunction: Thunk hasn't been initialized"));
}

TEST_F(CSubclassTest, LookUpOfAWindowNotSubclassedIsReportedWithTwoBlanks) {
    HWND second = MakeWindow();
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_AddMsg(second, kPing, CSubclass::MSG_BEFORE);
    sub->ssc_UnSubclass(second);  // silent while unsubclassing
    EXPECT_THAT(reports, ElementsAre(L"CSubclass.zMap_VFunction: Thunk type for  does not exist"));
    DestroyWindow(second);
}

TEST_F(CSubclassTest, EmptyCollectionLooksUpSilently) {
    ASSERT_TRUE(sub->ssc_Subclass(hwnd));
    sub->ssc_UnSubclass(hwnd);
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    EXPECT_THAT(reports, IsEmpty());
}

TEST_F(CSubclassTest, NoExecutableMemoryIsReportedWithTheErrorNumber) {
    // Memory is taken until the system refuses the least any allocation
    // takes, an executable one-page block: then the hook record cannot be
    // placed. A 32-bit address space is reserved first, every free range,
    // largest first. A refused 64 KiB reserve does not prove that a one-page
    // block has no room left: an allocator that maps the size plus the
    // 64 KiB granularity and trims the result needs 128 KiB for the one and
    // only 68 KiB for the other (Wine's 32-bit processes allocate so). A
    // 64-bit address space cannot be filled, but each block is a mapping of
    // its own and a process has a bounded number of those (under Wine, the
    // host's limit on a process's mappings): the blocks run out of that.
    std::vector<void*> held;
    held.reserve(1 << 19);
    if (sizeof(void*) == 4) {
        for (SIZE_T size = 1u << 30; size >= 0x10000;) {
            if (void* p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
                held.push_back(p);
            else
                size /= 2;
        }
    }
    while (held.size() < held.capacity()) {
        void* p = VirtualAlloc(nullptr, 1, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
        if (!p) break;
        held.push_back(p);
    }
    const bool spaceFull = held.size() < held.capacity();
    reports.reserve(4);
    const bool ok = spaceFull && sub->ssc_Subclass(hwnd);
    for (void* p : held) VirtualFree(p, 0, MEM_RELEASE);
    ASSERT_TRUE(spaceFull) << "the system never refused a block";
    EXPECT_FALSE(ok);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"CSubclass.ssc_Subclass: VirtualAlloc failed, error: 8");
    // No collection was made: a look-up says so.
    sub->ssc_AddMsg(hwnd, kPing, CSubclass::MSG_BEFORE);
    EXPECT_EQ(reports.back(), L"CSubclass.zMap_VFunction: Thunk hasn't been initialized");
}

}  // namespace
