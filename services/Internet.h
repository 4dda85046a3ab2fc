// The remote configuration list: one HTTP GET per fetch, a JSON object read
// into key/value entries kept in document order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace drumlin {

// Read time-out of every HTTP request, in milliseconds (ReadTimeout.cpp).
extern const uint32_t kReadTimeoutMs;
// Time-outs of a request's name lookup, connection and sending.
inline constexpr uint32_t kResolveTimeoutMs = 60000;
inline constexpr uint32_t kConnectTimeoutMs = 60000;
inline constexpr uint32_t kSendTimeoutMs = 30000;
// The whole fetch, redirects included, ends by this many milliseconds, so a
// server that trickles its bytes cannot hold a call for ever.
extern const uint32_t kFetchDeadlineMs;
// A body larger than this is refused (the fetch gives empty text).
inline constexpr size_t kMaxBodyBytes = 8u << 20;
inline constexpr int kMaxRedirects = 15;
inline constexpr char kUserAgent[] = "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; Taskel/6.0)";

// GET of an ANSI URL with a fresh client; the body decoded from UTF-8 into
// ANSI text. Empty text on any failure.
std::string HttpGetText(const std::string& url);

// One configuration entry.
struct TCPAs {
    std::string Key;
    std::string Value;
};

// The configuration object (Tinternet).
class Tinternet {
public:
    using Fetcher = std::function<std::string(const std::string& url)>;
    // The fetcher is the HTTP client; tests give a stand-in.
    explicit Tinternet(Fetcher fetch = HttpGetText) : fetch_(std::move(fetch)) {}

    std::string GetText(const std::string& url) const { return fetch_(url); }
    // Fills the list from the URL when it is empty; returns its last index.
    int32_t LoadPairs(const std::string& url);
    // Key or Value of entry Index; empty text when there is no such entry.
    std::string GetPair(int32_t index, bool isKey) const;

    const std::vector<TCPAs>& Pairs() const { return FPairs; }
    const std::string& Text() const { return FText; }

private:
    Fetcher fetch_;
    std::vector<TCPAs> FPairs;
    std::string FText;
};

// Appends one entry per member of the JSON object in the ANSI text, in
// document order; the value's text form is a string's own text, otherwise
// its compact JSON. Anything but an object appends nothing.
void AppendPairs(const std::string& ansiJson, std::vector<TCPAs>& pairs);

}  // namespace drumlin
