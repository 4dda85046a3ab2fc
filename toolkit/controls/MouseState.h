// Button and shift-key arguments of the controls' mouse and key events,
// in the numbering their handlers expect (1 left / shift, 2 right / ctrl, 4 middle / alt).
#pragma once
#include <windows.h>

#include <cstdint>

inline int16_t ShiftState() {
    int16_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= 1;
    if (GetKeyState(VK_CONTROL) < 0) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

// The buttons held according to a mouse message's key flags.
inline int16_t ButtonsHeld(WPARAM keys) {
    int16_t b = 0;
    if (keys & MK_LBUTTON) b |= 1;
    if (keys & MK_RBUTTON) b |= 2;
    if (keys & MK_MBUTTON) b |= 4;
    return b;
}
