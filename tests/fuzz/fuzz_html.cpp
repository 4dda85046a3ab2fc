// The browser view's tokenizer and document builder: any markup builds a
// tree within the nesting bound that writes back and is read like a page,
// and reaches only the network from an http address. Pages of at most 800
// bytes: reading costs about a microsecond a byte under the sanitizers, and
// 800 bytes still nest deeper than the bound ("<b>" 256 times is 768). The
// tokenizer is reached through the document only, as the view reads pages.
// (Laying pages out, and writing them line by line, is fuzz_page_layout's.)
#include "FuzzInput.h"
#include "HtmlDocument.h"
#include "WebUrl.h"

namespace {

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

FUZZ_INPUTS_OF_AT_MOST(800)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring markup = WidenedBytes(data, size);
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

    // Written back and read again, the markup gives the same document.
    HtmlDocument again(L"http://127.0.0.1:8470/page.html", outer);
    FUZZ_CHECK(again.Tree().documentElement != nullptr);
    return 0;
}
