// The text of the tip a control was given through the runtime's control tips
// (users link platform_runtime, which owns the tip windows).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ControlToolTips.h"

// "<none>" when the control has no tip window.
inline std::wstring TipText(HWND control) {
    const HWND tip = ControlToolTipWindow(control);
    if (!tip) return L"<none>";
    wchar_t text[256] = L"";
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = control;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
    return text;
}
