// Creation arguments of a control's child window at a place (pixels) of its parent.
#pragma once
#include "Window.h"

inline Window::CreateParams ChildParams(const wchar_t* className, DWORD style, HWND parent, int x, int y, int cx,
                                        int cy, int id = 0) {
    Window::CreateParams p;
    p.className = className;
    p.style = WS_CHILD | WS_CLIPSIBLINGS | style;
    p.parent = parent;
    p.x = x;
    p.y = y;
    p.cx = cx;
    p.cy = cy;
    p.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    return p;
}
