// Replacing a window's procedure and passing messages on to the one replaced,
// in the window's own character width: a wide window keeps wide messages, so
// a Chinese caption in WM_SETTEXT or WM_GETTEXT never passes through the
// ANSI code page on its way to the procedure underneath.
#pragma once
#include <windows.h>

// Installs `proc` as the window procedure; returns the previous one, or
// nullptr when the window's procedure could not be replaced.
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);
// Calls `previous` (a procedure returned by SetWindowProc) with the message.
LRESULT CallWindowProcOf(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The default handling, for a procedure that has nothing to pass the message on to.
LRESULT DefWindowProcOf(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
