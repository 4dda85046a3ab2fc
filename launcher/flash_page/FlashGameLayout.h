// Layout arithmetic of a Flash game page, in twips: where the movie, the tool
// bar, the help panel and the caption buttons go in the tab, full screen and
// popped out. Pure numbers, so the rules can be checked without windows.
#pragma once

namespace FlashGameLayout {

inline constexpr int kToolBarHeight = 780;
inline constexpr int kTabPageWidth = 11865;
inline constexpr int kTabPageHeight = 9195;
inline constexpr int kPopWidth = 10500;
inline constexpr int kPopHeight = 9200;
inline constexpr int kFrameMargin = 60;     // left and right of a popped-out page
inline constexpr int kTitleHeight = 495;
inline constexpr int kTabMovieGap = 1720;   // below the movie of a page in its tab
inline constexpr int kScrollRight = 765;    // scroll buttons from the right edge, in the tab
inline constexpr int kHelpNarrower = 2650;  // the help browser against the page
inline constexpr int kCapMargin = 120;
inline constexpr int kCapWidth = 125;
inline constexpr int kCloseRight = 730;
inline constexpr int kMinWidth = 360;
inline constexpr int kScrollButtonWidth = 645;
inline constexpr int kCornerEllipse = 6;  // pixels
// The least popped-out page an edge drag leaves: the tool bar's buttons
// with its right cap and the frame's margins across, the title bar, some
// of the movie and the tool bar down.
inline constexpr int kPopMinWidth = 4500, kPopMinHeight = 2250;

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
};

// A popped-out page of the given inner size: title bar on top, the movie
// framed by the margins, the tool bar and help panel below it.
struct Popped {
    Box movie;
    int barLeft = 0, barWidth = 0;  // tool bar and help panel
    int capRight = 0;               // left of the right cap
    int closeLeft = 0, minLeft = 0;
    int scrollLeft = 0;
    int helpWidth = 0;
};
Popped PoppedOut(int pageWidth, int pageHeight);
// The tool bar's top under a movie whose height was read back from its window.
inline int PoppedBarTop(int movieHeight) { return movieHeight + kTitleHeight; }

// Full screen (in the tab or popped out and maximised): the movie fills the
// page above the tool bar.
struct Full {
    Box movie;
    int barTop = 0, barWidth = 0;
    int capRight = 0;
    int scrollLeft = 0;
    int helpWidth = 0;
};
Full FullScreen(int pageWidth, int pageHeight);

// Back in the tab at its fixed size.
struct InTab {
    int pageWidth = kTabPageWidth, pageHeight = kTabPageHeight;
    Box movie;
    int barTop = 0, barWidth = 0;
    int scrollLeft = 0;
    int helpWidth = 0;
};
InTab BackInTab();

// The rounded region of a popped-out page, in pixels: the inner size plus
// one, rounded (halves to even).
int RegionPixels(int innerTwips);

}  // namespace FlashGameLayout
