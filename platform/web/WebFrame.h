// One frame of a browser view (the view itself, or its first FRAME/IFRAME):
// the document it shows, the navigation it waits for, its layout and scroll
// position. It is the window object the pages reach through a document.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "HtmlDocument.h"
#include "PageLayout.h"
#include "PageStyle.h"

class WebBrowser;

class WebFrame : public HtmlWindow, public DocumentSite {
public:
    WebFrame(WebBrowser& view, WebFrame* parent) : view(view), parent(parent) {}
    ~WebFrame() override;
    WebFrame(const WebFrame&) = delete;
    WebFrame& operator=(const WebFrame&) = delete;

    std::shared_ptr<HtmlDocument> Document() override { return document; }
    void scrollBy(int x, int y) override;
    HtmlWindow& Window() override { return *this; }
    HtmlWindow* Frame(size_t index) override { return index == 0 ? child.get() : nullptr; }
    void DocumentWritten() override;

    bool IsTop() const { return parent == nullptr; }
    // Shows a new document in this frame; the old one loses its window.
    void Show(std::shared_ptr<HtmlDocument> doc);

    WebBrowser& view;
    WebFrame* const parent;
    std::shared_ptr<HtmlDocument> document;
    uint32_t fetchTicket = 0;     // navigation waiting for its document
    uint32_t completeTicket = 0;  // navigation whose completion is still to be reported
    bool waitingForChild = false; // the completion waits for the first frame
    std::unique_ptr<WebFrame> child;
    PageStyle style;
    PageLayout layout;
    int viewWidth = 0, viewHeight = 0;
    int scrollX = 0, scrollY = 0;
};
