// The popup menu on real windows: line geometry, captions, check marks,
// icons, the disabled look, hover, the chosen line and closing by another
// window's activation, placement near the screen's edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "GMenu.h"
#include "Pump.h"
#include "Twips.h"

namespace {

const COLORREF kMenuBack = RGB(219, 216, 209), kLineBack = RGB(249, 248, 247);
const COLORREF kHover = RGB(182, 189, 210), kFrame = RGB(102, 102, 102);

int Count(HDC dc, RECT r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == c;
    return n;
}

// Pixels of a line box that are neither its background nor the hover colours.
int Ink(HDC dc) {
    int n = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 100; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            n += c != kLineBack && c != kHover && c != RGB(82, 24, 106) && c != CLR_INVALID;
        }
    return n;
}

// The darkest pixel of a line box, as the sum of its channels.
int Darkest(HDC dc) {
    int least = 765;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 100; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c != CLR_INVALID) least = std::min(least, GetRValue(c) + GetGValue(c) + GetBValue(c));
        }
    return least;
}

// Pixels whiter than the line's background (249, 248, 247).
int White(HDC dc) {
    int n = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 100; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            n += c != CLR_INVALID && GetRValue(c) >= 252 && GetGValue(c) >= 252 && GetBValue(c) >= 252;
        }
    return n;
}

int Reddish(HDC dc) {
    int n = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 100; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            n += GetRValue(c) > GetGValue(c) + 80 && GetRValue(c) > GetBValue(c) + 80;
        }
    return n;
}

std::shared_ptr<StdPicture> SolidIcon(COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH b = CreateSolidBrush(colour);
    RECT r{0, 0, 16, 16};
    FillRect(dc, &r, b);
    DeleteObject(b);
    SelectObject(dc, old);
    DeleteDC(dc);
    return StdPicture::FromBitmap(bmp, true);
}

class Host : public Window {
public:
    Host() {
        CreateParams p;
        p.className = L"GMenuTestHost";
        p.style = WS_POPUP | WS_VISIBLE;
        p.x = 600;
        p.y = 100;
        p.cx = 200;
        p.cy = 200;
        Create(p);
        SetForegroundWindow(hwnd());
    }
};

class GMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        menu.Click = [this](int32_t& index) { clicks.push_back(index); };
    }
    void Build() {
        menu.Add(L"设置", SolidIcon(RGB(255, 0, 0)));
        menu.Add(L"论坛");
        menu.AddLine();
        menu.Add(L"退出");
    }
    FMenu::Line& LineOf(int i) { return *menu.Menu().LineAt(i); }
    // Shows the menu and waits until it is the active window (another
    // process's window may have the foreground when the test starts).
    bool ShowActive() {
        menu.ShowMenu(false, 1500, 3000);
        return PumpUntil([&] {
            if (GetActiveWindow() == menu.Menu().hwnd()) return true;
            SetForegroundWindow(menu.Menu().hwnd());
            return false;
        }, 10000);
    }
    Host host;
    GMenu menu;
    std::vector<int> clicks;
};

}  // namespace

TEST_F(GMenuTest, LinesStackFromTwentyAndSeparatorsAddThirty) {
    Build();
    EXPECT_EQ(menu.GetCount(), 3);
    EXPECT_EQ(LineOf(1).Top(), 20);
    EXPECT_EQ(LineOf(2).Top(), 380);
    EXPECT_EQ(LineOf(3).Top(), 770);
    EXPECT_EQ(menu.Mytop, 1130);
    RECT r;
    GetWindowRect(LineOf(2).hwnd(), &r);
    MapWindowPoints(nullptr, menu.Menu().hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 24);   // 360 twips
    EXPECT_EQ(r.top, 25);    // 380 twips
    EXPECT_EQ(r.bottom - r.top, 32);  // 480 twips
    EXPECT_EQ(menu.GetCaption(2), L"论坛");
    EXPECT_EQ(menu.GetCaption(9), L"");  // no such line: skipped
    menu.UnLoadMenu();
    EXPECT_EQ(menu.GetCount(), 0);
    EXPECT_EQ(menu.Mytop, 0);
    EXPECT_EQ(menu.MaxWidth, 0);
    menu.Add(L"again");
    EXPECT_EQ(LineOf(1).Top(), 20);
}

TEST_F(GMenuTest, ShowMenuSizesAndFramesTheWindowAndPrintsCaptions) {
    Build();
    const double width = menu.MaxWidth;
    EXPECT_EQ(width, menu.Menu().TextSize(L"设置").cx + 660);
    menu.ShowMenu(false, 1500, 3000);
    HWND w = menu.Menu().hwnd();
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.bottom - r.top, (1130 + 10) / 15);
    RECT line;
    GetClientRect(LineOf(1).hwnd(), &line);
    EXPECT_EQ(line.right, TwipsToPixels(width - 380));
    // The frame in grey, icons on the menu's own surface left of the lines.
    HDC dc = menu.Menu().hDC();
    EXPECT_EQ(GetPixel(dc, 0, 30), kFrame);
    EXPECT_EQ(GetPixel(dc, 10, 0), kFrame);
    EXPECT_EQ(GetPixel(dc, 6, 7), RGB(255, 0, 0));   // line 1 icon at (60, 80) twips
    EXPECT_EQ(GetPixel(dc, 6, 31), kMenuBack);        // line 2: empty picture, no icon
    EXPECT_GT(Ink(LineOf(1).hDC()), 10);
    menu.HideMenu();
    EXPECT_FALSE(IsWindowVisible(w));
}

TEST_F(GMenuTest, HoverFramesTheLineAndLeavingClearsIt) {
    Build();
    menu.ShowMenu(false, 1500, 3000);
    HWND line = LineOf(1).hwnd();
    SendMessageW(line, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(GetPixel(LineOf(1).hDC(), 5, 5), kHover);
    EXPECT_EQ(GetPixel(LineOf(1).hDC(), 1, 1), RGB(82, 24, 106));
    EXPECT_EQ(GetCapture(), line);
    SendMessageW(line, WM_MOUSEMOVE, 0, MAKELPARAM(-5, 40));
    EXPECT_EQ(GetPixel(LineOf(1).hDC(), 5, 5), kLineBack);
    EXPECT_NE(GetCapture(), line);
    EXPECT_GT(Ink(LineOf(1).hDC()), 10);
    menu.HideMenu();
}

TEST_F(GMenuTest, ChosenLineRaisesClickOnceAfterTheMenuClosed) {
    Build();
    ASSERT_TRUE(ShowActive());
    PumpFor(250);
    EXPECT_TRUE(clicks.empty());
    HWND line = LineOf(3).hwnd();
    SendMessageW(line, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(line, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(IsWindowVisible(menu.Menu().hwnd()));
    ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }, 10000));
    PumpFor(300);
    EXPECT_EQ(clicks, std::vector<int>{3});
    EXPECT_EQ(menu.ClickIndex, 3);
    // Shown again, the same lines; activating another window closes it silently.
    ASSERT_TRUE(ShowActive());
    SetForegroundWindow(host.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(menu.Menu().hwnd()); }, 10000));
    PumpFor(300);
    EXPECT_EQ(clicks, std::vector<int>{3});
}

// Whether the control's timer still runs: after a wait without dispatching,
// a running timer has a tick waiting.
bool TimerRuns(const GMenu& menu) {
    Sleep(350);
    MSG msg;
    return PeekMessageW(&msg, menu.hwnd(), WM_TIMER, WM_TIMER, PM_NOREMOVE) != FALSE;
}

TEST_F(GMenuTest, ClickHandlerThatShowsTheMenuAgainKeepsItShown) {
    Build();
    menu.Click = [this](int32_t& index) {
        clicks.push_back(index);
        if (clicks.size() == 1) menu.ShowMenu(false, 1500, 3000);
    };
    ASSERT_TRUE(ShowActive());
    HWND line = LineOf(2).hwnd();
    SendMessageW(line, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(line, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }, 10000));
    PumpFor(300);
    EXPECT_TRUE(IsWindowVisible(menu.Menu().hwnd()));
    EXPECT_TRUE(TimerRuns(menu));
    // The new showing closes as any showing does.
    SetForegroundWindow(host.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(menu.Menu().hwnd()); }, 10000));
    EXPECT_EQ(clicks, std::vector<int>{2});
}

TEST_F(GMenuTest, UnloadingTheShownMenuStopsItsTimer) {
    Build();
    ASSERT_TRUE(ShowActive());
    EXPECT_TRUE(TimerRuns(menu));
    menu.UnLoadMenu();
    PumpFor(50);
    EXPECT_FALSE(TimerRuns(menu));
    EXPECT_EQ(menu.GetCount(), 0);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(GMenuTest, DisabledLineIsEngravedCannotBeChosenAndComesBack) {
    Build();
    menu.ShowMenu(false, 1500, 3000);
    const int enabledDarkest = Darkest(LineOf(2).hDC());
    EXPECT_EQ(White(LineOf(2).hDC()), 0);
    menu.SetEnabled(2, false);
    EXPECT_FALSE(menu.GetEnabled(2));
    // Grey text over a white copy: nothing as dark as the black text, some white.
    HDC dc = LineOf(2).hDC();
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_GE(Darkest(dc), GetRValue(grey) + GetGValue(grey) + GetBValue(grey) - 30);
    EXPECT_GT(Darkest(dc), enabledDarkest + 60);
    EXPECT_GT(White(dc), 3);
    // A disabled window gets no mouse input from the system.
    EXPECT_FALSE(IsWindowEnabled(LineOf(2).hwnd()));
    menu.SetEnabled(2, true);
    EXPECT_TRUE(menu.GetEnabled(2));
    EXPECT_EQ(Darkest(LineOf(2).hDC()), enabledDarkest);
    EXPECT_EQ(White(LineOf(2).hDC()), 0);
    menu.HideMenu();
}

TEST_F(GMenuTest, CheckMarksCoverTheIconAndUncheckingClearsBoth) {
    Build();
    HDC dc = menu.Menu().hDC();
    EXPECT_FALSE(menu.GetCheck(2));
    menu.SetCheck(2, true);
    EXPECT_TRUE(menu.GetCheck(2));
    EXPECT_GT(Count(dc, {4, 29, 20, 45}, RGB(0, 0, 0)), 5);  // square at (60, 440) twips
    menu.SetCheck(1, true);
    EXPECT_EQ(Count(dc, {4, 5, 20, 21}, RGB(255, 0, 0)), 0);
    menu.SetCheck(1, false);
    EXPECT_EQ(Count(dc, {4, 5, 20, 21}, kMenuBack), 256);
    menu.SetPicture(2, SolidIcon(RGB(0, 0, 255)));
    EXPECT_EQ(Count(dc, {4, 29, 20, 45}, RGB(0, 0, 255)), 256);
    menu.SetPicture(2, nullptr);  // an empty picture changes nothing
    EXPECT_EQ(Count(dc, {4, 29, 20, 45}, RGB(0, 0, 255)), 256);
}

TEST_F(GMenuTest, ColoursFontsAndCaptionsReprintTheLine) {
    Build();
    menu.ForeColor(1, RGB(200, 0, 0));
    EXPECT_GT(Reddish(LineOf(1).hDC()), 3);
    menu.SetCaption(2, L"Forum");
    const int plain = Ink(LineOf(2).hDC());
    menu.FontBold(2, true);
    EXPECT_GT(Ink(LineOf(2).hDC()), plain);
    menu.FontBold(2, false);
    menu.FontUnderline(2, true);
    EXPECT_GT(Ink(LineOf(2).hDC()), plain);
    const double width = menu.MaxWidth;
    menu.SetCaption(3, L"退出退出退出退出退出");
    EXPECT_EQ(menu.GetCaption(3), L"退出退出退出退出退出");
    EXPECT_GT(menu.MaxWidth, width);
    const double wider = menu.MaxWidth;
    menu.SetCaption(3, L"x");
    EXPECT_EQ(menu.MaxWidth, wider);
    menu.ShowMenu(false, 0, 0);
    RECT r;
    GetWindowRect(menu.Menu().hwnd(), &r);
    EXPECT_EQ(r.right - r.left, TwipsToPixels(wider));
    menu.HideMenu();
}

TEST_F(GMenuTest, AutomaticPlacementTurnsAtTheScreenEdges) {
    Build();
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(100, 100);
    menu.ShowMenu(true);
    RECT r;
    GetWindowRect(menu.Menu().hwnd(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    menu.HideMenu();
    SetCursorPos(cx - 5, cy - 5);
    menu.ShowMenu(true);
    GetWindowRect(menu.Menu().hwnd(), &r);
    EXPECT_EQ(r.right, cx - 5);   // opened to the left of the cursor
    EXPECT_EQ(r.bottom, cy - 5);  // and above it
    menu.HideMenu();
    // Taller than the space above the cursor: the top is 0; to the left it stays off screen.
    for (int i = 0; i < 40; ++i) menu.Add(L"line " + std::to_wstring(i));
    SetCursorPos(10, cy - 100);
    menu.ShowMenu(true);
    GetWindowRect(menu.Menu().hwnd(), &r);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.left, 10);
    menu.HideMenu();
    SetCursorPos(20, 10);
    menu.MaxWidth = 2000 * 15;
    menu.ShowMenu(true);
    GetWindowRect(menu.Menu().hwnd(), &r);
    EXPECT_EQ(r.left, 20 - 2000);  // not pushed back on screen
    menu.HideMenu();
}
