// Windows that tests need only as real windows (a page, an owner, a
// container): the default window procedure on a white background.
#pragma once
#include <windows.h>

struct PlainWindowArgs {
    const wchar_t* title = L"";
    DWORD style = WS_OVERLAPPEDWINDOW;
    HWND parent = nullptr;
    int x = 10, y = 10, cx = 300, cy = 200;
};

// The caller owns the window (a child goes with its parent).
inline HWND MakePlainWindow(const PlainWindowArgs& args) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"PlainTestWindow";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExW(0, L"PlainTestWindow", args.title, args.style, args.x, args.y, args.cx, args.cy, args.parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}
