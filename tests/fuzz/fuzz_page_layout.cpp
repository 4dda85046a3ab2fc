// The browser view's layout of a whole page, written line by line as the
// launcher writes its help page: any markup lays out at any width with text
// measured a bounded number of times per character (a word longer than the
// line is cut without measuring its rest again at every line), whatever
// sizes its pictures declare. Pages of at most 8 KiB, so that some hundreds
// are laid out a second; the bound on measuring is relative to the page's
// size, so a cost that grows faster than the page shows on these as well.
#include <algorithm>
#include <climits>

#include "FuzzInput.h"
#include "HtmlDocument.h"
#include "PageLayout.h"
#include "PageStyle.h"

namespace {

// Characters of varied widths; counts every character it is asked to measure.
class CountingMeasurer : public TextMeasurer {
public:
    int TextWidth(std::wstring_view text, int font) override {
        measured += text.size();
        int width = 0;
        for (wchar_t c : text) width += 1 + static_cast<int>(c % 7) + ((font & kFontLarge) ? 4 : 0);
        return width;
    }
    int LineHeight(int font) override { return (font & kFontLarge) ? 20 : 10; }
    size_t measured = 0;
};

// A picture's natural size as its src names it ("<width>x<height>", each
// saturating at INT_MAX), so that pages can declare any size.
BoxSize NaturalSize(const HtmlNode& img) {
    const std::wstring src = img.AttributeOr(L"src");
    int sides[2] = {0, 0};
    size_t i = 0;
    for (int& side : sides) {
        long long value = 0;
        for (; i < src.size() && src[i] >= L'0' && src[i] <= L'9'; ++i)
            value = std::min<long long>(value * 10 + (src[i] - L'0'), INT_MAX);
        side = static_cast<int>(value);
        if (i < src.size()) ++i;  // the "x"
    }
    return {sides[0], sides[1]};
}

void LayOut(const HtmlDocument& doc, int width, size_t markupSize) {
    CountingMeasurer measurer;
    LayoutInput in;
    in.tree = &doc.Tree();
    in.style = ComputePageStyle(doc.Tree());
    in.viewWidth = width;
    in.viewHeight = 300;
    in.frame = doc.FirstFrame();
    in.imageSize = NaturalSize;
    const PageLayout layout = LayOutPage(in, measurer);
    FUZZ_CHECK(layout.contentHeight >= 0 && layout.contentWidth >= 0);
    // Tabs of preformatted text widen to eight blanks; every other character
    // is measured a few times at most.
    FUZZ_CHECK(measurer.measured <= 16 * markupSize + 4096);
}

}  // namespace

FUZZ_INPUTS_OF_AT_MOST(8192)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring markup = WidenedBytes(data, size);
    HtmlDocument doc(L"http://127.0.0.1:8470/page.html", L"");
    doc.open();
    size_t start = 0;
    while (start <= markup.size()) {
        const size_t end = markup.find(L'\n', start);
        doc.writeln(std::wstring_view(markup).substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    doc.close();
    LayOut(doc, 800, markup.size());
    LayOut(doc, 37, markup.size());
    return 0;
}
