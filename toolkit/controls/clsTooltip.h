// One tooltip window of the common controls with rectangular tools on other
// windows; the window and all its tools go with the object.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class clsTooltip {
public:
    clsTooltip();
    ~clsTooltip();
    clsTooltip(const clsTooltip&) = delete;
    clsTooltip& operator=(const clsTooltip&) = delete;

    // Registers the client rectangle pRect of hWndParent as tool uID with tip sTip.
    void AddTool_ForRect(HWND hWndParent, uint32_t uID, const RECT& pRect, const std::wstring& sTip);
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};
