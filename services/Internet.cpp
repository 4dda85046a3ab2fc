// WinHTTP fetch with counted redirects, and the configuration list filled from a JSON object.
#include "Internet.h"

#include <windows.h>
#include <shlwapi.h>
#include <winhttp.h>

#include <optional>

#include "AnsiText.h"
#include "ConfigPairs.h"
#include "RequestTimeouts.h"

namespace drumlin {

namespace {

class InetHandle {
public:
    explicit InetHandle(HINTERNET h) : h_(h) {}
    ~InetHandle() {
        if (h_) WinHttpCloseHandle(h_);
    }
    InetHandle(const InetHandle&) = delete;
    InetHandle& operator=(const InetHandle&) = delete;
    operator HINTERNET() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HINTERNET h_;
};

struct HopResult {
    enum Kind { Failed, Body, Redirect } kind = Failed;
    std::string body;
    std::wstring location;
};

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<std::wstring> QueryHeader(HINTERNET request, DWORD query) {
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &bytes, WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &bytes,
                             WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    value.resize(bytes / sizeof(wchar_t));
    return value;
}

// One request of a redirect chain; the client itself never follows a
// redirect, so that the chain's length is counted here. A body past
// kMaxBodyBytes, or still arriving at the deadline, fails the request.
HopResult Hop(HINTERNET session, const std::wstring& url, ULONGLONG deadline) {
    HopResult result;
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return result;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return result;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                        std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty() || path[0] != L'/') path.insert(0, L"/");

    InetHandle connection(WinHttpConnect(session, host.c_str(), parts.nPort, 0));
    if (!connection) return result;
    InetHandle request(WinHttpOpenRequest(connection, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                          WINHTTP_DEFAULT_ACCEPT_TYPES,
                                          parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!request) return result;
    DWORD feature = WINHTTP_DISABLE_REDIRECTS;
    if (!WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &feature, sizeof feature)) return result;
    if (!BoundRequest(request, deadline)) return result;
    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request, nullptr))
        return result;

    DWORD status = 0, size = sizeof status;
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return result;
    if (IsRedirect(status)) {
        const auto location = QueryHeader(request, WINHTTP_QUERY_LOCATION);
        if (!location || location->empty()) return result;
        result.kind = HopResult::Redirect;
        result.location = *location;
        return result;
    }
    if (status < 200 || status > 299) return result;

    std::string body;
    for (;;) {
        DWORD available = 0;
        if (!SetTimeout(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, kReadTimeoutMs, deadline) ||
            !WinHttpQueryDataAvailable(request, &available))
            return result;
        if (available == 0) break;
        if (available > kMaxBodyBytes - body.size()) return result;
        const size_t at = body.size();
        body.resize(at + available);
        DWORD read = 0;
        if (!WinHttpReadData(request, body.data() + at, available, &read)) return result;
        body.resize(at + read);
        if (read == 0) break;
    }
    result.kind = HopResult::Body;
    result.body = std::move(body);
    return result;
}

std::optional<std::wstring> Resolve(const std::wstring& base, const std::wstring& location) {
    std::wstring out(2048, L'\0');
    DWORD length = static_cast<DWORD>(out.size());
    HRESULT hr = UrlCombineW(base.c_str(), location.c_str(), out.data(), &length, 0);
    if (hr == E_POINTER) {  // length now counts the terminating NUL
        out.assign(length, L'\0');
        hr = UrlCombineW(base.c_str(), location.c_str(), out.data(), &length, 0);
    }
    if (hr != S_OK) return std::nullopt;
    out.resize(length);
    return out;
}

// The raw body of a GET that follows at most kMaxRedirects redirects.
std::optional<std::string> HttpGet(const std::wstring& startUrl) {
    InetHandle session(WinHttpOpen(AnsiToWide(kUserAgent).c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY,
                                   WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return std::nullopt;
    if (!WinHttpSetTimeouts(session, static_cast<int>(kResolveTimeoutMs), static_cast<int>(kConnectTimeoutMs),
                            static_cast<int>(kSendTimeoutMs), static_cast<int>(kReadTimeoutMs)))
        return std::nullopt;
    const ULONGLONG deadline = GetTickCount64() + kFetchDeadlineMs;
    std::wstring url = startUrl;
    for (int redirects = 0;; ++redirects) {
        HopResult hop = Hop(session, url, deadline);
        if (hop.kind == HopResult::Body) return std::move(hop.body);
        if (hop.kind != HopResult::Redirect || redirects == kMaxRedirects) return std::nullopt;
        const auto next = Resolve(url, hop.location);
        if (!next) return std::nullopt;
        url = *next;
    }
}

}  // namespace

std::string HttpGetText(const std::string& url) {
    try {
        if (url.empty()) return std::string();
        const auto body = HttpGet(AnsiToWide(url));
        if (!body) return std::string();
        static const std::string kBom = "\xEF\xBB\xBF";
        const bool bom = body->compare(0, kBom.size(), kBom) == 0;
        return Utf8ToAnsi(bom ? body->substr(kBom.size()) : *body).value_or(std::string());
    } catch (...) {
        return std::string();
    }
}

void AppendPairs(const std::string& ansiJson, std::vector<TCPAs>& pairs) {
    for (const auto& [key, value] : ConfigMembers(AnsiToUtf8(ansiJson)))
        pairs.push_back({Utf8ToAnsi(key).value_or(std::string()), Utf8ToAnsi(value).value_or(std::string())});
}

int32_t Tinternet::LoadPairs(const std::string& url) {
    if (FPairs.empty()) {
        try {
            FText = GetText(url);
            AppendPairs(FText, FPairs);
        } catch (...) {
            // The entries appended before the failure stay.
        }
    }
    return static_cast<int32_t>(FPairs.size()) - 1;
}

std::string Tinternet::GetPair(int32_t index, bool isKey) const {
    if (index < 0 || static_cast<size_t>(index) >= FPairs.size()) return std::string();
    return isKey ? FPairs[index].Key : FPairs[index].Value;
}

}  // namespace drumlin
