#include "ControlToolTips.h"

#include <commctrl.h>

namespace {

const wchar_t kTipProp[] = L"Orvane.ToolTip";  // on a control: the tip window that has it

TOOLINFOW ToolFor(HWND control) {
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;  // the size every comctl32 version accepts
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = control;  // not the parent: a page's controls change parents
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    return ti;
}

HWND TipWindowOf(HWND control) {
    const HWND tip = static_cast<HWND>(GetPropW(control, kTipProp));
    return tip && IsWindow(tip) ? tip : nullptr;
}

// Tools of windows destroyed since (a page unloaded inside another window)
// go, and so does an entry of a handle now given to a new window.
void DropStaleTools(HWND tip, HWND control) {
    TOOLINFOW ti = ToolFor(control);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    for (int i = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)) - 1; i >= 0; --i) {
        TOOLINFOW old{};
        old.cbSize = TTTOOLINFOW_V2_SIZE;
        if (SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&old)) &&
            !IsWindow(reinterpret_cast<HWND>(old.uId)))
            SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&old));
    }
}

// Mouse messages reach the tip through this hook rather than by subclassing
// the control, whose procedure may already be replaced by other hooks.
LRESULT CALLBACK RelayMouse(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
        if (const HWND tip = TipWindowOf(msg->hwnd)) SendMessageW(tip, TTM_RELAYEVENT, 0, lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class RelayHook {
public:
    RelayHook() : hook_(SetWindowsHookExW(WH_GETMESSAGE, RelayMouse, nullptr, GetCurrentThreadId())) {}
    ~RelayHook() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    RelayHook(const RelayHook&) = delete;
    RelayHook& operator=(const RelayHook&) = delete;

private:
    HHOOK hook_;
};

void EnsureRelayHook() { thread_local RelayHook hook; }

}  // namespace

HWND ControlToolTipWindow(HWND control) { return control ? TipWindowOf(control) : nullptr; }

void ControlToolTips::Set(HWND form, HWND control, const std::wstring& text) {
    if (!control) return;
    TOOLINFOW ti = ToolFor(control);
    if (text.empty()) {
        if (const HWND tip = TipWindowOf(control)) SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        RemovePropW(control, kTipProp);
        return;
    }
    if (const HWND tip = TipWindowOf(control)) {
        ti.lpszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
        return;
    }
    if (!tip_ || !IsWindow(tip_)) {
        // The tips' window class is the common controls': a program may load
        // them only when it needs them.
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        // Owned by the form (or, when it is a child already, by its top-level
        // window), so that the tip shows over it.
        tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (!tip_) return;
    }
    DropStaleTools(tip_, control);
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SetPropW(control, kTipProp, tip_);
    EnsureRelayHook();
}

void ControlToolTips::Drop() {
    // A top-level form's window took it along already.
    if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
    tip_ = nullptr;
}
