#include "MainGameSearch.h"

#include <cstdint>

namespace {

void AppendByte(std::wstring& out, uint32_t byte) {
    static constexpr wchar_t hex[] = L"0123456789ABCDEF";
    out += L'%';
    out += hex[(byte >> 4) & 0xF];
    out += hex[byte & 0xF];
}

bool IsUnreserved(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'-' ||
           c == L'_' || c == L'.' || c == L'~';
}

}  // namespace

std::wstring SearchWordsForAddress(std::wstring_view words) {
    std::wstring out;
    for (size_t i = 0; i < words.size(); ++i) {
        const wchar_t c = words[i];
        if (IsUnreserved(c)) {
            out += c;
            continue;
        }
        uint32_t code = c;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < words.size() && words[i + 1] >= 0xDC00 && words[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((c - 0xD800u) << 10) + (words[i + 1] - 0xDC00u);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            code = 0xFFFD;  // half of a pair stands for nothing
        }
        if (code < 0x80) {
            AppendByte(out, code);
        } else if (code < 0x800) {
            AppendByte(out, 0xC0 | (code >> 6));
            AppendByte(out, 0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            AppendByte(out, 0xE0 | (code >> 12));
            AppendByte(out, 0x80 | ((code >> 6) & 0x3F));
            AppendByte(out, 0x80 | (code & 0x3F));
        } else {
            AppendByte(out, 0xF0 | (code >> 18));
            AppendByte(out, 0x80 | ((code >> 12) & 0x3F));
            AppendByte(out, 0x80 | ((code >> 6) & 0x3F));
            AppendByte(out, 0x80 | (code & 0x3F));
        }
    }
    return out;
}
