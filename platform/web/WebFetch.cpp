#include "WebFetch.h"

#include <wininet.h>

#include <algorithm>
#include <new>
#include <system_error>
#include <thread>

#include "WebUrl.h"

namespace {

constexpr DWORD kConnectTimeoutMs = 10000;
constexpr DWORD kReceiveTimeoutMs = 15000;
constexpr int kMaxRedirects = 20;  // as browsers: a page that sends the view round in circles ends

struct InternetHandle {
    HINTERNET h = nullptr;
    explicit InternetHandle(HINTERNET handle) : h(handle) {}
    ~InternetHandle() {
        if (h) InternetCloseHandle(h);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
};

// One session for the whole process, opened on first use and kept until exit.
HINTERNET Session() {
    static HINTERNET session = [] {
        HINTERNET s = InternetOpenW(L"Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1)",
                                    INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        if (s) {
            DWORD connect = kConnectTimeoutMs, receive = kReceiveTimeoutMs;
            InternetSetOptionW(s, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
            InternetSetOptionW(s, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
            InternetSetOptionW(s, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof receive);
        }
        return s;
    }();
    return session;
}

std::wstring ErrorText(DWORD code) {
    switch (code) {
        case ERROR_INTERNET_NAME_NOT_RESOLVED: return L"The server name could not be resolved.";
        case ERROR_INTERNET_CANNOT_CONNECT: return L"The connection to the server failed.";
        case ERROR_INTERNET_TIMEOUT: return L"The server did not answer in time.";
        case ERROR_INTERNET_CONNECTION_RESET:
        case ERROR_INTERNET_CONNECTION_ABORTED: return L"The connection was closed.";
        default: return L"The page could not be fetched (error " + std::to_wstring(code) + L").";
    }
}

std::wstring QueryString(HINTERNET h, DWORD info) {
    std::wstring text(256, L'\0');
    DWORD len = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (!HttpQueryInfoW(h, info, text.data(), &len, nullptr)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        text.resize(len / sizeof(wchar_t) + 1);
        if (!HttpQueryInfoW(h, info, text.data(), &len, nullptr)) return {};
    }
    text.resize(len / sizeof(wchar_t));
    return text;
}

bool IsRedirect(DWORD status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

// The time a fetch has, from its first request to the last byte kept.
class FetchClock {
public:
    explicit FetchClock(DWORD limitMs) : start_(GetTickCount()), limit_(limitMs) {}
    bool Expired() const { return GetTickCount() - start_ >= limit_; }

private:
    DWORD start_, limit_;
};

// Each read takes only what has arrived (a full buffer may never come), so
// a server that trickles bytes holds the fetch no longer than its clock; one
// that falls silent, at most one receive time-out longer.
void ReadReply(HINTERNET request, DWORD status, FetchResult& r, size_t cap, const FetchClock& clock) {
    r.status = static_cast<int>(status);
    r.contentType = QueryString(request, HTTP_QUERY_CONTENT_TYPE);
    wchar_t finalUrl[INTERNET_MAX_URL_LENGTH];
    DWORD urlLen = sizeof finalUrl;
    if (InternetQueryOptionW(request, INTERNET_OPTION_URL, finalUrl, &urlLen)) r.url = finalUrl;
    char buf[16384];
    while (r.body.size() < cap && !clock.Expired()) {
        DWORD available = 0, got = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0) ||
            (available && !InternetReadFile(request, buf, std::min<DWORD>(available, sizeof buf), &got))) {
            if (r.body.empty()) {
                r.error = ErrorText(GetLastError());
                return;
            }
            break;  // what arrived before the failure is shown
        }
        if (got == 0) break;
        r.body.append(buf, std::min<size_t>(got, cap - r.body.size()));
    }
    r.replied = true;
}

}  // namespace

// Redirects are followed here rather than by WinINet, which follows a page
// that redirects to itself for ever. Every request asks the server to close
// its connection after the reply: WinINet hands a kept connection to the
// next request for the same server even when the last server wrote more on
// it than was asked for, and that request would read those bytes as its reply.
void FetchHttp(FetchResult& r, const HttpFetch& how) {
    HINTERNET session = Session();
    if (!session) {
        r.error = ErrorText(GetLastError());
        return;
    }
    const FetchClock clock(how.wholeFetchMs);
    const DWORD flags = INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT |
                        (how.noCache ? INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE : INTERNET_FLAG_RESYNCHRONIZE);
    std::wstring url = r.requestUrl;
    for (int redirects = 0;; ++redirects) {
        InternetHandle request(InternetOpenUrlW(session, url.c_str(), L"Connection: close\r\n", static_cast<DWORD>(-1), flags, 0));
        if (!request.h) {
            r.error = ErrorText(GetLastError());
            return;
        }
        DWORD status = 0, len = sizeof status;
        HttpQueryInfoW(request.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &len, nullptr);
        const std::wstring location = IsRedirect(status) ? QueryString(request.h, HTTP_QUERY_LOCATION) : L"";
        if (location.empty()) return ReadReply(request.h, status, r, how.cap, clock);
        url = ResolveUrl(url, location);
        const std::wstring scheme = UrlScheme(url);
        if (scheme != L"http" && scheme != L"https") {
            r.error = L"The page redirects to an address that may not be opened here.";
            return;
        }
        if (redirects == kMaxRedirects) {
            r.error = L"The page redirects too many times.";
            return;
        }
        if (clock.Expired()) {
            r.error = ErrorText(ERROR_INTERNET_TIMEOUT);
            return;
        }
    }
}

namespace {

void FetchFile(FetchResult& r, size_t cap) {
    const std::wstring path = FileUrlToPath(r.requestUrl);
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        r.error = L"The file could not be opened.";
        return;
    }
    char buf[65536];
    DWORD got = 0;
    while (r.body.size() < cap && ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0)
        r.body.append(buf, std::min<size_t>(got, cap - r.body.size()));
    CloseHandle(f);
    r.replied = true;
    r.status = 200;
}

// The system's picture loader needs COM on the thread that decodes.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

void RunFetch(const std::shared_ptr<FetchMailbox>& mailbox, uint32_t ticket, const std::wstring& url, FetchKind kind,
              bool noCache) {
    try {
        auto r = std::make_unique<FetchResult>();
        r->ticket = ticket;
        r->requestUrl = r->url = url;
        HttpFetch how;
        how.cap = kind == FetchKind::Image ? kMaxImageBytes : kMaxDocumentBytes;
        how.noCache = noCache;
        const std::wstring scheme = UrlScheme(r->requestUrl);
        if (scheme == L"http" || scheme == L"https") FetchHttp(*r, how);
        else if (scheme == L"file") FetchFile(*r, how.cap);
        else r->error = L"The address is not supported.";
        if (kind == FetchKind::Image && r->replied && r->status < 400) {
            const ComApartment com;
            r->image = DecodeImage(r->body);
            r->body.clear();
        }
        mailbox->Deliver(std::move(r));
    } catch (const std::bad_alloc&) {
        // A body or picture too large for the memory left (a 32-bit process
        // runs out long before a 64-bit one): it is not shown, and the
        // program goes on.
        try {
            DeliverFailure(*mailbox, ticket, url, L"Not enough memory.");
        } catch (const std::bad_alloc&) {
            // Not even that: the load stays unanswered, the program goes on.
        }
    }
}

}  // namespace

void FetchMailbox::Detach() {
    std::lock_guard<std::mutex> lock(mu_);
    target_ = nullptr;
}

void FetchMailbox::Deliver(std::unique_ptr<FetchResult> result) {
    std::lock_guard<std::mutex> lock(mu_);
    if (!target_) return;
    results_.push_back(std::move(result));
    PostMessageW(target_, message_, 0, 0);
}

std::deque<std::unique_ptr<FetchResult>> FetchMailbox::TakeAll() {
    std::deque<std::unique_ptr<FetchResult>> taken;
    std::lock_guard<std::mutex> lock(mu_);
    taken.swap(results_);
    return taken;
}

void StartFetch(std::shared_ptr<FetchMailbox> mailbox, uint32_t ticket, std::wstring url, FetchKind kind, bool noCache) {
    try {
        std::thread(RunFetch, mailbox, ticket, url, kind, noCache).detach();
    } catch (const std::system_error&) {
        // No thread to be had: answered at once as a failed fetch.
        DeliverFailure(*mailbox, ticket, url, L"The page could not be fetched.");
    }
}

void DeliverFailure(FetchMailbox& mailbox, uint32_t ticket, const std::wstring& url, std::wstring error) {
    auto r = std::make_unique<FetchResult>();
    r->ticket = ticket;
    r->requestUrl = r->url = url;
    r->error = std::move(error);
    mailbox.Deliver(std::move(r));
}
