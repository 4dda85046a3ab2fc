#include "WindowRegion.h"

void SetRoundRectRegion(HWND hwnd, int right, int bottom, int cornerWidth, int cornerHeight) {
    HRGN region = CreateRoundRectRgn(0, 0, right, bottom, cornerWidth, cornerHeight);
    if (region && !SetWindowRgn(hwnd, region, TRUE)) DeleteObject(region);
}
