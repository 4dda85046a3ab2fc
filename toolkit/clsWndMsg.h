// Message sink of a window hooked with HookWindow: it sees every message of
// that window and decides itself whether the previous procedure runs.
#pragma once
#include <windows.h>

#include <cstdint>

class clsWndMsg {
public:
    virtual ~clsWndMsg() = default;
    // One message of the hooked window; ret becomes the window procedure's result.
    virtual void Message(HWND hwnd, int32_t uMsg, int32_t wParam, int32_t lParam, int32_t& ret) { ret = 0; }
};
