// The tips of controls' ToolTipText: one tip window per form, shared by the
// form's controls and fed with the mouse messages of the thread, so that a
// control whose window procedure belongs to someone else (a hosted
// component) gets its tip too.
#pragma once
#include <windows.h>

#include <string>

// The tip window of one form's controls. The form destroys it with its own
// window: a form that became a child of another window (a tab page) no
// longer takes the windows it owns along when it goes.
class ControlToolTips {
public:
    ControlToolTips() = default;
    ~ControlToolTips() { Drop(); }
    ControlToolTips(const ControlToolTips&) = delete;
    ControlToolTips& operator=(const ControlToolTips&) = delete;

    // Gives `control`, a window on the form `form`, the tip `text`; empty
    // text removes it.
    void Set(HWND form, HWND control, const std::wstring& text);
    // The tip window and every tool in it go.
    void Drop();

private:
    HWND tip_ = nullptr;
};

// The tip window that shows `control`'s tip, or nullptr when it has none.
HWND ControlToolTipWindow(HWND control);
