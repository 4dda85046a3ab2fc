#include "TabStripLayout.h"

#include "Rounding.h"

namespace TabStripLayout {

namespace {

struct StyleGeometry {
    SheetCells cells;
    long firstLeft;    // Left of the first tab
    long gap;          // after each tab
    long fullWidth;
    long imageLeft;    // tab image starts this far left of Left and is as much wider
    long captionInset; // left inset of the caption
    long captionCut[3]; // width cut: no close button, close button unselected, selected
    long closeRight;   // close button at Left + Width - closeRight
    long closeTop;
};

constexpr StyleGeometry kStyles[2] = {
    {{25, {1, 123, 245}, 122, 25, {367, 379, 391, 403}, 14}, 14, 0, 108, 14, 0, {14, 38, 26}, 24, 6},
    {{28, {1, 125, 249}, 124, 26, {373, 385, 397, 409}, 14}, 0, 5, 124, 0, 4, {8, 28, 28}, 20, 7},
};

const StyleGeometry& Geometry(long style) { return kStyles[style == 1 ? 1 : 0]; }

}  // namespace

const SheetCells& Cells(long style) { return Geometry(style).cells; }
long StripHeight(long style) { return Geometry(style).cells.backgroundHeight; }
long FullWidth(long style) { return Geometry(style).fullWidth; }

long CalcTabWidth(long style, long stripWidth, long tabLeftSize, long tabRightSize,
                  const std::vector<TabPlace>& tabs) {
    const StyleGeometry& g = Geometry(style);
    const long n = static_cast<long>(tabs.size());
    long k = 0;
    for (const TabPlace& t : tabs) k += t.lockSize;
    if (k == n) return g.fullWidth;
    const long free = stripWidth - tabLeftSize - tabRightSize;
    const long room = style == 1 ? free - g.fullWidth * k - g.gap * n : free - g.fullWidth * k - g.firstLeft;
    const long width = RoundHalfEven(static_cast<double>(room) / (n - k));
    return width > g.fullWidth ? g.fullWidth : width;
}

void LayoutTabs(long style, long tabWidth, std::vector<TabPlace>& tabs) {
    const StyleGeometry& g = Geometry(style);
    long x = g.firstLeft;
    for (TabPlace& t : tabs) {
        t.left = x;
        t.width = t.lockSize ? g.fullWidth : tabWidth;
        x += t.width + g.gap;
    }
}

Rect TabImageRect(long style, const TabPlace& tab) {
    const StyleGeometry& g = Geometry(style);
    return {tab.left - g.imageLeft, 0, tab.width + g.imageLeft, g.cells.tabH};
}

Rect CaptionRect(long style, const TabPlace& tab, bool selected) {
    const StyleGeometry& g = Geometry(style);
    const long cut = tab.hideButton ? g.captionCut[0] : g.captionCut[selected ? 2 : 1];
    return {tab.left + g.captionInset, 0, tab.width - cut, g.cells.tabH};
}

Rect CloseButtonRect(long style, const TabPlace& tab) {
    const StyleGeometry& g = Geometry(style);
    return {tab.left + tab.width - g.closeRight, g.closeTop, kCloseSize, kCloseSize};
}

Hit HitTest(long style, long stripWidth, long stripHeight, long tabLeftSize, long tabRightSize,
            const std::vector<TabPlace>& tabs, double x, double y) {
    if (x < 0 || x > stripWidth || y < 0 || y > stripHeight) return {-3, false};
    if (x > stripWidth - tabRightSize || x < tabLeftSize) return {-2, false};
    if (tabs.empty()) return {-1, false};
    const double rx = x - tabLeftSize;
    if (rx <= 14) return {0, false};
    for (long i = 0; i < static_cast<long>(tabs.size()); ++i) {
        const TabPlace& t = tabs[i];
        if (t.left <= rx && rx <= t.left + t.width) {
            // The hit zone reaches one pixel past the drawn 12 x 12 button on the right and bottom.
            const Rect c = CloseButtonRect(style, t);
            const bool onClose = !t.hideButton && c.x <= rx && rx <= c.x + c.w && c.y <= y && y <= c.y + c.h;
            return {i, onClose};
        }
    }
    return {-1, false};
}

}  // namespace TabStripLayout
