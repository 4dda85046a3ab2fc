// Height of the taskbar strip below the screen's work area, in twips.
#pragma once
#include <cstdint>

// Only space below the work area counts: a taskbar at another edge gives 0.
int16_t GetTaskbarHeight();
// The arithmetic: (screen height in twips / twips per pixel - work-area
// bottom in pixels) * twips per pixel, rounded to a whole number.
int16_t TaskbarHeightTwips(double screenHeightTwips, int workAreaBottomPixels, double twipsPerPixel);
