// Borderless resize and maximise on a real form: zones at every edge and
// corner, a corner drag that resizes at button-up, maximise and restore,
// the taskbar arithmetic, the system close command.
#include <gtest/gtest.h>

#include <vector>

#include "ModGetTaskbarHei.h"
#include "Pump.h"
#include "cFormSubclass.h"
#include "cSetStyle.h"

namespace {

class StyledForm : public Form {
public:
    StyledForm() {
        Caption(L"Styled");
        Move(300 * 15, 200 * 15, 400 * 15, 300 * 15);
    }
    void Form_Unload(int& Cancel) override {
        ++unloadRequests;
        Cancel = 1;
    }
    void Form_MouseDown(int, int, int, int) override { ++downs; }
    int unloadRequests = 0;
    int downs = 0;
};

class cSetStyleTest : public ::testing::Test {
protected:
    void SetUp() override {
        style.objForm(&form);
        style.MouseSize = [this](int zone) { zones.push_back(zone); };
        style.CloseClick = [this] { ++closeClicks; };
        style.SettingChange = [this] { ++settingChanges; };
        style.SetWindowStyle(form.hWnd());
        form.Show();
        SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        PumpFor(50);
        GetWindowRect(form.hWnd(), &rect);
    }
    void TearDown() override { form.Unload(); }

    // Cursor to screen point (x, y) and the message the form gets there.
    void Send(UINT msg, int x, int y, WPARAM keys = 0) {
        SetCursorPos(x, y);
        POINT p{x, y};
        ScreenToClient(form.hWnd(), &p);
        SendMessageW(form.hWnd(), msg, keys, MAKELPARAM(p.x, p.y));
    }
    int ZoneAt(int x, int y) {
        zones.clear();
        Send(WM_MOUSEMOVE, x, y);
        return zones.empty() ? -99 : zones.back();
    }
    RECT Now() {
        RECT r;
        GetWindowRect(form.hWnd(), &r);
        return r;
    }

    StyledForm form;
    cSetStyle style;
    RECT rect{};
    std::vector<int> zones;
    int closeClicks = 0, settingChanges = 0;
};

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(cSetStyleZones, RulesInTheirOrder) {
    const RECT r{100, 100, 500, 400};
    EXPECT_EQ(cSetStyle::ZoneAt(r, 300, 102), 0);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 497, 98), 1);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 505, 250), 2);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 497, 397), 3);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 300, 395), 4);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 95, 405), 5);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 104, 250), 6);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 105, 105), 7);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 300, 250), -1);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 300, 106), -1);  // 6 pixels away is not near
    EXPECT_EQ(cSetStyle::ZoneAt(r, 105, 250), 6);
    EXPECT_EQ(cSetStyle::ZoneAt(r, 300, 96), 0);    // near from outside too
    // On a window 8 pixels high a point near top and bottom is a corner when
    // near a side, and no edge between them.
    const RECT flat{0, 0, 400, 8};
    EXPECT_EQ(cSetStyle::ZoneAt(flat, 2, 4), 5);
    EXPECT_EQ(cSetStyle::ZoneAt(flat, 398, 4), 3);
    EXPECT_EQ(cSetStyle::ZoneAt(flat, 200, 4), 0);
}

TEST(TaskbarHeight, Arithmetic) {
    EXPECT_EQ(TaskbarHeightTwips(1024 * 15, 984, 15), 600);  // 40 pixels at the bottom
    EXPECT_EQ(TaskbarHeightTwips(1024 * 15, 1024, 15), 0);   // taskbar elsewhere
    EXPECT_EQ(TaskbarHeightTwips(768 * 15, 738, 15), 450);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(GetTaskbarHeight(), (GetSystemMetrics(SM_CYSCREEN) - work.bottom) * 15);
}

TEST_F(cSetStyleTest, StyleIsExactlySystemMenuAndMinimiseBox) {
    EXPECT_EQ(GetWindowLongW(form.hWnd(), GWL_STYLE) & ~WS_VISIBLE & ~WS_CLIPSIBLINGS,
              static_cast<LONG>(WS_SYSMENU | WS_MINIMIZEBOX));
}

TEST_F(cSetStyleTest, TheWholeWindowBecomesClientAreaAtOnce) {
    // A window made with caption and sizing border, styled while shown.
    StyledForm framed;
    framed.Show();
    RECT before;
    GetClientRect(framed.hWnd(), &before);
    cSetStyle other;
    other.objForm(&framed);
    other.SetWindowStyle(framed.hWnd());
    RECT window, client;
    GetWindowRect(framed.hWnd(), &window);
    GetClientRect(framed.hWnd(), &client);
    EXPECT_GT(window.right - window.left, before.right);  // it had a frame
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
    // The edge is client area: a press there reaches the window as a client message.
    EXPECT_EQ(SendMessageW(framed.hWnd(), WM_NCHITTEST, 0, MAKELPARAM(window.right - 2, window.bottom - 2)),
              HTCLIENT);
    framed.Unload();
}

TEST_F(cSetStyleTest, ZoneAtEveryEdgeAndCornerWithItsPointer) {
    const int midX = (rect.left + rect.right) / 2, midY = (rect.top + rect.bottom) / 2;
    EXPECT_EQ(ZoneAt(midX, rect.top + 2), 0);
    EXPECT_EQ(form.MousePointer(), MousePointerConstants::SizeNS);
    EXPECT_EQ(ZoneAt(rect.right - 3, rect.top + 2), 1);
    EXPECT_EQ(form.MousePointer(), MousePointerConstants::SizeNESW);
    EXPECT_EQ(ZoneAt(rect.right - 3, midY), 2);
    EXPECT_EQ(form.MousePointer(), MousePointerConstants::SizeWE);
    EXPECT_EQ(ZoneAt(rect.right - 3, rect.bottom - 3), 3);
    EXPECT_EQ(form.MousePointer(), MousePointerConstants::SizeNWSE);
    EXPECT_EQ(ZoneAt(midX, rect.bottom - 3), 4);
    EXPECT_EQ(ZoneAt(rect.left + 2, rect.bottom - 3), 5);
    EXPECT_EQ(ZoneAt(rect.left + 2, midY), 6);
    EXPECT_EQ(ZoneAt(rect.left + 2, rect.top + 2), 7);
    EXPECT_EQ(ZoneAt(midX, midY), -1);
    EXPECT_EQ(form.MousePointer(), MousePointerConstants::Default);
}

TEST_F(cSetStyleTest, CornerDragResizesOnlyAtButtonUp) {
    const int x = rect.right - 3, y = rect.bottom - 3;
    Send(WM_MOUSEMOVE, x, y);
    Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Send(WM_MOUSEMOVE, x + 20, y + 10, MK_LBUTTON);
    Send(WM_MOUSEMOVE, x + 40, y + 30, MK_LBUTTON);
    EXPECT_TRUE(Same(Now(), rect));
    zones.clear();
    Send(WM_LBUTTONUP, x + 40, y + 30);
    EXPECT_TRUE(Same(Now(), RECT{rect.left, rect.top, rect.right + 37, rect.bottom + 27}));
    EXPECT_TRUE(zones.empty());  // no zone reports while dragging
    // The left edge moves the left side only.
    const RECT before = Now();
    const int midY = (before.top + before.bottom) / 2;
    Send(WM_LBUTTONDOWN, before.left + 1, midY, MK_LBUTTON);
    Send(WM_MOUSEMOVE, before.left - 50, midY + 100, MK_LBUTTON);
    Send(WM_LBUTTONUP, before.left - 50, midY + 100);
    EXPECT_TRUE(Same(Now(), RECT{before.left - 50, before.top, before.right, before.bottom}));
}

// Dragged past the opposite edge, an edge stops at the least size and the
// other edges stay: the window is never sized to nothing.
TEST_F(cSetStyleTest, AnEdgeDraggedPastTheOppositeOneStopsAtTheMinimumSize) {
    // Without a minimum of its own: that of a window with a sizing frame.
    const int midX = (rect.left + rect.right) / 2;
    Send(WM_LBUTTONDOWN, midX, rect.bottom - 2, MK_LBUTTON);
    Send(WM_MOUSEMOVE, midX, rect.top - 100, MK_LBUTTON);
    Send(WM_LBUTTONUP, midX, rect.top - 100);
    EXPECT_TRUE(Same(Now(), RECT{rect.left, rect.top, rect.right, rect.top + GetSystemMetrics(SM_CYMINTRACK)}));

    style.MinimumSize(150 * 15, 80 * 15);
    const RECT low = Now();
    const int midY = (low.top + low.bottom) / 2;
    Send(WM_LBUTTONDOWN, low.right - 2, midY, MK_LBUTTON);
    Send(WM_MOUSEMOVE, low.left - 250, midY, MK_LBUTTON);
    Send(WM_LBUTTONUP, low.left - 250, midY);
    EXPECT_TRUE(Same(Now(), RECT{low.left, low.top, low.left + 150, low.bottom}));
    // A corner past the opposite one: both its edges stop, the far ones stay.
    const RECT r = Now();
    Send(WM_LBUTTONDOWN, r.left + 2, r.top + 2, MK_LBUTTON);
    Send(WM_MOUSEMOVE, r.right + 300, r.bottom + 300, MK_LBUTTON);
    Send(WM_LBUTTONUP, r.right + 300, r.bottom + 300);
    EXPECT_TRUE(Same(Now(), RECT{r.right - 150, r.bottom - 80, r.right, r.bottom}));
}

// A pixel of the screen, as the rubber band would leave it.
COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

TEST_F(cSetStyleTest, DragWhoseCaptureGoesElsewhereEndsWithoutBandOrMove) {
    HWND other = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
    for (bool disable : {false, true}) {
        const RECT start = Now();
        const int x = start.right - 3, y = start.bottom - 3;
        // The band's right edge will lie outside the window, on the screen.
        const int bandX = x + 60 - 1, bandY = (start.top + start.bottom) / 2;
        const COLORREF a = ScreenPixel(bandX, bandY), b = ScreenPixel(bandX, bandY + 1);
        Send(WM_MOUSEMOVE, x, y);
        Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        Send(WM_MOUSEMOVE, x + 60, y + 40, MK_LBUTTON);
        EXPECT_TRUE(ScreenPixel(bandX, bandY) != a || ScreenPixel(bandX, bandY + 1) != b);  // the band shows
        if (disable)
            EnableWindow(form.hWnd(), FALSE);
        else
            SetCapture(other);  // a popup menu or a modal window takes the mouse
        EXPECT_EQ(ScreenPixel(bandX, bandY), a) << "disable " << disable;
        EXPECT_EQ(ScreenPixel(bandX, bandY + 1), b) << "disable " << disable;
        ReleaseCapture();
        EnableWindow(form.hWnd(), TRUE);
        // The button-up that comes later moves nothing, and moves draw no band.
        Send(WM_MOUSEMOVE, x + 80, y + 50, MK_LBUTTON);
        EXPECT_EQ(ScreenPixel(bandX, bandY), a);
        Send(WM_LBUTTONUP, x + 80, y + 50);
        EXPECT_TRUE(Same(Now(), start)) << "disable " << disable;
    }
    DestroyWindow(other);
}

TEST_F(cSetStyleTest, PressInTheMiddleStartsNothingAndReachesTheForm) {
    const int midX = (rect.left + rect.right) / 2, midY = (rect.top + rect.bottom) / 2;
    Send(WM_LBUTTONDOWN, midX, midY, MK_LBUTTON);
    Send(WM_MOUSEMOVE, midX + 30, midY + 30, MK_LBUTTON);
    Send(WM_LBUTTONUP, midX + 30, midY + 30);
    EXPECT_TRUE(Same(Now(), rect));
    EXPECT_EQ(form.downs, 1);
}

TEST_F(cSetStyleTest, MaximiseAndRestoreReturnExactlyToTheFormerRectangle) {
    const int left = form.Left(), top = form.Top(), width = form.Width(), height = form.Height();
    EXPECT_TRUE(style.CallWindowStateChange());
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Top(), 0);
    EXPECT_EQ(form.Width(), GetSystemMetrics(SM_CXSCREEN) * 15);
    EXPECT_EQ(form.Height(), GetSystemMetrics(SM_CYSCREEN) * 15 - GetTaskbarHeight());
    // While maximised the edges do nothing and report no zone.
    const RECT max = Now();
    zones.clear();
    Send(WM_MOUSEMOVE, max.right - 2, max.bottom - 2);
    Send(WM_LBUTTONDOWN, max.right - 2, max.bottom - 2, MK_LBUTTON);
    Send(WM_MOUSEMOVE, max.right - 100, max.bottom - 100, MK_LBUTTON);
    Send(WM_LBUTTONUP, max.right - 100, max.bottom - 100);
    EXPECT_TRUE(Same(Now(), max));
    EXPECT_TRUE(zones.empty());
    // A setting change refits the maximised window.
    form.Move(15 * 10, 15 * 10, 15 * 200, 15 * 100);
    SendMessageW(form.hWnd(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(settingChanges, 1);
    EXPECT_TRUE(Same(Now(), max));
    EXPECT_FALSE(style.CallWindowStateChange());
    EXPECT_EQ(form.Left(), left);
    EXPECT_EQ(form.Top(), top);
    EXPECT_EQ(form.Width(), width);
    EXPECT_EQ(form.Height(), height);
    EXPECT_TRUE(Same(Now(), rect));
    // Restored: a setting change leaves the window alone.
    SendMessageW(form.hWnd(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(settingChanges, 2);
    EXPECT_TRUE(Same(Now(), rect));
}

TEST_F(cSetStyleTest, MaximiseLeavesTheTaskbarStripFree) {
    RECT saved;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved, 0);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    RECT work{0, 0, cx, cy - 40};
    if (!SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0)) GTEST_SKIP() << "work area cannot be set here";
    RECT now;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &now, 0);
    const bool applied = now.bottom == cy - 40;
    if (applied) {
        EXPECT_EQ(GetTaskbarHeight(), 600);
        style.CallWindowStateChange();
        EXPECT_EQ(form.Height(), cy * 15 - 600);
        style.CallWindowStateChange();
    }
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved, 0);
    if (!applied) GTEST_SKIP() << "work area not applied here";
}

TEST_F(cSetStyleTest, SystemCloseRaisesCloseClickAndReachesTheForm) {
    SendMessageW(form.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(closeClicks, 1);
    EXPECT_EQ(form.unloadRequests, 1);
    SendMessageW(form.hWnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(closeClicks, 1);
}

TEST(cFormSubclass, ReportsEveryMessageBeforeTheWindowAndAHandledOneStopsThere) {
    HWND w = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    std::vector<UINT> seen;
    {
        cFormSubclass hook;
        hook.MsgCome = [&](bool bBefore, bool& bHandled, LRESULT& lReturn, HWND&, UINT& uMsg, WPARAM&, LPARAM&) {
            EXPECT_TRUE(bBefore);
            seen.push_back(uMsg);
            if (uMsg == WM_GETTEXTLENGTH) {
                bHandled = true;
                lReturn = 77;
            }
        };
        EXPECT_TRUE(hook.AddWindowMsgs(w));
        SendMessageW(w, WM_APP + 3, 0, 0);
        EXPECT_EQ(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0), 77);
        EXPECT_FALSE(hook.DeleteWindowMsg(w));
        EXPECT_EQ(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0), 77);  // still hooked
    }
    EXPECT_EQ(seen, (std::vector<UINT>{WM_APP + 3, WM_GETTEXTLENGTH, WM_GETTEXTLENGTH}));
    // The end of the object unhooked the window.
    EXPECT_EQ(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0), 1);
    DestroyWindow(w);
}
