// Text conversions between the caller's ANSI code page, UTF-8 and UTF-16, and strict integers.
#include "AnsiText.h"

#include <windows.h>

namespace drumlin {

std::string FromCaller(const char* text) { return text ? std::string(text) : std::string(); }

namespace {

std::optional<std::wstring> ToWide(UINT codePage, DWORD flags, const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(), n) != n)
        return std::nullopt;
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}

}  // namespace

std::optional<std::string> Utf8ToAnsi(const std::string& utf8) {
    const auto wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (!wide) return std::nullopt;
    return FromWide(CP_ACP, *wide);
}

std::string AnsiToUtf8(const std::string& ansi) { return FromWide(CP_UTF8, AnsiToWide(ansi)); }

std::wstring AnsiToWide(const std::string& ansi) { return ToWide(CP_ACP, 0, ansi).value_or(std::wstring()); }

std::string TrimBlanks(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

std::optional<int32_t> ParseInt32(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace drumlin
