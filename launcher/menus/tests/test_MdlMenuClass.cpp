// The owner-drawn menu engine on a test host window: the hook and its
// removal, item sizes, and the pixels of normal, highlighted, separator,
// icon-less, disabled and checked items, in memory and in a real popup menu.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MdlMenuClass.h"
#include "MdlMenuComm.h"
#include "Pump.h"
#include "StdPicture.h"
#include "clsTopMenu.h"

namespace {

const COLORREF kBlue = RGB(41, 140, 211), kWhite = RGB(255, 255, 255), kText = RGB(35, 35, 35),
               kStrip = RGB(245, 246, 245), kLine = RGB(182, 195, 204);

// A plain window whose procedure records what reaches it.
struct Host {
    static std::vector<UINT>& Seen() {
        static std::vector<UINT> seen;
        return seen;
    }
    static std::vector<WPARAM>& Commands() {
        static std::vector<WPARAM> commands;
        return commands;
    }
    static WNDPROC& ProcAtDestroy() {
        static WNDPROC proc = nullptr;
        return proc;
    }
    static bool& PropAtNcDestroy() {
        static bool present = true;
        return present;
    }
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        Seen().push_back(m);
        if (m == WM_NCDESTROY) PropAtNcDestroy() = GetPropW(h, L"OrigProcAddr") != nullptr;
        if (m == WM_COMMAND) Commands().push_back(w);
        if (m == WM_DESTROY) ProcAtDestroy() = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
        if (m == WM_APP + 7) return 4242;
        return DefWindowProcW(h, m, w, l);
    }
    Host() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MenuTestHost";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, L"MenuTestHost", L"menu host", WS_OVERLAPPEDWINDOW, 40, 40, 300, 200, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        Seen().clear();
        Commands().clear();
    }
    ~Host() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    HWND hwnd;
};

bool SawMessage(UINT m) {
    for (UINT s : Host::Seen())
        if (s == m) return true;
    return false;
}

// A memory surface to draw single items on.
struct Surface {
    Surface(int w, int h) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bmp = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bmp);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        RECT r{0, 0, w, h};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
};

int Count(HDC dc, RECT r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == c;
    return n;
}

// Pixels of the rectangle that differ from its background: the caption's ink.
int Ink(HDC dc, RECT r, COLORREF background) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) != background;
    return n;
}

HBITMAP SolidBitmap(int size, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH b = CreateSolidBrush(colour);
    RECT r{0, 0, size, size};
    FillRect(dc, &r, b);
    DeleteObject(b);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bmp;
}

HICON SolidIcon(COLORREF colour) {
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = SolidBitmap(16, colour);
    ii.hbmMask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ii.hbmMask);
    PatBlt(dc, 0, 0, 16, 16, BLACKNESS);  // all opaque
    SelectObject(dc, old);
    DeleteDC(dc);
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return icon;
}

// Draws one item of 131 x height at `top` of the surface in `state`.
void DrawItem(clsTopMenu& item, HDC dc, int top, int height, UINT state, const StdPicture* check = nullptr) {
    item.InitStruct(dc, ODA_DRAWENTIRE, item.MenuID(), static_cast<int32_t>(state), 0, top, top + height, 131);
    item.DrawMenu(check);
}

class MenuEngine : public ::testing::Test {
protected:
    void SetUp() override {
        InitMenuColors();
        MainMenuShown = GameMenuShown = false;  // no command may reach the owners here
        ClearMenuItems();
        NextMenuID = 100;
    }
    void TearDown() override { ClearMenuItems(); }
};

TEST_F(MenuEngine, HookedOnceAndUnhookedAtDestroy) {
    Host host;
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(host.hwnd, GWLP_WNDPROC));
    MenuSelBackColor = MenuTextColor = 0;
    HookMenuForm(host.hwnd);
    EXPECT_EQ(MenuSelBackColor, kBlue) << "the colours are set by the hook";
    EXPECT_EQ(MenuTextColor, kText);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(host.hwnd, GWLP_WNDPROC)), &MenuWndProc);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropW(host.hwnd, L"OrigProcAddr")), original);
    HookMenuForm(host.hwnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropW(host.hwnd, L"OrigProcAddr")), original)
        << "a second hook must not make the hook its own previous procedure";

    // Other messages and commands reach the window's own procedure.
    EXPECT_EQ(SendMessageW(host.hwnd, WM_APP + 7, 0, 0), 4242);
    SendMessageW(host.hwnd, WM_COMMAND, 100, 0);
    ASSERT_EQ(Host::Commands().size(), 1u);
    EXPECT_EQ(Host::Commands()[0], 100u);

    // Measure and draw requests stop at the hook, whatever the control type.
    HMENU menu = CreatePopupMenu();
    AddMenuItem(menu, L"设置", 131, 24, nullptr);
    MEASUREITEMSTRUCT mis{ODT_BUTTON, 5, 100, 7, 9, 0};
    Host::Seen().clear();
    EXPECT_EQ(SendMessageW(host.hwnd, WM_MEASUREITEM, 5, reinterpret_cast<LPARAM>(&mis)), 0);
    EXPECT_EQ(mis.itemWidth, 7u) << "a control's request is left as it was";
    EXPECT_FALSE(SawMessage(WM_MEASUREITEM));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    EXPECT_EQ(SendMessageW(host.hwnd, WM_DRAWITEM, 5, reinterpret_cast<LPARAM>(&dis)), 0);
    EXPECT_FALSE(SawMessage(WM_DRAWITEM));

    ASSERT_EQ(MenuItems.size(), 1u);
    Host::ProcAtDestroy() = nullptr;
    DestroyWindow(host.hwnd);
    EXPECT_EQ(Host::ProcAtDestroy(), original) << "the old procedure is back before it sees WM_DESTROY";
    EXPECT_FALSE(Host::PropAtNcDestroy()) << "OrigProcAddr is gone";
    EXPECT_TRUE(MenuItems.empty());
    EXPECT_EQ(MenuItemCount, 0);
    DestroyMenu(menu);
}

TEST_F(MenuEngine, ItemsAreMeasuredByIdInInsertionOrder) {
    Host host;
    HookMenuForm(host.hwnd);
    HMENU menu = CreatePopupMenu();
    const wchar_t* captions[] = {L"设置", L"", L"帮助建议(H)", L"官方网站"};
    for (const wchar_t* c : captions) AddMenuItem(menu, c, 131, c[0] ? 24 : 5, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    ASSERT_EQ(MenuItemCount, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(GetMenuItemID(menu, i), static_cast<UINT>(100 + i));
        MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
        GetMenuItemInfoW(menu, i, TRUE, &info);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, static_cast<UINT>(100 + i), 1, 1, 0};
        SendMessageW(host.hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        EXPECT_EQ(mis.itemWidth, 131u);
        EXPECT_EQ(mis.itemHeight, i == 1 ? 5u : 24u);
    }
    MEASUREITEMSTRUCT unknown{ODT_MENU, 0, 99, 3, 4, 0};
    EXPECT_EQ(SendMessageW(host.hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&unknown)), 0);
    EXPECT_EQ(unknown.itemWidth, 3u);
    EXPECT_EQ(unknown.itemHeight, 4u);
    DestroyMenu(menu);
}

TEST_F(MenuEngine, PixelsOfEachKindOfItem) {
    Surface s(160, 120);
    HICON red = SolidIcon(RGB(255, 0, 0));
    clsTopMenu normal, plain, separator, disabled, checked;
    normal.InitMenu(100, L"设置", 131, 24, red);
    plain.InitMenu(101, L"官方网站", 131, 24, nullptr);
    separator.InitMenu(102, L"", 131, 5, nullptr);
    disabled.InitMenu(103, L"检测更新", 131, 24, nullptr);
    disabled.Enabled(false);
    checked.InitMenu(104, L"关于我们", 131, 24, red);
    checked.Selected(true);

    // Normal, with an icon: strip, white area, the icon at (4, top + 3), dark caption from x 33.
    DrawItem(normal, s.dc, 0, 24, 0);
    EXPECT_EQ(GetPixel(s.dc, 0, 0), kStrip);
    EXPECT_EQ(GetPixel(s.dc, 23, 23), kStrip);
    EXPECT_EQ(GetPixel(s.dc, 24, 0), kWhite);
    EXPECT_EQ(GetPixel(s.dc, 130, 23), kWhite);
    EXPECT_EQ(GetPixel(s.dc, 131, 10), RGB(0, 0, 0)) << "nothing right of the item";
    EXPECT_EQ(Count(s.dc, {4, 3, 20, 19}, RGB(255, 0, 0)), 256);
    EXPECT_EQ(GetPixel(s.dc, 3, 3), kStrip);
    EXPECT_EQ(GetPixel(s.dc, 4, 2), kStrip);
    // Glyph edges may be smoothed; the strokes themselves are in the text colour.
    EXPECT_GT(Ink(s.dc, {33, 0, 131, 24}, kWhite), 20);
    EXPECT_GT(Count(s.dc, {33, 0, 131, 24}, kText), 0);
    EXPECT_EQ(Ink(s.dc, {24, 0, 33, 24}, kWhite), 0) << "the caption starts at x 33";

    // Highlighted: blue fill and frame, white caption, the icon still there.
    DrawItem(normal, s.dc, 30, 24, ODS_SELECTED);
    EXPECT_EQ(GetPixel(s.dc, 0, 30), kBlue);
    EXPECT_EQ(GetPixel(s.dc, 130, 53), kBlue);
    EXPECT_EQ(GetPixel(s.dc, 60, 31), kBlue);
    EXPECT_EQ(Count(s.dc, {4, 33, 20, 49}, RGB(255, 0, 0)), 256);
    EXPECT_GT(Ink(s.dc, {33, 32, 130, 52}, kBlue), 20);
    EXPECT_GT(Count(s.dc, {33, 30, 131, 54}, kWhite), 0);
    EXPECT_EQ(Count(s.dc, {0, 30, 131, 54}, kText), 0);

    // Icon-less: an empty strip, the caption still at x 33.
    DrawItem(plain, s.dc, 60, 24, 0);
    EXPECT_EQ(Count(s.dc, {0, 60, 24, 84}, kStrip), 24 * 24);
    EXPECT_GT(Ink(s.dc, {33, 60, 131, 84}, kWhite), 20);
    EXPECT_EQ(Ink(s.dc, {24, 60, 33, 84}, kWhite), 0);

    // Separator: strip, white, one line two pixels below its top from x 24.
    DrawItem(separator, s.dc, 90, 5, 0);
    EXPECT_EQ(Count(s.dc, {24, 92, 131, 93}, kLine), 107);
    EXPECT_EQ(Count(s.dc, {0, 92, 24, 93}, kStrip), 24);
    EXPECT_EQ(Count(s.dc, {24, 90, 131, 92}, kWhite), 2 * 107);
    EXPECT_EQ(Count(s.dc, {24, 93, 131, 95}, kWhite), 2 * 107);
    // Highlighting a separator changes nothing.
    DrawItem(separator, s.dc, 90, 5, ODS_SELECTED);
    EXPECT_EQ(Count(s.dc, {24, 92, 131, 93}, kLine), 107);
    EXPECT_EQ(Count(s.dc, {0, 90, 131, 95}, kBlue), 0);

    DestroyIcon(red);
}

TEST_F(MenuEngine, DisabledAndCheckedLooks) {
    Surface s(160, 60);
    clsTopMenu enabled, disabled;
    enabled.InitMenu(100, L"检测更新", 131, 24, nullptr);
    disabled.InitMenu(101, L"检测更新", 131, 24, nullptr);
    EXPECT_TRUE(disabled.Enabled());
    disabled.Enabled(false);
    DrawItem(enabled, s.dc, 0, 24, 0);
    DrawItem(disabled, s.dc, 30, 24, 0);
    EXPECT_GT(Count(s.dc, {33, 0, 131, 24}, kText), 0);
    EXPECT_EQ(Count(s.dc, {33, 30, 131, 54}, kText), 0) << "a disabled caption is not in the text colour";
    // The disabled caption is drawn, engraved in the system's shadow and highlight colours.
    EXPECT_GT(Ink(s.dc, {33, 30, 131, 54}, kWhite), 20);
    EXPECT_GT(Count(s.dc, {33, 30, 131, 54}, GetSysColor(COLOR_3DSHADOW)), 0);

    // Checked: the check picture stretched to 16 x 16 at (4, top + 4) instead of the icon.
    const auto check = StdPicture::FromBitmap(SolidBitmap(32, RGB(0, 200, 0)));
    HICON red = SolidIcon(RGB(255, 0, 0));
    clsTopMenu checked;
    checked.InitMenu(102, L"关于我们", 131, 24, red);
    EXPECT_FALSE(checked.Selected());
    checked.Selected(true);
    Surface t(160, 60);
    DrawItem(checked, t.dc, 0, 24, 0, check.get());
    EXPECT_EQ(Count(t.dc, {4, 4, 20, 20}, RGB(0, 200, 0)), 256);
    EXPECT_EQ(Count(t.dc, {0, 0, 24, 24}, RGB(255, 0, 0)), 0);
    EXPECT_EQ(GetPixel(t.dc, 4, 3), kStrip);
    DestroyIcon(red);
}

// The real popup: the system measures and draws through the hooked owner.
struct MenuRun {
    HWND owner;
    HMENU menu;
    std::function<bool(HWND menuWindow, int tick)> step;  // true: done
    int tick = 0;
    bool done = false;
    static MenuRun*& Current() {
        static MenuRun* run = nullptr;
        return run;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        MenuRun* run = Current();
        if (!run || run->done) return;
        HWND menuWindow = FindWindowW(L"#32768", nullptr);
        if (!menuWindow || !IsWindowVisible(menuWindow)) return;
        if (run->step(menuWindow, run->tick++)) run->done = true;
    }
    void Track(int x, int y) {
        // The pointer rests far from the menu, so that only the keys choose:
        // a pointer that an earlier test left over the menu selects its line.
        SetCursorPos(x + 600, y + 600);
        Current() = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 150, OnTimer);
        SetForegroundWindow(owner);
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, x, y, 0, owner, nullptr);
        KillTimer(nullptr, timer);
        Current() = nullptr;
    }
};

TEST_F(MenuEngine, ARealPopupShowsTheItemsAndReturnsTheChoice) {
    Host host;
    ShowWindow(host.hwnd, SW_SHOW);
    HookMenuForm(host.hwnd);
    HMENU menu = CreatePopupMenu();
    HICON red = SolidIcon(RGB(255, 0, 0));
    AddMenuItem(menu, L"设置", 131, 24, red);
    AddMenuItem(menu, L"", 131, 5, nullptr);
    AddMenuItem(menu, L"官方网站", 131, 24, nullptr);

    std::vector<RECT> rects(3);
    COLORREF stripBefore = 0, itemHighlighted = 0, separatorWhileSelected = 0;
    int redPixels = 0, textPixels = 0, lineSeen = 0;
    MenuRun run{host.hwnd, menu};
    run.step = [&](HWND mw, int tick) {
        // What the screen shows of the menu window's client area.
        POINT origin{0, 0};
        ClientToScreen(mw, &origin);
        RECT client;
        GetClientRect(mw, &client);
        Surface shot(client.right, client.bottom);
        HDC screen = GetDC(nullptr);
        BitBlt(shot.dc, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        HDC dc = shot.dc;
        auto local = [&](RECT r) {
            OffsetRect(&r, -origin.x, -origin.y);
            return r;
        };
        bool finished = false;
        if (tick == 0) {
            // Without a window the rectangle is on the screen, relative to the menu's own window.
            for (int i = 0; i < 3; ++i) GetMenuItemRect(nullptr, menu, i, &rects[i]);
            const RECT first = local(rects[0]);
            stripBefore = GetPixel(dc, first.left + 1, first.top + 1);
            redPixels = Count(dc, {4, first.top + 3, 20, first.top + 19}, RGB(255, 0, 0));
            textPixels = Ink(dc, {33, first.top, first.right, first.bottom}, kWhite);
            const RECT sep = local(rects[1]);
            lineSeen = Count(dc, {24, sep.top + 2, sep.right, sep.top + 3}, kLine);
            PostMessageW(mw, WM_KEYDOWN, VK_DOWN, 0);
        } else if (tick == 1) {
            const RECT first = local(rects[0]);
            itemHighlighted = GetPixel(dc, first.left + 30, first.top + 1);
            PostMessageW(mw, WM_KEYDOWN, VK_DOWN, 0);
        } else if (tick == 2) {
            const RECT sep = local(rects[1]);
            separatorWhileSelected = GetPixel(dc, 30, sep.top + 2);
            PostMessageW(mw, WM_KEYDOWN, VK_DOWN, 0);
        } else {
            PostMessageW(mw, WM_KEYDOWN, VK_RETURN, 0);
            finished = true;
        }
        return finished;
    };
    run.Track(200, 200);
    ASSERT_TRUE(run.done) << "the menu never showed";
    EXPECT_EQ(rects[0].bottom - rects[0].top, 24);
    EXPECT_EQ(rects[1].bottom - rects[1].top, 5);
    EXPECT_EQ(rects[2].bottom - rects[2].top, 24);
    EXPECT_GE(rects[0].right - rects[0].left, 131);
    EXPECT_EQ(stripBefore, kStrip);
    EXPECT_EQ(redPixels, 256);
    EXPECT_GT(textPixels, 10);
    EXPECT_GT(lineSeen, 100);
    EXPECT_EQ(itemHighlighted, kBlue);
    EXPECT_EQ(separatorWhileSelected, kLine) << "a highlighted separator looks as before";
    // The choice (the third item) arrives as WM_COMMAND with its id.
    ASSERT_TRUE(PumpUntil([] { return !Host::Commands().empty(); }, 5000));
    EXPECT_EQ(Host::Commands().back(), 102u);
    DestroyMenu(menu);
    DestroyIcon(red);
}

}  // namespace
