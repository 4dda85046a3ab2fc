#include "WebBrowser.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "BodyText.h"
#include "BrowserPopup.h"
#include "BuiltInPages.h"
#include "ReadableFolder.h"
#include "WebFetch.h"
#include "WebFonts.h"
#include "WebFrame.h"
#include "WebImage.h"
#include "WebPainter.h"
#include "WebUrl.h"

namespace {

constexpr UINT kMsgFetched = WM_APP + 0x310;    // results wait in the mailbox
constexpr UINT kMsgBlankDone = WM_APP + 0x311;  // wParam: ticket of an about: load
constexpr UINT kMsgTitle = WM_APP + 0x312;      // the top document's title may have changed
constexpr int kLineStep = 16;
// Pictures that arrive within this time of the first one waiting for its
// layout are laid out with it.
constexpr UINT kPictureLayoutTimer = 1;
constexpr UINT kPictureLayoutDelayMs = 50;
constexpr size_t kImagesInFlight = 4;
constexpr size_t kImageCacheLimit = 256;
// Decoded pictures of one view; the least recently used make room.
constexpr size_t kPictureBudgetBytes = 64u << 20;

std::wstring WithoutFragment(const std::wstring& url) { return url.substr(0, url.find(L'#')); }

void CollectImages(const HtmlNode& node, std::vector<const HtmlNode*>& out) {
    if (node.IsElement(L"img")) out.push_back(&node);
    for (const auto& c : node.children)
        if (c->kind == HtmlNode::Kind::Element) CollectImages(*c, out);
}

}  // namespace

WebFrame::~WebFrame() {
    if (document) document->AttachTo(nullptr);
}

void WebFrame::scrollBy(int x, int y) { view.ScrollFrame(*this, x, y); }

void WebFrame::DocumentWritten() {
    child.reset();
    scrollX = scrollY = 0;
    view.DocumentShown(*this);
    view.StartChildFrame(*this);
}

void WebFrame::Show(std::shared_ptr<HtmlDocument> doc) {
    if (document) document->AttachTo(nullptr);
    document = std::move(doc);
    document->AttachTo(this);
    child.reset();
    waitingForChild = false;
    completeTicket = 0;
    scrollX = scrollY = 0;
}

WebBrowser::WebBrowser()
    : fonts_(std::make_unique<WebFonts>()),
      measurer_(std::make_unique<GdiTextMeasurer>(*fonts_)),
      top_(std::make_unique<WebFrame>(*this, nullptr)),
      alive_(std::make_shared<bool>(true)) {
    top_->Show(std::make_shared<HtmlDocument>(L"about:blank", L""));
}

WebBrowser::~WebBrowser() {
    *alive_ = false;
    if (mailbox_) mailbox_->Detach();
    Destroy();
}

bool WebBrowser::Create(const Placement& p) {
    CreateParams cp;
    cp.className = L"OrvaneWebBrowser";
    cp.style = WS_CHILD | WS_CLIPCHILDREN | WS_TABSTOP | (p.visible ? WS_VISIBLE : 0);
    cp.parent = p.parent;
    cp.x = p.x, cp.y = p.y, cp.cx = p.cx, cp.cy = p.cy;
    cp.title = LocationURL();
    if (!Window::Create(cp)) return false;
    shownScroll_.reset();
    mailbox_ = std::make_shared<FetchMailbox>(hwnd(), kMsgFetched);
    Relayout();
    // A navigation made before the window existed starts now.
    if (!pendingUrl_.empty()) {
        LoadFrame(*top_, std::exchange(pendingUrl_, {}), std::exchange(pendingFrom_, {}));
    } else if (top_->completeTicket) {
        PostMessageW(hwnd(), kMsgBlankDone, top_->completeTicket, 0);
    }
    return true;
}

template <class Handler, class... Args>
bool WebBrowser::Raise(const Handler& handler, Args&&... args) {
    if (!handler) return true;
    const std::shared_ptr<bool> alive = alive_;
    const Handler copy = handler;  // the handler may replace itself
    try {
        copy(std::forward<Args>(args)...);
    } catch (...) {
        // A failing handler leaves the view as it was.
    }
    return *alive;
}

// --- Navigation ------------------------------------------------------------

void WebBrowser::Navigate(const std::wstring& url) { LoadFrame(*top_, url, {}); }

void WebBrowser::Navigate(const std::wstring& url, const std::wstring& linkedFrom) { LoadFrame(*top_, url, linkedFrom); }

void WebBrowser::Stop() {
    top_->fetchTicket = 0;
    if (top_->child) top_->child->fetchTicket = 0;
    pendingUrl_.clear();
    DropPicturesInFlight();
}

void WebBrowser::Refresh() { LoadFrame(*top_, top_->document->Url(), {}); }

std::shared_ptr<HtmlDocument> WebBrowser::Document() { return top_->document; }

std::wstring WebBrowser::LocationURL() const { return top_->document->Url(); }

void WebBrowser::LoadFrame(WebFrame& frame, const std::wstring& address, const std::wstring& from) {
    const std::wstring url = NormalizeNavigationUrl(address);
    if (IsJavascriptUrl(url)) return;  // scripts never run
    if (UrlScheme(url) == L"about") {
        ShowBlank(frame, url);
        return;
    }
    if (!mailbox_) {
        // No window yet (or no more): the view loads it when its window is made.
        if (frame.IsTop()) {
            pendingUrl_ = url;
            pendingFrom_ = from;
            frame.fetchTicket = frame.completeTicket = 0;
        }
        return;
    }
    frame.fetchTicket = ++nextTicket_;
    // Refused like an address that cannot be reached: the not-found page,
    // reported from the message queue as any load.
    if (MayLoad(from, url, LoadKind::Navigation, ReadableFolder()))
        StartFetch(mailbox_, frame.fetchTicket, url, FetchKind::Document, noCache_);
    else
        DeliverFailure(*mailbox_, frame.fetchTicket, url, L"The address may not be opened here.");
}

// An empty document at once (pages write into it right after navigating),
// its completion reported later from the message queue like any other load.
void WebBrowser::ShowBlank(WebFrame& frame, const std::wstring& url) {
    frame.fetchTicket = 0;
    if (frame.IsTop()) pendingUrl_.clear();
    frame.Show(std::make_shared<HtmlDocument>(url, L""));
    frame.completeTicket = ++nextTicket_;
    DocumentShown(frame);
    if (hwnd()) PostMessageW(hwnd(), kMsgBlankDone, frame.completeTicket, 0);
}

WebFrame* WebBrowser::FrameAwaiting(uint32_t ticket, bool fetch) {
    for (WebFrame* f : {top_.get(), top_->child.get()})
        if (f && ticket && (fetch ? f->fetchTicket : f->completeTicket) == ticket) return f;
    return nullptr;
}

void WebBrowser::OnFetched() {
    if (!mailbox_) return;
    for (auto& result : mailbox_->TakeAll()) {
        const std::shared_ptr<bool> alive = alive_;
        if (imageTickets_.count(result->ticket)) {
            OnImageFetched(*result);
        } else if (WebFrame* f = FrameAwaiting(result->ticket, true)) {
            OnDocumentFetched(*f, *result);
        }
        if (!*alive) return;
    }
}

void WebBrowser::OnDocumentFetched(WebFrame& frame, FetchResult& r) {
    frame.fetchTicket = 0;
    const uint32_t ticket = r.ticket;
    std::wstring url = r.url.empty() ? r.requestUrl : r.url;
    std::wstring markup;
    if (!r.replied) {
        url = r.requestUrl;
        markup = ErrorPageMarkup(url, r.error);
    } else if (r.status >= 400 && r.body.size() < 512) {
        // A short error reply gets the browser's own page, as the real control does.
        markup = ErrorPageMarkup(url, L"HTTP " + std::to_wstring(r.status));
    } else {
        switch (ClassifyBody(r.contentType, url, r.body)) {
            case BodyKind::Image: markup = ImagePageMarkup(url); break;
            case BodyKind::PlainText: markup = PlainTextPageMarkup(DecodeBodyText(r.body, r.contentType)); break;
            case BodyKind::Binary: break;
            case BodyKind::Html: markup = DecodeBodyText(r.body, r.contentType); break;
        }
    }
    r.body.clear();
    r.body.shrink_to_fit();
    frame.Show(std::make_shared<HtmlDocument>(url, markup));
    frame.completeTicket = ticket;
    DocumentShown(frame);
    if (!StartChildFrame(frame)) FinishLoad(frame);
}

void WebBrowser::OnBlankDone(uint32_t ticket) {
    if (WebFrame* f = FrameAwaiting(ticket, false)) FinishLoad(*f);
}

// Loads the first FRAME or IFRAME of a top document; false when there is none.
bool WebBrowser::StartChildFrame(WebFrame& frame) {
    if (!frame.IsTop()) return false;
    const HtmlNode* element = frame.document->FirstFrame();
    if (!element) return false;
    frame.child = std::make_unique<WebFrame>(*this, &frame);
    frame.waitingForChild = frame.completeTicket != 0;
    const std::wstring src = element->AttributeOr(L"src");
    WebFrame& child = *frame.child;
    if (src.empty() || IsJavascriptUrl(src)) {
        ShowBlank(child, src.empty() ? L"about:blank" : src);  // reported with its address as written
    } else {
        child.Show(std::make_shared<HtmlDocument>(L"about:blank", L""));
        LoadFrame(child, ResolveUrl(frame.document->BaseUrl(), src), frame.document->Url());
    }
    Relayout();
    return true;
}

void WebBrowser::FinishLoad(WebFrame& frame) {
    if (!frame.completeTicket) return;
    frame.completeTicket = 0;
    WebFrame* const parent = frame.parent;
    WebFrame* const self = &frame;
    if (frame.IsTop() && !RaiseTitle()) return;
    if (!Raise(DocumentComplete, frame.document->Url())) return;
    if (parent && parent->child.get() == self && parent->waitingForChild) {
        parent->waitingForChild = false;
        FinishLoad(*parent);
    }
}

void WebBrowser::DocumentShown(WebFrame& frame) {
    if (focus_.frame == &frame || (frame.IsTop() && focus_.frame)) focus_ = {};
    if (pressed_.frame == &frame || (frame.IsTop() && pressed_.frame)) pressed_ = {};
    // The pictures of the page left behind no longer hold the fetch slots.
    if (frame.IsTop()) DropPicturesInFlight();
    RequestImages(frame);
    Relayout();
    if (frame.IsTop() && hwnd()) {
        SetWindowTextW(hwnd(), LocationURL().c_str());  // the address, for tools that read window texts
        PostMessageW(hwnd(), kMsgTitle, 0, 0);
    }
}

bool WebBrowser::RaiseTitle() {
    // A page already on its way replaces the one shown (a start page
    // navigated away from at once): the shown one's title is no news.
    if (top_->fetchTicket || !pendingUrl_.empty()) return true;
    std::wstring title = top_->document->title();
    if (title.empty()) title = top_->document->Url();
    if (title == lastTitle_) return true;
    lastTitle_ = title;
    return Raise(TitleChange, title);
}

// --- Pictures ----------------------------------------------------------------

void WebBrowser::RequestImages(const WebFrame& frame) {
    if (images_.size() > kImageCacheLimit && frame.IsTop()) {
        for (auto it = images_.begin(); it != images_.end();) it = it->second.done ? ForgetImage(it) : std::next(it);
    }
    std::vector<const HtmlNode*> imgs;
    CollectImages(*frame.document->Tree().documentElement, imgs);
    for (const HtmlNode* img : imgs) {
        const std::wstring src = img->AttributeOr(L"src");
        if (src.empty() || IsJavascriptUrl(src)) continue;
        const std::wstring url = ResolveUrl(frame.document->BaseUrl(), src);
        if (!MayShowPicture(frame, url)) continue;
        if (images_.count(url) || images_.size() > 2 * kImageCacheLimit) continue;
        images_[url];
        imageQueue_.push_back(url);
    }
    PumpImageQueue();
}

void WebBrowser::DropPicturesInFlight() {
    imageQueue_.clear();
    imageTickets_.clear();  // late answers find no ticket and are dropped
    for (auto it = images_.begin(); it != images_.end();) it = it->second.done ? std::next(it) : images_.erase(it);
}

void WebBrowser::PumpImageQueue() {
    while (mailbox_ && imageTickets_.size() < kImagesInFlight && !imageQueue_.empty()) {
        const uint32_t ticket = ++nextTicket_;
        imageTickets_[ticket] = imageQueue_.front();
        StartFetch(mailbox_, ticket, imageQueue_.front(), FetchKind::Image, noCache_);
        imageQueue_.pop_front();
    }
}

void WebBrowser::OnImageFetched(FetchResult& r) {
    const std::wstring url = imageTickets_[r.ticket];
    imageTickets_.erase(r.ticket);
    ImageEntry& entry = images_[url];
    entry.done = true;
    if (r.image) KeepPicture(entry, *r.image);
    RelayoutSoon();
    PumpImageQueue();
}

// A page may ask for hundreds of pictures, and laying it out for each would
// keep the window's thread busy while they stream in: the pictures that
// arrive shortly after one another are laid out together.
void WebBrowser::RelayoutSoon() {
    if (!relayoutPending_ && hwnd()) relayoutPending_ = SetTimer(hwnd(), kPictureLayoutTimer, kPictureLayoutDelayMs, nullptr) != 0;
}

void WebBrowser::OnTimer(WPARAM id) {
    if (id != kPictureLayoutTimer) return;
    KillTimer(hwnd(), id);
    if (relayoutPending_) Relayout();
}

// A picture that does not fit the budget even alone, or whose bitmap
// cannot be made, is simply not shown.
void WebBrowser::KeepPicture(ImageEntry& entry, const DecodedImage& image) {
    const size_t bytes = static_cast<size_t>(image.width) * image.height * sizeof(uint32_t);
    if (bytes > kPictureBudgetBytes) return;
    while (pictureBytes_ + bytes > kPictureBudgetBytes) {
        auto oldest = images_.end();
        for (auto it = images_.begin(); it != images_.end(); ++it)
            if (it->second.bitmap && (oldest == images_.end() || it->second.lastUse < oldest->second.lastUse)) oldest = it;
        if (oldest == images_.end()) break;
        ForgetImage(oldest);
    }
    auto bitmap = std::make_unique<WebBitmap>(image);
    if (!bitmap->Valid()) return;
    pictureBytes_ += bitmap->Bytes();
    entry.bitmap = std::move(bitmap);
    entry.lastUse = ++useClock_;
}

std::map<std::wstring, WebBrowser::ImageEntry>::iterator WebBrowser::ForgetImage(
    std::map<std::wstring, ImageEntry>::iterator it) {
    if (it->second.bitmap) pictureBytes_ -= it->second.bitmap->Bytes();
    return images_.erase(it);
}

// Also for a picture already decoded for a local page: a page from the
// network shows no local picture.
bool WebBrowser::MayShowPicture(const WebFrame& frame, const std::wstring& url) const {
    return MayLoad(frame.document->Url(), url, LoadKind::Resource, ReadableFolder());
}

const WebBitmap* WebBrowser::ImageFor(const WebFrame& frame, const HtmlNode& img) {
    const std::wstring* src = img.Attribute(L"src");
    if (!src) return nullptr;
    const std::wstring url = ResolveUrl(frame.document->BaseUrl(), *src);
    auto it = images_.find(url);
    if (it == images_.end() || !it->second.bitmap || !MayShowPicture(frame, url)) return nullptr;
    it->second.lastUse = ++useClock_;
    return it->second.bitmap.get();
}

// --- Layout, scrolling, painting ----------------------------------------------

void WebBrowser::LayOutFrame(WebFrame& frame, int width, int height) {
    frame.viewWidth = width;
    frame.viewHeight = height;
    frame.style = ComputePageStyle(frame.document->Tree());
    LayoutInput in;
    in.tree = &frame.document->Tree();
    in.style = frame.style;
    in.viewWidth = width;
    in.viewHeight = height;
    in.frame = frame.IsTop() ? frame.document->FirstFrame() : nullptr;
    in.imageSize = [this, &frame](const HtmlNode& img) {
        const WebBitmap* bmp = ImageFor(frame, img);
        return bmp ? BoxSize{bmp->Width(), bmp->Height()} : BoxSize{};
    };
    frame.layout = LayOutPage(in, *measurer_);
    frame.scrollX = std::clamp(frame.scrollX, 0, std::max(0, frame.layout.contentWidth - width));
    frame.scrollY = std::clamp(frame.scrollY, 0, std::max(0, frame.layout.contentHeight - height));
}

void WebBrowser::Relayout() {
    if (!hwnd() || inLayout_) return;
    inLayout_ = true;
    relayoutPending_ = false;  // this layout shows the pictures waiting for one
    ++layouts_;
    const bool wantBar = ComputePageStyle(top_->document->Tree()).scrollBar;
    if (wantBar != scrollBarShown_) {
        scrollBarShown_ = wantBar;
        ShowScrollBar(hwnd(), SB_VERT, wantBar);
        shownScroll_.reset();
    }
    RECT rc;
    GetClientRect(hwnd(), &rc);
    LayOutFrame(*top_, rc.right, rc.bottom);
    if (top_->child) {
        for (const LayoutBox& b : top_->layout.boxes)
            if (b.kind == LayoutBox::Kind::Frame && b.node) LayOutFrame(*top_->child, b.width, b.height);
    }
    UpdateScrollBar();
    InvalidateRect(hwnd(), nullptr, FALSE);
    inLayout_ = false;
}

// A frame document shows its first frame over the whole view, and the view's
// scroll bar then moves that frame.
WebFrame& WebBrowser::ScrollTarget() {
    const HtmlNode* body = top_->document->Tree().body;
    if (top_->child && body && body->IsElement(L"frameset")) return *top_->child;
    return *top_;
}

void WebBrowser::ScrollFrame(WebFrame& frame, int dx, int dy) {
    const int x = std::clamp(frame.scrollX + dx, 0, std::max(0, frame.layout.contentWidth - frame.viewWidth));
    const int y = std::clamp(frame.scrollY + dy, 0, std::max(0, frame.layout.contentHeight - frame.viewHeight));
    if (x == frame.scrollX && y == frame.scrollY) return;
    frame.scrollX = x;
    frame.scrollY = y;
    UpdateScrollBar();
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void WebBrowser::UpdateScrollBar() {
    if (!hwnd() || !scrollBarShown_) return;
    const WebFrame& f = ScrollTarget();
    SCROLLINFO si{sizeof si};
    si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    si.nMax = std::max(0, f.layout.contentHeight - 1);
    si.nPage = static_cast<UINT>(std::max(0, f.viewHeight));
    si.nPos = f.scrollY;
    // Each setting redraws the bar (themed, at some cost): only a change is set.
    const auto shown = std::make_tuple(si.nMax, si.nPage, si.nPos);
    if (shownScroll_ == shown) return;
    shownScroll_ = shown;
    SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
}

void WebBrowser::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT rc;
    GetClientRect(hwnd(), &rc);
    {
        BackBuffer buffer(dc, rc.right, rc.bottom);  // no flicker while the page is redrawn
        Paint(buffer.dc() ? buffer.dc() : dc);
    }
    EndPaint(hwnd(), &ps);
}

void WebBrowser::Paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    PaintContext pc;
    pc.dc = dc;
    pc.fonts = fonts_.get();
    pc.image = [this](const WebFrame& f, const HtmlNode& img) { return ImageFor(f, img); };
    pc.focusLink = GetFocus() == hwnd() ? focus_.link : nullptr;
    PaintFrame(pc, *top_, 0, 0, rc);
}

// --- Input -------------------------------------------------------------------

WebBrowser::Hit WebBrowser::HitTest(int x, int y) {
    WebFrame* frame = top_.get();
    const LayoutBox* box = frame->layout.HitTest(x + frame->scrollX, y + frame->scrollY);
    if (box && box->kind == LayoutBox::Kind::Frame && box->node && frame->child) {
        const int fx = x + frame->scrollX - box->x, fy = y + frame->scrollY - box->y;
        frame = frame->child.get();
        box = frame->layout.HitTest(fx + frame->scrollX, fy + frame->scrollY);
    }
    return {frame, box ? box->link : nullptr};
}

void WebBrowser::OnLButtonDown(LPARAM lParam) {
    SetFocus(hwnd());
    pressed_ = HitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void WebBrowser::OnLButtonUp(LPARAM lParam) {
    const Hit hit = HitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const Hit pressed = pressed_;
    pressed_ = {};
    if (!hit.frame) return;
    if (hit.link && hit.link == pressed.link) {
        Activate(*hit.frame, hit.link);
        return;
    }
    // A click on anything but a link leaves the body (or the frame) active.
    MakeActive(*hit.frame, nullptr);
    focus_ = {};
    InvalidateRect(hwnd(), nullptr, FALSE);
}

bool WebBrowser::OnSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd(), &pt);
    SetCursor(LoadCursorW(nullptr, HitTest(pt.x, pt.y).link ? IDC_HAND : IDC_ARROW));
    return true;
}

void WebBrowser::OnKeyDown(WPARAM key) {
    WebFrame& target = ScrollTarget();
    switch (key) {
        case VK_TAB: MoveFocus(GetKeyState(VK_SHIFT) < 0 ? -1 : 1); break;
        case VK_RETURN: if (focus_.frame && focus_.link) Activate(*focus_.frame, focus_.link); break;
        case VK_UP: ScrollFrame(target, 0, -kLineStep); break;
        case VK_DOWN: ScrollFrame(target, 0, kLineStep); break;
        case VK_PRIOR: ScrollFrame(target, 0, -std::max(kLineStep, target.viewHeight - kLineStep)); break;
        case VK_NEXT: ScrollFrame(target, 0, std::max(kLineStep, target.viewHeight - kLineStep)); break;
        case VK_HOME: ScrollFrame(target, 0, -target.scrollY); break;
        case VK_END: ScrollFrame(target, 0, target.layout.contentHeight); break;
    }
}

void WebBrowser::OnVScroll(WPARAM wParam) {
    WebFrame& target = ScrollTarget();
    const int page = std::max(kLineStep, target.viewHeight - kLineStep);
    switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollFrame(target, 0, -kLineStep); break;
        case SB_LINEDOWN: ScrollFrame(target, 0, kLineStep); break;
        case SB_PAGEUP: ScrollFrame(target, 0, -page); break;
        case SB_PAGEDOWN: ScrollFrame(target, 0, page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{sizeof si, SIF_TRACKPOS};
            GetScrollInfo(hwnd(), SB_VERT, &si);
            ScrollFrame(target, 0, si.nTrackPos - target.scrollY);
            break;
        }
    }
}

// Tab and Shift+Tab go through the links of the page and of its first frame.
void WebBrowser::MoveFocus(int step) {
    std::vector<Hit> links;
    for (WebFrame* f : {top_.get(), top_->child.get()})
        if (f)
            for (const HtmlNode* link : f->layout.Links()) links.push_back({f, link});
    if (links.empty()) return;
    int index = -1;
    for (size_t i = 0; i < links.size(); ++i)
        if (links[i].link == focus_.link) index = static_cast<int>(i);
    const int n = static_cast<int>(links.size());
    index = index < 0 ? (step > 0 ? 0 : n - 1) : ((index + step) % n + n) % n;
    focus_ = links[index];
    MakeActive(*focus_.frame, focus_.link);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

// The element becomes its document's active element; a frame's element
// becomes the page's, as the frame holds the focus.
void WebBrowser::MakeActive(WebFrame& frame, const HtmlNode* element) {
    frame.document->SetActive(element);
    if (!frame.IsTop()) top_->document->SetActive(top_->document->FirstFrame());
}

void WebBrowser::Activate(WebFrame& frame, const HtmlNode* link) {
    HtmlDocument& doc = *frame.document;
    MakeActive(frame, link);
    focus_ = {&frame, link};
    InvalidateRect(hwnd(), nullptr, FALSE);

    const std::wstring href = link->AttributeOr(L"href");
    const std::wstring* targetAttr = link->Attribute(L"target");
    const std::wstring target = AsciiLower(targetAttr ? *targetAttr : doc.BaseTarget());
    WebFrame* dest = nullptr;
    if (target.empty() || target == L"_self") dest = &frame;
    else if (target == L"_top" || target == L"_parent") dest = top_.get();
    else if (top_->child) {
        const HtmlNode* element = top_->document->FirstFrame();
        const std::wstring name = element ? AsciiLower(element->AttributeOr(L"name")) : L"";
        if (!name.empty() && name == target) dest = top_->child.get();
    }
    if (IsJavascriptUrl(href)) {
        bool cancel = false;
        if (!dest) Raise(NewWindow2, cancel);  // nothing else happens either way: scripts never run
        return;
    }
    const std::wstring url = ResolveUrl(doc.BaseUrl(), href);
    if (dest) {
        const bool sameDocument = WithoutFragment(url) == WithoutFragment(dest->document->Url());
        if (!(sameDocument && url.find(L'#') != std::wstring::npos)) LoadFrame(*dest, url, doc.Url());
        return;
    }
    bool cancel = false;
    if (!Raise(NewWindow2, cancel)) return;
    if (!cancel) BrowserPopup::Open(url, doc.Url());
}

// --- Properties ------------------------------------------------------------------

bool WebBrowser::Visible() const { return hwnd() && (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE); }

void WebBrowser::Visible(bool value) {
    if (hwnd()) ShowWindow(hwnd(), value ? SW_SHOWNA : SW_HIDE);
}

void WebBrowser::Move(int x, int y, int cx, int cy) {
    if (hwnd()) MoveWindow(hwnd(), x, y, cx, cy, TRUE);
}

// --- Window procedure ---------------------------------------------------------------

// A view whose window is made again starts afresh, like a new control: no
// document, title or pictures of its earlier window, and no loads of it.
void WebBrowser::OnDestroyed() {
    if (mailbox_) mailbox_->Detach();
    mailbox_.reset();
    if (!*alive_) return;
    top_->Show(std::make_shared<HtmlDocument>(L"about:blank", L""));
    top_->fetchTicket = 0;
    images_.clear();
    pictureBytes_ = 0;
    imageQueue_.clear();
    imageTickets_.clear();
    focus_ = pressed_ = {};
    lastTitle_.clear();
    scrollBarShown_ = false;
    relayoutPending_ = false;
}

LRESULT WebBrowser::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: Relayout(); return 0;
        case WM_LBUTTONDOWN: OnLButtonDown(lParam); return 0;
        case WM_LBUTTONUP: OnLButtonUp(lParam); return 0;
        case WM_SETCURSOR: return OnSetCursor(lParam) ? TRUE : Default(msg, wParam, lParam);
        case WM_MOUSEWHEEL: ScrollFrame(ScrollTarget(), 0, -GET_WHEEL_DELTA_WPARAM(wParam) * 3 * kLineStep / WHEEL_DELTA); return 0;
        case WM_VSCROLL: OnVScroll(wParam); return 0;
        case WM_KEYDOWN: OnKeyDown(wParam); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(hwnd(), nullptr, FALSE); return 0;
        case kMsgFetched: OnFetched(); return 0;
        case kMsgBlankDone: OnBlankDone(static_cast<uint32_t>(wParam)); return 0;
        case kMsgTitle: RaiseTitle(); return 0;
        case WM_TIMER: OnTimer(wParam); return 0;
    }
    return Default(msg, wParam, lParam);
}
