// The browser view: a child window that loads a page (over WinINet, from a
// local file, or about:blank), shows its text, links and pictures, and
// offers the document object and events of the browser control the pages
// were written for. Loading never blocks the window's thread: fetches run on
// worker threads and every event is raised on the window's own thread.
// No script ever runs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "HtmlDocument.h"
#include "Window.h"

struct DecodedImage;
class FetchMailbox;
struct FetchResult;
class GdiTextMeasurer;
class WebBitmap;
class WebFonts;
class WebFrame;

class WebBrowser : public Window {
public:
    struct Placement {
        HWND parent = nullptr;
        int x = 0, y = 0, cx = 0, cy = 0;  // pixels, in the parent's client area
        bool visible = true;
    };

    WebBrowser();
    ~WebBrowser() override;

    bool Create(const Placement& placement);

    // Starts loading the address; the old page stays until the new one
    // arrives. Before the window is made, the load waits for it. A local
    // file is loaded only from the program's folder (ReadableFolder); an
    // address the view may not load shows its not-found page.
    void Navigate(const std::wstring& url);
    // Loads the address as a link of the document at `linkedFrom` does: a
    // page from the network reaches no local file.
    void Navigate(const std::wstring& url, const std::wstring& linkedFrom);
    void Stop();     // drops the loads in progress
    void Refresh();  // loads the current address again
    // The document shown (an empty page before the first navigation).
    std::shared_ptr<HtmlDocument> Document();
    std::wstring LocationURL() const;

    // Kept for the pages that set it; the view never shows dialogs anyway.
    bool Silent() const { return silent_; }
    void Silent(bool value) { silent_ = value; }
    // True: the view's loads are fetched afresh and never written to the
    // URL cache, for views whose addresses carry a password.
    bool NoCache() const { return noCache_; }
    void NoCache(bool value) { noCache_ = value; }
    bool Visible() const;
    void Visible(bool value);
    void Move(int x, int y, int cx, int cy);
    // How many times the view has laid out its page, for measuring.
    size_t LayoutCount() const { return layouts_; }

    // After a document (and its first frame) has loaded; also for the first
    // frame's own loads, with the frame's address.
    std::function<void(const std::wstring& url)> DocumentComplete;
    // A link asks for a window other than its own frame; Cancel = true stops it.
    std::function<void(bool& Cancel)> NewWindow2;
    std::function<void(const std::wstring& title)> TitleChange;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    friend class WebFrame;
    struct Hit {
        WebFrame* frame = nullptr;
        const HtmlNode* link = nullptr;
    };
    struct ImageEntry {
        bool done = false;
        std::unique_ptr<WebBitmap> bitmap;
        uint64_t lastUse = 0;  // of useClock_, when last laid out or drawn
    };

    // Navigation and loading.
    // `from` is the address of the document asking, empty for the program.
    void LoadFrame(WebFrame& frame, const std::wstring& url, const std::wstring& from);
    void ShowBlank(WebFrame& frame, const std::wstring& url);
    void OnFetched();
    void OnDocumentFetched(WebFrame& frame, FetchResult& result);
    void OnImageFetched(FetchResult& result);
    void KeepPicture(ImageEntry& entry, const DecodedImage& image);
    void OnBlankDone(uint32_t ticket);
    bool StartChildFrame(WebFrame& frame);
    void FinishLoad(WebFrame& frame);
    void DocumentShown(WebFrame& frame);
    bool RaiseTitle();  // false when the handler destroyed this view
    WebFrame* FrameAwaiting(uint32_t ticket, bool fetch);

    // Pictures.
    void RequestImages(const WebFrame& frame);
    void DropPicturesInFlight();
    void PumpImageQueue();
    // Forgets a picture (a later showing fetches it again); the next entry.
    std::map<std::wstring, ImageEntry>::iterator ForgetImage(std::map<std::wstring, ImageEntry>::iterator it);
    bool MayShowPicture(const WebFrame& frame, const std::wstring& url) const;
    const WebBitmap* ImageFor(const WebFrame& frame, const HtmlNode& img);

    // Layout, scrolling, painting.
    void Relayout();
    void RelayoutSoon();
    void OnTimer(WPARAM id);
    void LayOutFrame(WebFrame& frame, int width, int height);
    WebFrame& ScrollTarget();
    void ScrollFrame(WebFrame& frame, int dx, int dy);
    void UpdateScrollBar();
    void OnPaint();
    void Paint(HDC dc);

    // Input.
    Hit HitTest(int x, int y);
    void OnLButtonDown(LPARAM lParam);
    void OnLButtonUp(LPARAM lParam);
    bool OnSetCursor(LPARAM lParam);
    void OnKeyDown(WPARAM key);
    void OnVScroll(WPARAM wParam);
    void MoveFocus(int step);
    void MakeActive(WebFrame& frame, const HtmlNode* element);
    void Activate(WebFrame& frame, const HtmlNode* link);

    // Raises an event; false when the handler destroyed this view.
    template <class Handler, class... Args>
    bool Raise(const Handler& handler, Args&&... args);

    std::unique_ptr<WebFonts> fonts_;
    std::unique_ptr<GdiTextMeasurer> measurer_;
    std::shared_ptr<FetchMailbox> mailbox_;
    std::unique_ptr<WebFrame> top_;
    std::shared_ptr<bool> alive_;
    uint32_t nextTicket_ = 0;
    std::map<std::wstring, ImageEntry> images_;  // by absolute address
    size_t pictureBytes_ = 0;                     // of the bitmaps in images_
    uint64_t useClock_ = 0;
    size_t layouts_ = 0;
    std::deque<std::wstring> imageQueue_;
    std::map<uint32_t, std::wstring> imageTickets_;
    Hit focus_, pressed_;
    std::wstring lastTitle_;
    std::wstring pendingUrl_, pendingFrom_;  // navigated to before the window was made, and by whom
    bool silent_ = false;
    bool noCache_ = false;
    bool inLayout_ = false;
    bool relayoutPending_ = false;  // pictures arrived that no layout has shown yet
    bool scrollBarShown_ = false;
    std::optional<std::tuple<int, UINT, int>> shownScroll_;  // the bar's maximum, page and position as last set
};
