// The notice pop-up: a small skinned window at the bottom right of the
// screen, above the taskbar, showing the portal's notice page. It stays on
// top without taking the focus and closes itself 15 seconds after it opened.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "Timer.h"
#include "iButton.h"

class WebBrowser;

class RightDown : public Form {
public:
    RightDown();
    ~RightDown() override;

    Label Label1;
    PictureBox Picture1;
    // Closes the window 15000 ms after it was created.
    Timer TimerClose;
    // Exist while the window is loaded.
    iButton* W_Close() const { return wClose_.get(); }
    iButton* iButton1() const { return iButton1_.get(); }
    WebBrowser* WB() const { return wb_.get(); }

    // Rounded outline from (0, 0) to (Top, Buttom) pixels with that corner
    // ellipse; the window owns the region.
    void RectRgn(HWND hwnd, int16_t Top, int16_t Buttom, int16_t EllipseW, int16_t EllipseH);
    void W_Close_Click();

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;

private:
    void RoundOutline();

    std::unique_ptr<iButton> wClose_, iButton1_;
    std::unique_ptr<WebBrowser> wb_;
};

// The notice pop-up (one per process).
RightDown& TheRightDown();
