// Where the player's window puts its controls for a given window size: pure
// arithmetic in twips (15 per pixel), apart from the window region's pixels.
#pragma once

namespace PlayerLayout {

struct Box {
    int left, top, width, height;
};

struct Input {
    int outerWidth;      // W: the window's outer width
    int innerWidth;      // SW
    int innerHeight;     // SH
    bool toolDown;       // web_tool pressed: the tool strip shows
    int tabHeight;       // the strip's own height
    int toolHeight;      // Pic_Btn's height
    int rightEndWidth;   // ImgRight's width
};

struct Result {
    int titleWidth;                                   // WebBForm: at 0, 0, this wide
    int closeLeft, minmaxLeft, minLeft, toolLeft;     // caption buttons (tops unchanged)
    int tabLeft, tabTop, tabWidth;                    // WebuTab
    bool toolVisible;
    Box tool;                                         // Pic_Btn, when visible
    int rightEndLeft;                                 // ImgRight inside Pic_Btn (top 0)
    Box container;                                    // pCnt
    int regionRight, regionBottom;                    // pixels
};

// Twips of the design window's inner area.
inline constexpr int kDesignWidth = 15540, kDesignHeight = 9585;
// What web_tool adds to or takes from the window's height.
inline constexpr int kToolGrowth = 1000;
// The least window an edge drag leaves: the logo, a tab and the caption
// buttons across (the tool strip's four buttons need less), the tab strip,
// the tool strip and some of the page down.
inline constexpr int kMinWidth = 4500, kMinHeight = 3000;

Result Compute(const Input& in);

}  // namespace PlayerLayout
