#include "ModGetTaskbarHei.h"

#include <windows.h>

#include "Rounding.h"
#include "Twips.h"

int16_t TaskbarHeightTwips(double screenHeightTwips, int workAreaBottomPixels, double twipsPerPixel) {
    return static_cast<int16_t>(
        RoundHalfEven((screenHeightTwips / twipsPerPixel - workAreaBottomPixels) * twipsPerPixel));
}

int16_t GetTaskbarHeight() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return TaskbarHeightTwips(PixelsToTwips(GetSystemMetrics(SM_CYSCREEN)), work.bottom, kTwipsPerPixel);
}
