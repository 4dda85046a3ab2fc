#include "FlashGameLayout.h"

#include "Rounding.h"

namespace FlashGameLayout {

Popped PoppedOut(int pageWidth, int pageHeight) {
    Popped p;
    p.movie = {kFrameMargin, kTitleHeight, pageWidth - 2 * kFrameMargin,
               pageHeight - kToolBarHeight - kFrameMargin - kTitleHeight};
    p.barLeft = kFrameMargin;
    p.barWidth = pageWidth - 2 * kFrameMargin;
    p.capRight = pageWidth - kCapMargin - kCapWidth;
    p.closeLeft = pageWidth - kCloseRight;
    p.minLeft = pageWidth - kCloseRight - kMinWidth;
    p.scrollLeft = pageWidth - kCapMargin - kScrollButtonWidth;
    p.helpWidth = pageWidth - kHelpNarrower;
    return p;
}

Full FullScreen(int pageWidth, int pageHeight) {
    Full f;
    f.movie = {0, 0, pageWidth, pageHeight - kToolBarHeight};
    f.barTop = pageHeight - kToolBarHeight;
    f.barWidth = pageWidth;
    f.capRight = pageWidth - kCapMargin;
    f.scrollLeft = pageWidth - kCapMargin - kScrollButtonWidth;
    f.helpWidth = pageWidth - kHelpNarrower;
    return f;
}

InTab BackInTab() {
    InTab t;
    t.barTop = t.pageHeight - kTabMovieGap;
    t.barWidth = t.pageWidth;
    t.movie = {0, 0, t.pageWidth, t.pageHeight - kTabMovieGap};
    t.scrollLeft = t.pageWidth - kScrollRight;
    t.helpWidth = t.pageWidth - kHelpNarrower;
    return t;
}

int RegionPixels(int innerTwips) { return RoundHalfEven(innerTwips / 15.0 + 1.0); }

}  // namespace FlashGameLayout
