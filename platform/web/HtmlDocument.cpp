#include "HtmlDocument.h"

#include "RaisedError.h"
#include "WebUrl.h"

namespace {

// The first FRAME or IFRAME in document order.
const HtmlNode* FindFrame(const HtmlNode& node) {
    if (node.IsElement(L"frame") || node.IsElement(L"iframe")) return &node;
    for (const auto& c : node.children)
        if (const HtmlNode* hit = FindFrame(*c)) return hit;
    return nullptr;
}

[[noreturn]] void RaiseNoObject() { throw RaisedError(91, "HtmlDocument", "Object variable or With block variable not set"); }

}  // namespace

std::wstring HtmlElement::href() const {
    const std::wstring* h = node_->Attribute(L"href");
    if (!h) return {};
    if (IsJavascriptUrl(*h)) return *h;
    return ResolveUrl(baseUrl_, *h);
}

HtmlDocument::HtmlDocument(std::wstring url, std::wstring_view markup) : url_(std::move(url)) { ReplaceTree(markup); }

// Pages resolve every link and picture against the base: worked out once.
void HtmlDocument::ReplaceTree(std::wstring_view markup) {
    tree_ = std::make_shared<const HtmlTree>(BuildHtmlTree(markup));
    active_ = nullptr;
    baseUrl_ = url_;
    if (const HtmlNode* base = tree_->documentElement->Find(L"base"))
        if (const std::wstring* h = base->Attribute(L"href")) baseUrl_ = ResolveUrl(url_, *h);
}

HtmlElement HtmlDocument::documentElement() const { return Element(tree_->documentElement.get()); }

std::wstring HtmlDocument::title() const {
    const HtmlNode* t = tree_->documentElement->Find(L"title");
    if (!t) return {};
    std::wstring out;
    bool space = false;
    for (wchar_t c : t->TextContent()) {
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') {
            space = !out.empty();
            continue;
        }
        if (space) out += L' ';
        space = false;
        out += c;
    }
    return out;
}

HtmlElement HtmlDocument::activeElement() const {
    return Element(active_ ? active_ : tree_->body ? tree_->body : tree_->documentElement.get());
}

DocumentSite& HtmlDocument::Site() {
    if (!site_) RaiseNoObject();
    return *site_;
}

HtmlWindow& HtmlDocument::frames(size_t index) {
    HtmlWindow* w = Site().Frame(index);
    if (!w) throw RaisedError(5, "HtmlDocument", "Invalid procedure call or argument");
    return *w;
}

HtmlWindow& HtmlDocument::parentWindow() { return Site().Window(); }

void HtmlDocument::open() {
    writing_ = true;
    written_.clear();
    ReplaceTree(L"");
    if (site_) site_->DocumentWritten();
}

void HtmlDocument::writeln(std::wstring_view line) {
    if (!writing_) open();
    written_ += line;
    written_ += L"\r\n";
}

void HtmlDocument::close() {
    if (!writing_) return;
    writing_ = false;
    ReplaceTree(written_);
    written_.clear();
    if (site_) site_->DocumentWritten();
}

std::wstring HtmlDocument::BaseTarget() const {
    const HtmlNode* base = tree_->documentElement->Find(L"base");
    return base ? base->AttributeOr(L"target") : std::wstring();
}

const HtmlNode* HtmlDocument::FirstFrame() const { return FindFrame(*tree_->documentElement); }
