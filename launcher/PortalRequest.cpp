#include "PortalRequest.h"

#include <cstdint>

namespace {

bool Unreserved(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') || c == U'-' ||
           c == U'_' || c == U'.' || c == U'~';
}

void AppendByte(std::wstring& out, uint8_t b) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    out += L'%';
    out += kHex[b >> 4];
    out += kHex[b & 15];
}

void AppendUtf8(std::wstring& out, char32_t c) {
    if (c < 0x80) {
        AppendByte(out, static_cast<uint8_t>(c));
    } else if (c < 0x800) {
        AppendByte(out, static_cast<uint8_t>(0xC0 | (c >> 6)));
        AppendByte(out, static_cast<uint8_t>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        AppendByte(out, static_cast<uint8_t>(0xE0 | (c >> 12)));
        AppendByte(out, static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F)));
        AppendByte(out, static_cast<uint8_t>(0x80 | (c & 0x3F)));
    } else {
        AppendByte(out, static_cast<uint8_t>(0xF0 | (c >> 18)));
        AppendByte(out, static_cast<uint8_t>(0x80 | ((c >> 12) & 0x3F)));
        AppendByte(out, static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F)));
        AppendByte(out, static_cast<uint8_t>(0x80 | (c & 0x3F)));
    }
}

// The page path by channel: the 6082 channel's pages lie at the portal's root.
std::wstring ChannelPath(const std::wstring& siteCode, const wchar_t* page) {
    return (siteCode == L"6082" ? L"/" : L"/my/") + std::wstring(page) + L"?username=";
}

}  // namespace

std::wstring QueryValueEncode(const std::wstring& value) {
    std::wstring out;
    out.reserve(value.size() * 3);
    for (std::size_t i = 0; i < value.size(); ++i) {
        char32_t c = static_cast<char16_t>(value[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < value.size() && value[i + 1] >= 0xDC00 && value[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(value[++i]) - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (Unreserved(c))
            out += static_cast<wchar_t>(c);
        else
            AppendUtf8(out, c);
    }
    return out;
}

std::wstring LoginAddress(const std::wstring& userUrl, const std::wstring& siteCode, const std::wstring& userName,
                          const std::wstring& passWord, bool keepCookies) {
    return userUrl + ChannelPath(siteCode, L"login.php") + QueryValueEncode(userName) + L"&password=" +
           QueryValueEncode(passWord) + (keepCookies ? L"&cookiesstate=1" : L"&cookiesstate=0");
}

std::wstring RegisterAddress(const std::wstring& userUrl, const std::wstring& siteCode, const std::wstring& userName,
                             const std::wstring& passWord, const std::wstring& email) {
    return userUrl + ChannelPath(siteCode, L"register.php") + QueryValueEncode(userName) + L"&password=" +
           QueryValueEncode(passWord) + L"&email=" + QueryValueEncode(email);
}
