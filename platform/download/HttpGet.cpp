#include "HttpGet.h"

#include <windows.h>
#include <wininet.h>

#include <memory>

namespace {

struct InternetCloser {
    void operator()(HINTERNET h) const { InternetCloseHandle(h); }
};
using InternetHandle = std::unique_ptr<void, InternetCloser>;

constexpr DWORD kConnectTimeoutMs = 15000;
constexpr DWORD kReceiveTimeoutMs = 30000;
constexpr DWORD kReadSize = 16 * 1024;

bool IsRedirectFailure(DWORD error) {
    switch (error) {
        case ERROR_HTTP_REDIRECT_FAILED:
        case ERROR_HTTP_REDIRECT_NEEDS_CONFIRMATION:
        case ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR:
        case ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR:
        case ERROR_INTERNET_REDIRECT_SCHEME_CHANGE:
            return true;
        default:
            return false;
    }
}

uint64_t ContentLength(HINTERNET request) {
    wchar_t text[32];
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return 0;
    return _wcstoui64(text, nullptr, 10);
}

}  // namespace

HttpGetResult HttpGet(const std::wstring& url, const HttpGetReceiver& receiver) {
    HttpGetResult result;
    InternetHandle session(InternetOpenW(L"Orvane", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return result;
    DWORD connectTimeout = kConnectTimeoutMs, receiveTimeout = kReceiveTimeoutMs;
    InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout, sizeof connectTimeout);
    InternetSetOptionW(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveTimeout, sizeof receiveTimeout);

    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI;
    // The fragment belongs to the client; WinINet would send it on to the server.
    const std::wstring resource = url.substr(0, url.find(L'#'));
    // WinINet keeps connections in one pool per process: a connection kept
    // after this download would carry whatever the server writes later to
    // the next request to that server, download or page.
    InternetHandle request(InternetOpenUrlW(session.get(), resource.c_str(), L"Connection: close\r\n",
                                            static_cast<DWORD>(-1), flags, 0));
    if (!request) {
        if (IsRedirectFailure(GetLastError())) result.kind = HttpGetResult::Redirect;
        return result;
    }
    DWORD status = 0, size = sizeof status;
    // Fails for anything but HTTP(S), which this fetch does not serve.
    if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return result;
    result.status = status;
    if (status >= 300 && status < 400) {
        result.kind = HttpGetResult::Redirect;
        return result;
    }
    if (status < 200 || status >= 300) {
        result.kind = HttpGetResult::ErrorStatus;
        return result;
    }
    result.announced = ContentLength(request.get());
    result.kind = HttpGetResult::Stopped;
    if (!receiver.begin(result.announced)) return result;

    std::unique_ptr<char[]> buffer(new char[kReadSize]);
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), buffer.get(), kReadSize, &read)) {
            result.kind = HttpGetResult::NetworkFailure;
            return result;
        }
        if (read == 0) break;
        result.received += read;
        if (!receiver.data(buffer.get(), read)) return result;
    }
    result.kind = HttpGetResult::Done;
    return result;
}
