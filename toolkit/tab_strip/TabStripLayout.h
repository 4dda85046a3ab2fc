// Geometry of the tab strip's two styles: sheet cells, tab widths, tab
// places, caption and close-button rectangles, and hit testing. Pure
// arithmetic, shared by every skin.
#pragma once
#include <vector>

namespace TabStripLayout {

struct Rect {
    long x, y, w, h;  // left, top, width, height
};

// Where the cells lie on a style's sprite sheet (all at source y = 0).
struct SheetCells {
    long backgroundHeight;    // the background column is 1 pixel wide
    long tabX[3];             // normal, under the pointer, selected
    long tabW, tabH;
    long closeX[4];           // of the selected tab, of another tab, under the pointer, pressed
    long margin;              // left and right nine-slice margins of a tab cell
};
inline constexpr long kCloseSize = 12;
enum TabCell { kTabNormal, kTabHover, kTabSelected };
enum CloseCell { kCloseSelected, kCloseOther, kCloseHover, kClosePressed };

const SheetCells& Cells(long style);
// Strip height of the style as drawn from the sheet: 25 or 28.
long StripHeight(long style);
// Width of a tab that keeps its size, and upper bound of the shared width.
long FullWidth(long style);

// What layout and hit testing need of one tab.
struct TabPlace {
    long left = 0, width = 0;
    bool lockSize = false, hideButton = false;
};

// Shared width of the tabs that do not keep their size.
long CalcTabWidth(long style, long stripWidth, long tabLeftSize, long tabRightSize,
                  const std::vector<TabPlace>& tabs);
// Sets left and width of every tab, in index order.
void LayoutTabs(long style, long tabWidth, std::vector<TabPlace>& tabs);

// Drawing places, in tab-area coordinates.
Rect TabImageRect(long style, const TabPlace& tab);
Rect CaptionRect(long style, const TabPlace& tab, bool selected);
Rect CloseButtonRect(long style, const TabPlace& tab);

struct Hit {
    long index;  // -3 outside the strip, -2 outside the tab area, -1 no tab, else the tab
    bool onClose;
};
// x, y in strip pixels; stripHeight is the skin's height of the style.
Hit HitTest(long style, long stripWidth, long stripHeight, long tabLeftSize, long tabRightSize,
            const std::vector<TabPlace>& tabs, double x, double y);

}  // namespace TabStripLayout
