// Fetching for the browser view off the user-interface thread: http(s)
// through WinINet (the process's cookies and URL cache) with time-outs and a
// size cap, file: URLs from disk. Each fetch runs on a worker thread and
// leaves its result in a mailbox, then posts a message to the view's window;
// the view takes the results on its own thread. A view that goes away
// detaches the mailbox, and late results are simply dropped.
#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "WebImage.h"

struct FetchResult {
    uint32_t ticket = 0;       // the request this answers
    std::wstring requestUrl;
    std::wstring url;          // final address after redirects
    bool replied = false;      // false: no reply at all (see error)
    int status = 0;            // HTTP status; 200 for a file that was read
    std::wstring contentType;  // empty for files
    std::string body;
    std::wstring error;
    std::unique_ptr<DecodedImage> image;  // image requests: the decoded picture
};

class FetchMailbox {
public:
    FetchMailbox(HWND target, UINT message) : target_(target), message_(message) {}
    void Detach();
    void Deliver(std::unique_ptr<FetchResult> result);
    std::deque<std::unique_ptr<FetchResult>> TakeAll();

private:
    std::mutex mu_;
    HWND target_;
    UINT message_;
    std::deque<std::unique_ptr<FetchResult>> results_;
};

enum class FetchKind { Document, Image };

// Starts the fetch on its own thread; the result arrives through the mailbox.
// A fetch that runs out of memory is answered as failed. With `noCache`
// the URL cache is neither read nor written (see HttpFetch).
void StartFetch(std::shared_ptr<FetchMailbox> mailbox, uint32_t ticket, std::wstring url, FetchKind kind, bool noCache);

// Answers a request without fetching: no reply, for the reason given.
void DeliverFailure(FetchMailbox& mailbox, uint32_t ticket, const std::wstring& url, std::wstring error);

// Largest body kept (the rest of a longer one is dropped).
constexpr size_t kMaxDocumentBytes = 2u << 20;
constexpr size_t kMaxImageBytes = 8u << 20;

struct HttpFetch {
    size_t cap = kMaxDocumentBytes;
    // Fetched afresh and never written to the URL cache: for addresses that
    // carry a password, which the cache index would keep on disk.
    bool noCache = false;
    // From the first request to the last byte: what arrived by then is the
    // reply, however slowly the server still sends.
    DWORD wholeFetchMs = 60000;
};

// Fetches r.requestUrl over http(s) on the calling thread, following up to
// 20 redirects; a fetch that redirects more, or to anything but http(s),
// gets no reply.
void FetchHttp(FetchResult& r, const HttpFetch& how);
