// Tips of ToolTipText showing under the pointer: on an image button, whose
// window procedure is the toolkit's own, and after a change at run time.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ControlToolTips.h"
#include "Form.h"
#include "Pump.h"
#include "ToolkitHosting.h"

namespace {

class Toolbar : public Form {
public:
    Toolbar() {
        Caption(L"tips");
        BorderStyle(FormBorderStyleConstants::None);
        Move(4500, 4500, 6000, 3000);
        Btn_Home.Move(600, 600, 1200, 450);
        Btn_Home.ToolTipText(L"官方网站");
        Btn_Home.Design = [](iButton& b) { b.AutoSize(false); };
    }
    Hosted<iButton> Btn_Home{*this};
};

std::wstring ShownTip(HWND tip) {
    wchar_t text[128] = L"";
    TTTOOLINFOW cur{};
    cur.cbSize = TTTOOLINFOW_V2_SIZE;
    cur.lpszText = text;
    if (!SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&cur))) return L"<none>";
    return text;
}

// The pointer comes to rest on the middle of the window, as the mouse would
// (each further move would restart the tip's delay).
void RestOn(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    SetCursorPos(x, y);
    POINT p{x, y};
    ScreenToClient(h, &p);
    PostMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

}  // namespace

TEST(HostedToolTipHover, TheTipShowsWhileThePointerRestsOnTheButton) {
    SetCursorPos(5, 1000);
    Toolbar t;
    t.Show();
    SetWindowPos(t.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpFor(100);
    const HWND tip = ControlToolTipWindow(t.Btn_Home.hwnd());
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(IsWindowVisible(tip));
    RestOn(t.Btn_Home.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }, 5000));
    EXPECT_EQ(ShownTip(tip), L"官方网站");

    // Away and back after a change at run time: the new text.
    SetCursorPos(5, 1000);
    PostMessageW(t.Btn_Home.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(-300, -300));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(tip); }, 5000));
    t.Btn_Home.ToolTipText(L"充值");
    RestOn(t.Btn_Home.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tip) != FALSE; }, 5000));
    EXPECT_EQ(ShownTip(tip), L"充值");
    SetCursorPos(5, 1000);
    t.Unload();
}
