#include "HtmlEntities.h"

#include <cwctype>

namespace {

struct NamedEntity {
    const wchar_t* name;
    wchar_t value;
};

const NamedEntity kNamed[] = {
    {L"amp", L'&'},      {L"lt", L'<'},         {L"gt", L'>'},         {L"quot", L'"'},
    {L"apos", L'\''},    {L"nbsp", 0x00A0},     {L"copy", 0x00A9},     {L"reg", 0x00AE},
    {L"middot", 0x00B7}, {L"times", 0x00D7},    {L"yen", 0x00A5},      {L"laquo", 0x00AB},
    {L"raquo", 0x00BB},  {L"ndash", 0x2013},    {L"mdash", 0x2014},    {L"lsquo", 0x2018},
    {L"rsquo", 0x2019},  {L"ldquo", 0x201C},    {L"rdquo", 0x201D},    {L"bull", 0x2022},
    {L"hellip", 0x2026}, {L"trade", 0x2122},    {L"ensp", 0x2002},     {L"emsp", 0x2003},
};

void AppendCodePoint(std::wstring& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x10000) {
        out += static_cast<wchar_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (cp >> 10));
        out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Length of the reference starting at text[0] == '&' and its value, or 0.
size_t ParseReference(std::wstring_view text, std::wstring& out) {
    if (text.size() < 3) return 0;
    if (text[1] == L'#') {
        const bool hex = text.size() > 2 && (text[2] == L'x' || text[2] == L'X');
        size_t i = hex ? 3 : 2;
        unsigned long cp = 0;
        size_t digits = 0;
        for (; i < text.size() && digits < 8; ++i, ++digits) {
            const wchar_t c = text[i];
            int d;
            if (c >= L'0' && c <= L'9') d = c - L'0';
            else if (hex && c >= L'a' && c <= L'f') d = c - L'a' + 10;
            else if (hex && c >= L'A' && c <= L'F') d = c - L'A' + 10;
            else break;
            cp = cp * (hex ? 16 : 10) + d;
        }
        if (digits == 0) return 0;
        if (i < text.size() && text[i] == L';') ++i;
        AppendCodePoint(out, cp);
        return i;
    }
    size_t end = 1;
    while (end < text.size() && end < 10 && std::iswalnum(text[end])) ++end;
    const std::wstring_view name = text.substr(1, end - 1);
    for (const auto& e : kNamed) {
        if (name == e.name) {
            out += e.value;
            return end < text.size() && text[end] == L';' ? end + 1 : end;
        }
    }
    return 0;
}

}  // namespace

std::wstring DecodeHtmlEntities(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == L'&') {
            const size_t n = ParseReference(text.substr(i), out);
            if (n) {
                i += n;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}
