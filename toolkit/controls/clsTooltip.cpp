#include "clsTooltip.h"

#include <commctrl.h>

clsTooltip::clsTooltip() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    hwnd_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

clsTooltip::~clsTooltip() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void clsTooltip::AddTool_ForRect(HWND hWndParent, uint32_t uID, const RECT& pRect, const std::wstring& sTip) {
    if (!hwnd_) return;
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;  // 44 bytes: no reserved field
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = hWndParent;
    ti.uId = uID;
    ti.rect = pRect;
    ti.hinst = GetModuleHandleW(nullptr);
    ti.lpszText = const_cast<wchar_t*>(sTip.c_str());
    SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}
