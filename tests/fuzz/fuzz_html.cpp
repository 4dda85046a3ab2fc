// The browser view's tokenizer and document builder: any markup builds a
// tree within the nesting bound that writes back and is read like a page.
#include "FuzzInput.h"
#include "HtmlDocument.h"

namespace {

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
