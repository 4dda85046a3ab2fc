// The browser view's tokenizer, document builder and layout: any markup
// builds a tree within the nesting bound that writes back and is read like
// a page, reaches only the network from an http address, and lays out at
// any width with text measured a bounded number of times per character (a
// word longer than the line is cut without measuring its rest again at
// every line), whatever sizes its pictures declare.
#include <algorithm>
#include <climits>

#include "FuzzInput.h"
#include "HtmlDocument.h"
#include "PageLayout.h"
#include "PageStyle.h"
#include "WebUrl.h"

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

// Whatever a page from the network names, and whatever its base address,
// it reaches only the network (and about: for navigation).
void CheckReach(const HtmlDocument& doc, const HtmlNode& node) {
    for (const wchar_t* name : {L"src", L"href"}) {
        const std::wstring* value = node.Attribute(name);
        if (!value) continue;
        const std::wstring url = ResolveUrl(doc.BaseUrl(), *value);
        for (LoadKind kind : {LoadKind::Navigation, LoadKind::Resource}) {
            if (!MayLoad(doc.Url(), url, kind, L"C:\\Orvane")) continue;
            const std::wstring scheme = UrlScheme(url);
            FUZZ_CHECK(scheme == L"http" || scheme == L"https" || (scheme == L"about" && kind == LoadKind::Navigation));
        }
    }
    for (const auto& child : node.children) CheckReach(doc, *child);
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

size_t Depth(const HtmlNode& node) {
    size_t deepest = 0;
    for (const auto& child : node.children) {
        FUZZ_CHECK(child->parent == &node);
        const size_t d = Depth(*child);
        if (d > deepest) deepest = d;
    }
    return deepest + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring markup = WidenedBytes(data, size);
    for (const HtmlToken& token : TokenizeHtml(markup)) FUZZ_CHECK(!token.source.empty());

    HtmlDocument doc(L"http://127.0.0.1:8470/page.html", markup);
    const HtmlTree& tree = doc.Tree();
    FUZZ_CHECK(tree.documentElement != nullptr);
    FUZZ_CHECK(Depth(*tree.documentElement) <= kMaxHtmlDepth + 4);
    const std::wstring outer = doc.documentElement().outerHTML();
    FUZZ_CHECK(!outer.empty());
    doc.title();
    doc.activeElement().href();
    doc.BaseTarget();
    doc.FirstFrame();
    tree.documentElement->TextContent();
    CheckReach(doc, *tree.documentElement);
    LayOut(doc, 800, markup.size());
    LayOut(doc, 37, markup.size());

    // Written back and read again, the markup gives the same document.
    HtmlDocument again(L"http://127.0.0.1:8470/page.html", outer);
    FUZZ_CHECK(again.Tree().documentElement != nullptr);

    // The same markup written line by line, as the launcher writes its help page.
    doc.open();
    size_t start = 0;
    while (start <= markup.size()) {
        const size_t end = markup.find(L'\n', start);
        doc.writeln(std::wstring_view(markup).substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    doc.close();
    doc.documentElement().outerHTML();
    return 0;
}
