// The element tree of an HTML page, built tolerantly from tokens the way
// browsers repair markup: missing HTML, HEAD and BODY are implied (written
// back in capitals), unclosed elements are closed where their parent ends,
// stray end tags are ignored and nesting is bounded. Element names are
// written in capitals, as the platform's HTML engine writes them; attributes
// and text keep the form the page wrote them in.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "HtmlTokenizer.h"

class HtmlNode {
public:
    enum class Kind { Element, Text, Comment };

    Kind kind = Kind::Element;
    std::wstring name;       // element name in capitals ("BODY", also for an implied body)
    std::wstring lowerName;  // for comparisons
    std::vector<HtmlAttribute> attributes;
    std::wstring startTag;   // source of the start tag, or the synthesised one
    bool selfClosed = false; // written as <name ... /> : no content, no end tag
    std::wstring text;       // Text and Comment: the source text
    HtmlNode* parent = nullptr;
    std::vector<std::unique_ptr<HtmlNode>> children;

    bool IsElement(std::wstring_view lower) const { return kind == Kind::Element && lowerName == lower; }
    // Value of the attribute (name compared without case), or nullptr.
    const std::wstring* Attribute(std::wstring_view lowerName) const;
    std::wstring AttributeOr(std::wstring_view lowerName, std::wstring_view fallback = {}) const;
    // The node as markup, children included.
    std::wstring OuterHtml() const;
    // Text of the subtree with character references decoded (no markup).
    std::wstring TextContent() const;
    // First element in document order (this node included) with the name.
    const HtmlNode* Find(std::wstring_view lower) const;
    void AppendOuterHtml(std::wstring& out) const;
};

struct HtmlTree {
    std::unique_ptr<HtmlNode> documentElement;
    HtmlNode* head = nullptr;
    HtmlNode* body = nullptr;  // the BODY, or the FRAMESET of a frame document
};

// Nesting depth beyond which further elements are not opened.
constexpr size_t kMaxHtmlDepth = 256;

HtmlTree BuildHtmlTree(std::wstring_view markup);

// Elements that never have content or an end tag.
bool IsVoidHtmlElement(std::wstring_view lowerName);
