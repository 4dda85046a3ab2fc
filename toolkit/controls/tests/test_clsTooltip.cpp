// Tooltip tools on a real window: each rectangle has its own text, the tip
// appears when the cursor rests on it, and nothing remains after the object ends.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Pump.h"
#include "clsTooltip.h"

namespace {

HWND MakeOwner() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TooltipOwner";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, L"TooltipOwner", L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(w);
    PumpFor(100);
    return w;
}

// The tool under client point (x, y) of owner: id and text, or id -1.
std::pair<int, std::wstring> HitTest(HWND tip, HWND owner, int x, int y) {
    wchar_t text[80] = L"";
    TTHITTESTINFOW hit{};
    hit.hwnd = owner;
    hit.pt = {x, y};
    hit.ti.cbSize = TTTOOLINFOW_V2_SIZE;
    hit.ti.lpszText = text;
    if (!SendMessageW(tip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return {-1, L""};
    return {static_cast<int>(hit.ti.uId), text};
}

void MoveMouse(HWND owner, int x, int y) {
    POINT p{x, y};
    ClientToScreen(owner, &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(owner, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

}  // namespace

TEST(clsTooltip, TwoToolsKeepTheirOwnTextsAndRectangles) {
    HWND owner = MakeOwner();
    clsTooltip tip;
    ASSERT_TRUE(IsWindow(tip.hwnd()));
    wchar_t cls[64];
    GetClassNameW(tip.hwnd(), cls, 64);
    EXPECT_STREQ(cls, L"tooltips_class32");
    EXPECT_TRUE(GetWindowLongW(tip.hwnd(), GWL_STYLE) & TTS_ALWAYSTIP);

    tip.AddTool_ForRect(owner, 1, RECT{0, 0, 100, 50}, L"第一页");
    tip.AddTool_ForRect(owner, 2, RECT{150, 100, 250, 150}, L"第二页");
    EXPECT_EQ(SendMessageW(tip.hwnd(), TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(HitTest(tip.hwnd(), owner, 10, 10), std::make_pair(1, std::wstring(L"第一页")));
    EXPECT_EQ(HitTest(tip.hwnd(), owner, 200, 120), std::make_pair(2, std::wstring(L"第二页")));
    EXPECT_EQ(HitTest(tip.hwnd(), owner, 120, 70).first, -1);

    // The tooltip watches the owner's mouse messages itself and shows the tip
    // once the cursor rests there (each further move would restart its delay).
    MoveMouse(owner, 200, 120);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tip.hwnd()) != FALSE; }, 5000));
    wchar_t shown[80] = L"";
    TTTOOLINFOW cur{};
    cur.cbSize = TTTOOLINFOW_V2_SIZE;
    cur.lpszText = shown;
    ASSERT_TRUE(SendMessageW(tip.hwnd(), TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&cur)));
    EXPECT_EQ(cur.uId, 2u);
    EXPECT_STREQ(shown, L"第二页");
    DestroyWindow(owner);
}

TEST(clsTooltip, EndOfTheObjectRemovesTheWindowAndItsTools) {
    HWND owner = MakeOwner();
    HWND tipWindow;
    {
        auto tip = std::make_unique<clsTooltip>();
        tip->AddTool_ForRect(owner, 7, RECT{0, 0, 300, 200}, L"tip");
        tipWindow = tip->hwnd();
    }
    EXPECT_FALSE(IsWindow(tipWindow));
    // The owner keeps working without its tool: mouse moves reach it safely.
    MoveMouse(owner, 50, 50);
    PumpFor(200);
    EXPECT_TRUE(IsWindow(owner));
    DestroyWindow(owner);
}
