// Where a window lies in another window's client area, in pixels.
#pragma once
#include <windows.h>

// `child`'s window rectangle in the client coordinates of `window`.
inline RECT RectIn(HWND child, HWND window) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A child window's rectangle in its parent's client area.
inline RECT RectInParent(HWND child) { return RectIn(child, GetParent(child)); }
