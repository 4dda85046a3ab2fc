// The document object the pages script against, in the shape of the
// browser's own: documentElement.outerHTML, title, activeElement (href,
// type), frames(i).Document, open/writeln/close and parentWindow.scrollBy.
// A document belongs to the frame (window) that shows it; once that window
// has moved on to another document, window access on the old one raises.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "HtmlTree.h"

class HtmlDocument;

// A frame showing a document: the top of a browser view or its first frame.
class HtmlWindow {
public:
    virtual ~HtmlWindow() = default;
    virtual std::shared_ptr<HtmlDocument> Document() = 0;
    // Scrolls the window's content by the amounts in pixels (clamped to the content).
    virtual void scrollBy(int x, int y) = 0;
};

// What a document needs from the window it is shown in.
class DocumentSite {
public:
    virtual ~DocumentSite() = default;
    virtual HtmlWindow& Window() = 0;
    virtual HtmlWindow* Frame(size_t index) = 0;  // nullptr when there is no such frame
    virtual void DocumentWritten() = 0;           // open() or close() replaced the content
};

// An element of a document; it keeps its tree alive even after the document
// has been rewritten.
class HtmlElement {
public:
    HtmlElement(std::shared_ptr<const HtmlTree> tree, const HtmlNode* node, std::wstring baseUrl)
        : tree_(std::move(tree)), node_(node), baseUrl_(std::move(baseUrl)) {}
    std::wstring outerHTML() const { return node_->OuterHtml(); }
    // The link address resolved against the document (javascript: as written); empty without href.
    std::wstring href() const;
    std::wstring type() const { return node_->AttributeOr(L"type"); }
    const HtmlNode& Node() const { return *node_; }

private:
    std::shared_ptr<const HtmlTree> tree_;
    const HtmlNode* node_;
    std::wstring baseUrl_;
};

class HtmlDocument {
public:
    HtmlDocument(std::wstring url, std::wstring_view markup);

    HtmlElement documentElement() const;
    std::wstring title() const;
    // The element the user activated last; the body when there is none.
    HtmlElement activeElement() const;
    HtmlWindow& frames(size_t index);
    HtmlWindow& parentWindow();
    void open();
    void writeln(std::wstring_view line);
    void close();

    // For the view that shows the document.
    const std::wstring& Url() const { return url_; }
    const HtmlTree& Tree() const { return *tree_; }
    const std::wstring& BaseUrl() const { return baseUrl_; }  // <base href>, else the address
    std::wstring BaseTarget() const;  // <base target>, else empty
    const HtmlNode* FirstFrame() const;
    void SetActive(const HtmlNode* element) { active_ = element; }
    void AttachTo(DocumentSite* site) { site_ = site; }

private:
    DocumentSite& Site();
    void ReplaceTree(std::wstring_view markup);
    HtmlElement Element(const HtmlNode* node) const { return HtmlElement(tree_, node, baseUrl_); }

    std::wstring url_;
    std::shared_ptr<const HtmlTree> tree_;
    std::wstring baseUrl_;
    const HtmlNode* active_ = nullptr;
    DocumentSite* site_ = nullptr;
    bool writing_ = false;
    std::wstring written_;
};
