// Skinned image button: shows one frame of a horizontal picture strip by its
// state (normal, hover, pressed, disabled; checked frames for the toggle
// style), prints a centred caption and notices the cursor leaving by polling.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ControlFont.h"
#include "PropertyBag.h"
#include "StdPicture.h"
#include "Surface.h"
#include "Window.h"

class iButton : public Window {
public:
    // The window is made hidden; its first showing (ShowWindow) cuts the frames.
    struct CreateArgs {
        HWND parent = nullptr;
        int x = 0, y = 0, cx = 40, cy = 20;  // pixels in the parent's client area
        int id = 0;
    };
    explicit iButton(const CreateArgs& args);
    ~iButton() override;

    // Design data: read sets the fields only, write skips values equal to their default.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    int16_t cDrawMode() const;
    void cDrawMode(int16_t value);
    const ControlFont& cFont() const { return font_; }
    void cFont(const ControlFont& value);
    COLORREF cForeColor() const { return foreColor_; }
    void cForeColor(COLORREF value);
    bool Locked() const { return locked_; }
    void Locked(bool value);
    bool Value() const { return value_; }
    void Value(bool value);
    bool AutoSize() const { return autoSize_; }
    void AutoSize(bool value);
    int32_t Style() const { return style_; }
    void Style(int32_t value);
    const std::shared_ptr<StdPicture>& BackPicture() const { return backPicture_; }
    void BackPicture(std::shared_ptr<StdPicture> value);
    bool Enabled() const;
    void Enabled(bool value);
    int16_t cBackStyle() const { return backStyle_; }
    void cBackStyle(int16_t value);
    const std::wstring& Caption() const { return caption_; }
    void Caption(const std::wstring& value);
    // The control's drawing surface and its persistent image.
    HDC hDC() const { return surface_.dc(); }
    HBITMAP Image() const { return surface_.bitmap(); }
    // Paints state cAction (0 normal, 1 hover, 2 pressed, 3 disabled) when it
    // differs from the state last painted or when vComplePaint is set.
    void cMouseAction(int32_t cAction, bool vComplePaint);

    // Events; arguments by reference are read back after the handler returns.
    std::function<void()> Click;
    std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseDown;
    std::function<void(int16_t& KeyCode, int16_t& Shift)> KeyDown;
    std::function<void(int16_t& KeyCode, int16_t& Shift)> KeyUp;
    std::function<void(int16_t& KeyAscii)> KeyPress;
    std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseUp;
    std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseMove;
    std::function<void()> MouseOut;
    std::function<void()> MouseOver;
    std::function<void()> DBClick;
    // Notifies the host that a persisted property changed (its key).
    std::function<void(const wchar_t* name)> PropertyChanged;

    // Frame geometry of the current strip, pixels (0 without frames).
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }
    int FrameCount() const;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT kTimer1Interval = 50;
    static constexpr COLORREF kMaskColor = RGB(255, 0, 255);

    int32_t CurrentState() const;
    bool IsMouseOver() const;
    void Repaint();  // the computed state, without updating CurState
    void ForcedRepaint() { cMouseAction(CurrentState(), true); }
    void PaintButton(int32_t state);
    void PaintFrame(int32_t state);
    int FrameIndex(int32_t state) const;
    void LoadFrames();
    void SnapToFrame();
    void DrawFocus();
    void FlipValue();
    void Changed(const wchar_t* name);

    void OnMouseMove(WPARAM keys, LPARAM pos);
    void OnButtonDown(int16_t button, WPARAM keys, LPARAM pos);
    void OnButtonUp(int16_t button, WPARAM keys, LPARAM pos);
    void OnDoubleClick();
    void OnTimer();
    // The capture went elsewhere (a modal window, a menu, Alt+Tab, a
    // disable): the press ends and the button shows its resting state.
    void OnCaptureLost();
    void OnKeyDown(WPARAM key);
    void OnKeyUp(WPARAM key);
    void OnChar(WPARAM ch);
    void OnSetFocus();
    void OnSize();
    void OnShow(bool shown);

    Surface surface_;
    Surface strip_;  // the strip copied when the frames were cut
    std::shared_ptr<StdPicture> backPicture_;
    int32_t style_ = 0;
    bool autoSize_ = true;
    std::wstring caption_;
    int16_t backStyle_ = 1;
    ControlFont font_;
    COLORREF foreColor_ = 0;
    bool value_ = false;
    bool locked_ = false;

    bool framesReady_ = false;
    int frameWidth_ = 0, frameHeight_ = 0;
    int32_t curState_ = 0;
    bool mouseIsOver_ = false;
    bool mouseIsDown_ = false;
    int16_t lastButton_ = 0;
    bool pressedHere_ = false;  // a button went down on the control and is held
    bool shown_ = false;
};
