// Moving the player's window with the real mouse: a press on empty strip
// space drags the window with the pointer; a press on a tab does not.
#include "PlayerFixture.h"

namespace {

class PlayerDragTest : public PlayerFixture {
protected:
    // Presses the left button at (x, y) of the strip, moves the pointer by
    // (dx, dy) and releases it, all as real input.
    void Drag(int x, int y, int dx, int dy) {
        POINT p{x, y};
        ClientToScreen(frm->WebuTab.hwnd(), &p);
        SetCursorPos(p.x, p.y);
        PumpFor(100);
        INPUT in[4]{};
        for (INPUT& i : in) i.type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        // Absolute positions, so no pointer acceleration changes the distance.
        const auto to = [](INPUT& i, int sx, int sy) {
            i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            i.mi.dx = MulDiv(sx, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
            i.mi.dy = MulDiv(sy, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        };
        to(in[1], p.x + dx / 2, p.y + dy / 2);
        to(in[2], p.x + dx, p.y + dy);
        in[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(4, in, sizeof(INPUT));
        PumpFor(1000);
    }
    POINT Origin() {
        RECT r;
        GetWindowRect(frm->hWnd(), &r);
        return {r.left, r.top};
    }
};

TEST_F(PlayerDragTest, EmptyStripSpaceDragsTheWindowATabDoesNot) {
    Start(Url("a"));
    SetWindowPos(frm->hWnd(), HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(frm->hWnd());
    PumpFor(200);
    const POINT before = Origin();
    Drag(600, 12, 40, 30);
    const POINT after = Origin();
    EXPECT_EQ(after.x - before.x, 40);
    EXPECT_EQ(after.y - before.y, 30);

    Drag(60, 12, 40, 30);  // on the tab
    const POINT still = Origin();
    EXPECT_EQ(still.x, after.x);
    EXPECT_EQ(still.y, after.y);
}

}  // namespace
