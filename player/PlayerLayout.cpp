#include "PlayerLayout.h"

#include "Rounding.h"

namespace PlayerLayout {

namespace {

// Twips to pixels with one pixel more, to the nearest whole number (halves
// to even), kept within 16 bits.
int RegionEdge(int twips) {
    const int pixels = RoundHalfEven(twips / 15.0 + 1);
    return pixels > 32767 ? 32767 : pixels < -32768 ? -32768 : pixels;
}

}  // namespace

Result Compute(const Input& in) {
    Result r{};
    r.titleWidth = in.outerWidth;
    r.closeLeft = in.outerWidth - 730;
    r.minmaxLeft = in.outerWidth - 1105;
    r.minLeft = in.outerWidth - 1465;
    r.toolLeft = in.outerWidth - 1825;
    r.tabLeft = 100;
    r.tabTop = 45;
    r.tabWidth = in.innerWidth - 2000;
    r.toolVisible = in.toolDown;
    // The page container starts at the strip's height, not its bottom edge:
    // the strip, 45 twips down, overlaps the container's top.
    r.container = {60, in.tabHeight, in.innerWidth - 120, in.innerHeight - in.tabHeight - 60};
    if (in.toolDown) {
        r.tool = {60, in.innerHeight - in.toolHeight - 60, in.innerWidth - 120, in.toolHeight};
        r.rightEndLeft = r.tool.width - in.rightEndWidth;
        r.container.height -= in.toolHeight;
    }
    r.regionRight = RegionEdge(in.innerWidth);
    r.regionBottom = RegionEdge(in.innerHeight);
    return r;
}

}  // namespace PlayerLayout
