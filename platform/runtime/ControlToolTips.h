// The tips of controls' ToolTipText: one tip window per top-level window,
// fed with the mouse messages of the thread, so that a control whose window
// procedure belongs to someone else (a hosted component) gets its tip too.
#pragma once
#include <windows.h>

#include <string>

// Gives `control` the tip `text`; empty text removes it.
void SetControlToolTip(HWND control, const std::wstring& text);
// The tip window that shows `control`'s tip, or nullptr when it has none.
HWND ControlToolTipWindow(HWND control);
