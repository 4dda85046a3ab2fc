#include "UtfToGb.h"

#include <algorithm>

namespace {

const wchar_t kHex[] = L"0123456789ABCDEF";

void AppendHexByte(std::wstring& out, unsigned v) {
    out += kHex[(v >> 4) & 0xF];
    out += kHex[v & 0xF];
}

// Value of an upper- or lower-case hexadecimal digit, -1 for anything else.
int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

// Byte written as two hexadecimal digits at text[at], or -1.
int HexByteAt(std::wstring_view text, size_t at) {
    if (at + 2 > text.size()) return -1;
    const int hi = HexDigit(text[at]), lo = HexDigit(text[at + 1]);
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

void AppendPercentByte(std::wstring& out, unsigned v) {
    out += L'%';
    AppendHexByte(out, v);
}

bool IsContinuation(int b) { return b >= 0x80 && b <= 0xBF; }

// The three-group form "%Ex%xx%xx" of one 16-bit unit starting at text[i].
bool IsThreeByteGroup(std::wstring_view text, size_t i) {
    if (i + 9 > text.size() || text[i + 3] != L'%' || text[i + 6] != L'%') return false;
    const int b1 = HexByteAt(text, i + 1);
    return b1 >= 0xE0 && b1 <= 0xEF && IsContinuation(HexByteAt(text, i + 4)) &&
           IsContinuation(HexByteAt(text, i + 7));
}

// The one-percent form "%HHHH" the encoder writes for U+0080..U+0FFF; its
// value, or -1 when the five characters at text[i] are not that form.
int TwoByteForm(std::wstring_view text, size_t i) {
    const int b1 = HexByteAt(text, i + 1), b2 = HexByteAt(text, i + 3);
    if (b1 < 0xC0 || !IsContinuation(b2)) return -1;
    const int c = ((b1 & 0x3F) << 6) | (b2 & 0x3F);
    return c >= 0x80 ? c : -1;
}

}  // namespace

std::wstring Utf8UrlEncode(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() * 3);
    for (wchar_t ch : text) {
        const unsigned c = static_cast<uint16_t>(ch);
        if (c < 0x80) {
            out += ch;
        } else if ((c & 0xF000) == 0) {
            // U+0800..U+0FFF also take this form: its first byte lands in E0..FF.
            out += L'%';
            AppendHexByte(out, 0xC0 | (c >> 6));
            AppendHexByte(out, 0x80 | (c & 0x3F));
        } else {
            out += L'%';
            AppendHexByte(out, 0xE0 | (c >> 12));
            out += L'%';
            AppendHexByte(out, 0x80 | ((c >> 6) & 0x3F));
            out += L'%';
            AppendHexByte(out, 0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Every "%" that starts a form the encoder writes becomes its character;
// anything else, a stray "%" included, is copied as it stands.
std::wstring Utf8UrlDecode(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    Utf8UrlDecode(text, out);
    return out;
}

void Utf8UrlDecode(std::wstring_view text, std::wstring& out) {
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == L'%') {
            if (IsThreeByteGroup(text, i)) {
                out += DecodeUtf8Group(text.substr(i, 9));
                i += 9;
                continue;
            }
            const int c = TwoByteForm(text, i);
            if (c >= 0) {
                out += static_cast<wchar_t>(c);
                i += 5;
                continue;
            }
        }
        out += text[i++];
    }
}

std::wstring NumberToBits(int64_t number) {
    if (number == 0) return L"0";
    const bool negative = number < 0;
    uint64_t v = negative ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
    std::wstring bits;
    for (; v; v >>= 1) bits.insert(bits.begin(), (v & 1) ? L'1' : L'0');
    return negative ? L"-" + bits : bits;
}

int64_t BitsToNumber(const std::wstring& bits) {
    int64_t v = 0;
    for (wchar_t b : bits) v = v * 2 + (b == L'1' ? 1 : 0);
    return v;
}

std::wstring HexToBits(const std::wstring& hex) {
    std::wstring bits;
    for (wchar_t h : hex) {
        std::wstring nibble = NumberToBits(HexDigit(h) < 0 ? 0 : HexDigit(h));
        bits += std::wstring(4 - nibble.size(), L'0') + nibble;
    }
    return bits;
}

std::wstring BitsToHex(const std::wstring& bits) {
    std::wstring hex;
    for (size_t i = 0; i < bits.size(); i += 4) hex += kHex[BitsToNumber(bits.substr(i, 4)) & 0xF];
    return hex;
}

wchar_t DecodeUtf8Group(std::wstring_view group) {
    // "%E4%B8%AD": the first byte's leading 1 bits give the byte count; its
    // bits after the first 0 carry the top of the value, each later byte
    // its last six. The bit strings' arithmetic with shifts and masks, as
    // every name of every list read passes here.
    auto byteAt = [&](size_t at) {
        auto digit = [&](size_t k) { return k < group.size() ? std::max(HexDigit(group[k]), 0) : 0; };
        return digit(at) * 16 + digit(at + 1);
    };
    const int first = byteAt(1);
    int ones = 0;
    while (ones < 8 && (first & (0x80 >> ones))) ++ones;
    const int lead = ones < 8 ? first & (0x7F >> ones) : 0;
    return static_cast<wchar_t>(((lead << 12) | ((byteAt(4) & 0x3F) << 6) | (byteAt(7) & 0x3F)) & 0xFFFF);
}

bool IsUnreserved(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') || c == U'-' ||
           c == U'_' || c == U'.' || c == U'~';
}

std::wstring PercentEncodeUtf8(std::wstring_view text, bool (*keep)(char32_t)) {
    std::wstring out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char16_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (keep(c)) {
            out += static_cast<wchar_t>(c);
        } else if (c < 0x80) {
            AppendPercentByte(out, c);
        } else if (c < 0x800) {
            AppendPercentByte(out, 0xC0 | (c >> 6));
            AppendPercentByte(out, 0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            AppendPercentByte(out, 0xE0 | (c >> 12));
            AppendPercentByte(out, 0x80 | ((c >> 6) & 0x3F));
            AppendPercentByte(out, 0x80 | (c & 0x3F));
        } else {
            AppendPercentByte(out, 0xF0 | (c >> 18));
            AppendPercentByte(out, 0x80 | ((c >> 12) & 0x3F));
            AppendPercentByte(out, 0x80 | ((c >> 6) & 0x3F));
            AppendPercentByte(out, 0x80 | (c & 0x3F));
        }
    }
    return out;
}
