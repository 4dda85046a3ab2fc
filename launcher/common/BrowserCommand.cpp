#include "BrowserCommand.h"

#include <cstdint>
#include <string_view>

#include "UtfToGb.h"

namespace {

bool IsHostChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.';
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? static_cast<wchar_t>(text[i] - L'A' + L'a') : text[i];
        if (c != prefix[i]) return false;
    }
    return true;
}

bool IsHttpUrl(std::wstring_view url) {
    if (StartsWithNoCase(url, L"http://")) url.remove_prefix(7);
    else if (StartsWithNoCase(url, L"https://")) url.remove_prefix(8);
    else return false;
    while (!url.empty() && (url.front() == L'/' || url.front() == L'\\')) url.remove_prefix(1);
    const std::wstring_view authority = url.substr(0, url.find_first_of(L"/\\?#"));
    const size_t colon = authority.find(L':');
    const std::wstring_view host = authority.substr(0, colon);
    if (host.empty()) return false;
    for (wchar_t c : host)
        if (!IsHostChar(c)) return false;
    if (colon == std::wstring_view::npos) return true;
    const std::wstring_view port = authority.substr(colon + 1);
    if (port.empty() || port.size() > 5) return false;
    uint32_t value = 0;
    for (wchar_t c : port) {
        if (!IsDigit(c)) return false;
        value = value * 10 + static_cast<uint32_t>(c - L'0');
    }
    return value > 0 && value <= 65535;
}

// What Explorer would split its arguments at or take for a quote, every
// control character and everything outside ASCII go percent-encoded.
bool KeptForExplorer(char32_t c) { return c > 0x20 && c < 0x7F && c != U'"' && c != U','; }

}  // namespace

std::optional<std::wstring> ExplorerCommandLine(const std::wstring& address) {
    if (!IsHttpUrl(address)) return std::nullopt;
    return L"Explorer.exe /s , " + PercentEncodeUtf8(address, KeptForExplorer);
}

std::wstring InternetExplorerCommandLine(const std::wstring& address) {
    std::wstring argument;
    for (wchar_t c : address) {
        if (c == L'"') argument += L"%22";
        else argument += c;
    }
    // Backslashes right before a quote are halved when the line is split.
    const size_t trailing = argument.size() - (argument.find_last_not_of(L'\\') + 1);
    argument.append(trailing, L'\\');
    return L"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" \"" + argument + L"\"";
}
