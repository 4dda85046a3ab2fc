// Twips (15 per pixel) and the screen's size in them, for window geometry.
#pragma once
#include <windows.h>

#include "Rounding.h"

inline constexpr int kTwipsPerPixel = 15;

inline int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }
// Rounded to the nearest pixel, halves to even.
inline int TwipsToPixels(double twips) { return RoundHalfEven(twips / kTwipsPerPixel); }

// Coordinate unit of a form or picture box (values as the platform numbers them).
enum class ScaleModeConstants { Twips = 1, Pixels = 3 };

inline int ToPixels(double value, ScaleModeConstants mode) {
    return mode == ScaleModeConstants::Twips ? TwipsToPixels(value) : RoundHalfEven(value);
}
inline int FromPixels(int pixels, ScaleModeConstants mode) {
    return mode == ScaleModeConstants::Twips ? PixelsToTwips(pixels) : pixels;
}

namespace Screen {
inline int TwipsPerPixelX() { return kTwipsPerPixel; }
inline int TwipsPerPixelY() { return kTwipsPerPixel; }
inline int Width() { return PixelsToTwips(GetSystemMetrics(SM_CXSCREEN)); }
inline int Height() { return PixelsToTwips(GetSystemMetrics(SM_CYSCREEN)); }
}  // namespace Screen
