// Colours as the forms and controls take them: an RGB value, or a system
// colour index with the high bit set (0x8000000F is the button face).
#pragma once
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR

inline constexpr OLE_COLOR kButtonFace = 0x8000000F;
inline constexpr OLE_COLOR kButtonText = 0x80000012;
inline constexpr OLE_COLOR kWindowBackground = 0x80000005;
inline constexpr OLE_COLOR kWindowText = 0x80000008;
inline constexpr OLE_COLOR kHighlightText = 0x8000000E;
inline constexpr OLE_COLOR kGrayText = 0x80000011;

inline COLORREF TranslateColor(OLE_COLOR color) {
    return (color & 0x80000000u) ? GetSysColor(static_cast<int>(color & 0xFF)) : (color & 0xFFFFFF);
}
