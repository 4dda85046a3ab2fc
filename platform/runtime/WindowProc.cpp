#include "WindowProc.h"

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc) {
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(proc);
    const LONG_PTR old = IsWindowUnicode(hwnd) ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, value)
                                               : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, value);
    return reinterpret_cast<WNDPROC>(old);
}

LRESULT CallWindowProcOf(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!previous) return DefWindowProcOf(hwnd, msg, wParam, lParam);
    return IsWindowUnicode(hwnd) ? CallWindowProcW(previous, hwnd, msg, wParam, lParam)
                                 : CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

LRESULT DefWindowProcOf(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, wParam, lParam)
                                 : DefWindowProcA(hwnd, msg, wParam, lParam);
}
