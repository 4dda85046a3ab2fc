// A window's outline as a rounded rectangle. The window owns the region once
// SetWindowRgn takes it; a region it refuses (a window already gone) is
// deleted here, not left behind.
#pragma once
#include <windows.h>

// Gives `hwnd` the region of the rounded rectangle from (0, 0) to (right,
// bottom), pixels, with that corner ellipse, and redraws it.
void SetRoundRectRegion(HWND hwnd, int right, int bottom, int cornerWidth, int cornerHeight);
