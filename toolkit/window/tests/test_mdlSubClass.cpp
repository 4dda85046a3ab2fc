// The simple hook: what the sink keeps never reaches the old procedure, what
// it passes on comes back unchanged; the word-splitting helpers.
#include <gtest/gtest.h>

#include <vector>

#include "mdlSubClass.h"

namespace {

std::vector<UINT> g_seen;  // messages the window's own procedure received

LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    g_seen.push_back(msg);
    if (msg == WM_APP + 1) return 4242 + static_cast<LRESULT>(wp);
    // Answers with both values folded into one of the platform's width.
    if (msg == WM_APP + 3) return static_cast<LRESULT>(wp ^ static_cast<WPARAM>(lp));
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HookTestWindow";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, L"HookTestWindow", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Keeps WM_APP + 2, passes everything else on and records what it saw.
class RecordingSink : public clsWndMsg {
public:
    void Message(HWND hwnd, int32_t uMsg, WPARAM wParam, LPARAM lParam, LRESULT& ret) override {
        seen.push_back(uMsg);
        if (uMsg == WM_APP + 2) {
            ret = 0;
            return;
        }
        ret = CallOldWndProc(hwnd, uMsg, wParam, lParam);
    }
    std::vector<int32_t> seen;
};

bool Saw(const std::vector<UINT>& v, UINT m) {
    for (UINT x : v)
        if (x == m) return true;
    return false;
}

}  // namespace

TEST(HookWindow, ConsumedMessageNeverReachesTheOldProcedure) {
    HWND w = MakeWindow();
    ASSERT_NE(w, nullptr);
    RecordingSink sink;
    HookWindow(w, &sink);
    g_seen.clear();
    EXPECT_EQ(SendMessageW(w, WM_APP + 2, 7, 8), 0);
    EXPECT_FALSE(Saw(g_seen, WM_APP + 2));
    ASSERT_FALSE(sink.seen.empty());
    EXPECT_EQ(sink.seen.back(), WM_APP + 2);
    DestroyWindow(w);
}

TEST(HookWindow, PassedMessageReturnsTheOldProcedureResult) {
    HWND w = MakeWindow();
    RecordingSink sink;
    HookWindow(w, &sink);
    g_seen.clear();
    EXPECT_EQ(SendMessageW(w, WM_APP + 1, 58, 0), 4300);
    EXPECT_TRUE(Saw(g_seen, WM_APP + 1));
    // Properties hold the state on the window itself.
    EXPECT_EQ(GetPropW(w, L"MsgTarget"), static_cast<clsWndMsg*>(&sink));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropW(w, L"OldWndProc")), &OwnProc);
    DestroyWindow(w);
}

TEST(HookWindow, DefaultSinkConsumesEverythingWithZero) {
    HWND w = MakeWindow();
    clsWndMsg sink;
    HookWindow(w, &sink);
    g_seen.clear();
    EXPECT_EQ(SendMessageW(w, WM_APP + 1, 1, 0), 0);
    EXPECT_TRUE(g_seen.empty());
    DestroyWindow(w);
}

TEST(HookWindow, DestroyingTheWindowEndsTheHook) {
    HWND w = MakeWindow();
    RecordingSink sink;
    HookWindow(w, &sink);
    DestroyWindow(w);
    EXPECT_FALSE(IsWindow(w));
    ASSERT_FALSE(sink.seen.empty());
    EXPECT_EQ(sink.seen.back(), WM_NCDESTROY);
}

TEST(HookWindow, PointersAndResultsPassAtThePlatformsWidth) {
    HWND w = MakeWindow();
    SetWindowTextW(w, L"hooked window");
    RecordingSink sink;
    HookWindow(w, &sink);
    // A buffer high in the address space: on the 64-bit build its address
    // does not fit 32 bits.
    auto* buffer = static_cast<wchar_t*>(
        VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE));
    ASSERT_NE(buffer, nullptr);
    if (sizeof(void*) == 8) EXPECT_GT(reinterpret_cast<uintptr_t>(buffer) >> 32, 0u);
    EXPECT_EQ(SendMessageW(w, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer)), 13);
    EXPECT_STREQ(buffer, L"hooked window");
    VirtualFree(buffer, 0, MEM_RELEASE);
    // Values wider than 32 bits on the 64-bit build, unchanged on the 32-bit one.
    const WPARAM wide = static_cast<WPARAM>(~static_cast<WPARAM>(0) / 3);
    const LPARAM other = static_cast<LPARAM>(static_cast<WPARAM>(~static_cast<WPARAM>(0) / 5));
    EXPECT_EQ(static_cast<WPARAM>(SendMessageW(w, WM_APP + 3, wide, other)), wide ^ static_cast<WPARAM>(other));
    DestroyWindow(w);
}

TEST(HookWindow, HookingAHookedWindowAgainOnlyChangesTheSink) {
    HWND w = MakeWindow();
    RecordingSink first, second;
    HookWindow(w, &first);
    HookWindow(w, &second);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropW(w, L"OldWndProc")), &OwnProc);
    g_seen.clear();
    EXPECT_EQ(SendMessageW(w, WM_APP + 1, 1, 0), 4243);
    EXPECT_TRUE(Saw(g_seen, WM_APP + 1));
    ASSERT_FALSE(second.seen.empty());
    EXPECT_EQ(second.seen.back(), WM_APP + 1);
    EXPECT_TRUE(first.seen.empty());
    DestroyWindow(w);
}

// Another subclasser in front of the hook, passing everything on to it.
WNDPROC g_behindOther = nullptr;
int g_otherSaw = 0;
LRESULT CALLBACK OtherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 1) ++g_otherSaw;
    return CallWindowProcW(g_behindOther, hwnd, msg, wp, lp);
}

TEST(HookWindow, HookingAgainBehindAnotherSubclasserOnlyChangesTheSink) {
    HWND w = MakeWindow();
    RecordingSink first, second;
    HookWindow(w, &first);
    g_behindOther = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OtherProc)));
    ASSERT_EQ(g_behindOther, &HookWndProc);
    HookWindow(w, &second);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropW(w, L"OldWndProc")), &OwnProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)), &OtherProc) << "the other stays in front";
    g_seen.clear();
    g_otherSaw = 0;
    EXPECT_EQ(SendMessageW(w, WM_APP + 1, 2, 0), 4244);
    EXPECT_EQ(g_otherSaw, 1);
    EXPECT_EQ(second.seen, std::vector<int32_t>{WM_APP + 1});
    EXPECT_TRUE(first.seen.empty());
    DestroyWindow(w);
}

TEST(WordHelpers, Vectors) {
    EXPECT_EQ(LoWord(200 * 65536 + 100), 100);
    EXPECT_EQ(HiWord(200 * 65536 + 100), 200);
    EXPECT_EQ(HiWord(200 * 65536 + 32768), 200);  // 200.5 goes to the even neighbour
    EXPECT_EQ(HiWord(201 * 65536 + 32768), 202);  // 201.5 likewise
    EXPECT_EQ(HiWord(200 * 65536 + 32769), 201);
    EXPECT_EQ(LoWord(-1), -1);
    EXPECT_EQ(HiWord(-1), 0);
    EXPECT_EQ(LoWord(-65536 - 5), -5);
    EXPECT_EQ(LoWord(0), 0);
    EXPECT_EQ(LoWord(65535), 65535);
    EXPECT_EQ(HiWord(65535), 1);
}
