// A replaced window procedure that passes messages on: Chinese captions of
// wide windows arrive and come back intact, and ANSI windows keep working.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Form.h"
#include "WindowProc.h"

namespace {

WNDPROC g_previous = nullptr;
std::vector<std::wstring> g_seen;  // captions the hook saw, as wide text

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETTEXT && lParam) {
        if (IsWindowUnicode(hwnd)) {
            g_seen.emplace_back(reinterpret_cast<const wchar_t*>(lParam));
        } else {
            const std::string a(reinterpret_cast<const char*>(lParam));
            g_seen.emplace_back(a.begin(), a.end());
        }
    }
    return CallWindowProcOf(g_previous, hwnd, msg, wParam, lParam);
}

std::wstring TextOf(HWND h) {
    wchar_t text[128] = L"";
    GetWindowTextW(h, text, 128);
    return text;
}

class Plain : public Form {};

TEST(WindowProc, AWideWindowKeepsChineseCaptionsThroughTheReplacedProcedure) {
    Plain f;
    f.Caption(L"我的盒子");
    f.Load();
    const HWND h = f.hwnd();
    ASSERT_TRUE(IsWindowUnicode(h));
    const LONG_PTR own = GetWindowLongPtrW(h, GWLP_WNDPROC);
    g_seen.clear();
    g_previous = SetWindowProc(h, RecordingProc);
    ASSERT_NE(g_previous, nullptr);
    EXPECT_TRUE(IsWindowUnicode(h));

    EXPECT_EQ(TextOf(h), L"我的盒子");  // WM_GETTEXT through the hook
    f.Caption(L"找游戏");
    EXPECT_EQ(TextOf(h), L"找游戏");
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0], L"找游戏");
    // Messages the form itself handles still reach it.
    f.Caption(L"关于我们");
    EXPECT_EQ(f.Caption(), L"关于我们");
    EXPECT_EQ(TextOf(h), L"关于我们");

    EXPECT_EQ(SetWindowProc(h, g_previous), RecordingProc);
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), own);
    f.Unload();
}

TEST(WindowProc, AnAnsiWindowIsHookedInItsOwnWidth) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = "WindowProcAnsiTest";
    RegisterClassA(&wc);
    const HWND h = CreateWindowExA(0, "WindowProcAnsiTest", "start", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(h);
    ASSERT_FALSE(IsWindowUnicode(h));
    g_seen.clear();
    g_previous = SetWindowProc(h, RecordingProc);
    ASSERT_NE(g_previous, nullptr);
    EXPECT_FALSE(IsWindowUnicode(h));
    SetWindowTextA(h, "Orvane");
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0], L"Orvane");
    char text[32] = "";
    GetWindowTextA(h, text, 32);
    EXPECT_STREQ(text, "Orvane");
    // Without a procedure underneath, the default handling answers.
    EXPECT_EQ(DefWindowProcOf(h, WM_GETTEXTLENGTH, 0, 0), 6);
    EXPECT_EQ(CallWindowProcOf(nullptr, h, WM_GETTEXTLENGTH, 0, 0), 6);
    DestroyWindow(h);
}

}  // namespace
