// The colours of the owner-drawn menus and the window procedure that their
// owner windows (the main window, the My box page) get: it answers the
// menus' measure and draw requests from the item list, hands menu commands
// to the dispatcher and unhooks itself when the window is destroyed.
#pragma once
#include <windows.h>

extern COLORREF MenuSelFrameColor;
extern COLORREF MenuSelBackColor;
extern COLORREF MenuBackColor;
extern COLORREF MenuSelTextColor;
extern COLORREF MenuTextColor;
extern COLORREF MenuIconBackColor;
extern COLORREF MenuLineColor;

void InitMenuColors();
// Sets the colours and installs MenuWndProc on the window, once: the
// previous procedure is kept in the window property "OrigProcAddr".
void HookMenuForm(HWND form);
LRESULT CALLBACK MenuWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
