// The notice pop-up: a small skinned window at the bottom right of the
// screen, above the taskbar, showing the portal's notice page. It stays on
// top without taking the focus and closes itself 15 seconds after it opened.
#pragma once
#include <windows.h>

#include <cstdint>

#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "Timer.h"
#include "ToolkitHosting.h"
#include "WebBrowserHosting.h"

class RightDown : public Form {
public:
    RightDown();
    ~RightDown() override;

    Label Label1;
    Hosted<iButton> W_Close;
    // Frame of the browser, which overlaps it on every side.
    PictureBox Picture1;
    Hosted<WebBrowser> WB;
    // Closes the window 15000 ms after it was created.
    Timer TimerClose;
    // Lies far outside the window.
    Hosted<iButton> iButton1;

    // Rounded outline from (0, 0) to (Top, Buttom) pixels with that corner
    // ellipse; the window owns the region.
    void RectRgn(HWND hwnd, int16_t Top, int16_t Buttom, int16_t EllipseW, int16_t EllipseH);
    void W_Close_Click();

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    void RoundOutline();
};

// The notice pop-up (one per process).
RightDown& TheRightDown();
