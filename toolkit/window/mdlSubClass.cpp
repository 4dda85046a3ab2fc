#include "mdlSubClass.h"

#include "HandlerScope.h"
#include "Rounding.h"

namespace {
const wchar_t kTargetProp[] = L"MsgTarget";
const wchar_t kOldProcProp[] = L"OldWndProc";
}  // namespace

void HookWindow(HWND hwnd, clsWndMsg* target) {
    SetPropW(hwnd, kTargetProp, target);
    // Hooked before: the hook may lie behind another subclasser by now, so
    // the window's procedure says nothing; the stored old procedure does.
    if (GetPropW(hwnd, kOldProcProp)) return;
    const LONG_PTR old = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookWndProc));
    SetPropW(hwnd, kOldProcProp, reinterpret_cast<HANDLE>(old));
}

LRESULT CallOldWndProc(HWND hwnd, int32_t uMsg, WPARAM wParam, LPARAM lParam) {
    const auto old = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOldProcProp));
    if (!old) return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    return CallWindowProcW(old, hwnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK HookWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope;
    auto* sink = static_cast<clsWndMsg*>(GetPropW(hwnd, kTargetProp));
    LRESULT ret = 0;
    if (sink) {
        try {
            sink->Message(hwnd, static_cast<int32_t>(uMsg), wParam, lParam, ret);
        } catch (...) {
            // A sink's failure must not unwind through the system's dispatcher.
            ret = 0;
        }
    } else {
        ret = CallOldWndProc(hwnd, uMsg, wParam, lParam);
    }
    if (uMsg == WM_NCDESTROY) {
        // The window is gone: put its own procedure back and drop the hook's state.
        const auto old = reinterpret_cast<LONG_PTR>(GetPropW(hwnd, kOldProcProp));
        if (old) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, old);
        RemovePropW(hwnd, kTargetProp);
        RemovePropW(hwnd, kOldProcProp);
    }
    return ret;
}

int32_t LoWord(int32_t x) { return x % 65536; }

int32_t HiWord(int32_t x) { return RoundHalfEven(static_cast<double>(x) / 65536.0); }
