// The tab strip's layout arithmetic: any strip width, margins, tab list and
// point give widths, places and hits within their bounds.
#include <vector>

#include "FuzzInput.h"
#include "TabStripLayout.h"

namespace {

// Reads little values off the input, zero once it runs out.
struct Reader {
    const uint8_t* data;
    size_t size;
    long Next(long range) {
        if (size < 2) return 0;
        const long v = static_cast<long>(data[0] | (data[1] << 8));
        data += 2;
        size -= 2;
        return v % range;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace TabStripLayout;
    Reader in{data, size};
    const long style = in.Next(2);
    const long stripWidth = in.Next(20000) - 100;
    const long left = in.Next(3000) - 50, right = in.Next(3000) - 50;
    std::vector<TabPlace> tabs(static_cast<size_t>(in.Next(120)));
    for (TabPlace& tab : tabs) {
        const long flags = in.Next(4);
        tab.lockSize = flags & 1;
        tab.hideButton = flags & 2;
    }
    const long width = CalcTabWidth(style, stripWidth, left, right, tabs);
    LayoutTabs(style, width, tabs);
    // Too many tabs for the strip leave widths below zero: drawn as nothing.
    for (const TabPlace& tab : tabs) {
        TabImageRect(style, tab);
        CaptionRect(style, tab, true);
        CloseButtonRect(style, tab);
    }
    const long height = StripHeight(style);
    const double x = in.Next(30000) - 5000 + in.Next(100) / 100.0;
    const double y = in.Next(200) - 50 + in.Next(100) / 100.0;
    const Hit hit = HitTest(style, stripWidth, height, left, right, tabs, x, y);
    FUZZ_CHECK(hit.index >= -3 && hit.index < static_cast<long>(tabs.size()));
    FUZZ_CHECK(!hit.onClose || hit.index >= 0);
    return 0;
}
