// The main window's procedure for the tray icon's callback: installed in
// front of the window's own procedure, which then sees every message too.
#pragma once
#include <windows.h>

// Callback message of the tray icon.
inline constexpr UINT kTrayCallbackMessage = 1147;

// The procedure that was in place before TrayWndProc was installed.
extern WNDPROC MainPrevWndProc;

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
