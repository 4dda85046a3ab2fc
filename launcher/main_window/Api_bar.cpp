#include "Api_bar.h"

#include "WindowRegion.h"

namespace {
constexpr LONG kFrameOn = 0x00CF0000;   // caption, system menu, sizing border, min and max boxes
constexpr LONG kFrameOff = 0x00C50000;  // caption, sizing border, max box
constexpr UINT kFrameChanged = 551;     // no size, move, z-order; frame changed; no owner z-order
}  // namespace

LONG WindowFrameStyle(LONG style, bool bShow) { return bShow ? (style | kFrameOn) : (style & ~kFrameOff); }

void ShowWindowFrame(HWND hWnd, bool bShow) {
    const LONG style = GetWindowLongW(hWnd, GWL_STYLE);
    if (WindowFrameStyle(style, bShow) == style) return;
    SetWindowLongW(hWnd, GWL_STYLE, WindowFrameStyle(style, bShow));
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void SetRoundRegion(HWND hWnd, int16_t Width, int16_t Height, int16_t EllipseW, int16_t EllipseH) {
    SetRoundRectRegion(hWnd, Width, Height, EllipseW, EllipseH);
}
