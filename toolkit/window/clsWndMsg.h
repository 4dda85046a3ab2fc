// Message sink of a window hooked with HookWindow: it sees every message of
// that window and decides itself whether the previous procedure runs.
#pragma once
#include <windows.h>

#include <cstdint>

class clsWndMsg {
public:
    virtual ~clsWndMsg() = default;
    // One message of the hooked window; ret becomes the window procedure's
    // result. wParam, lParam and ret have the platform's width, so a pointer
    // a message carries reaches the previous procedure whole.
    virtual void Message(HWND hwnd, int32_t uMsg, WPARAM wParam, LPARAM lParam, LRESULT& ret) { ret = 0; }
};
