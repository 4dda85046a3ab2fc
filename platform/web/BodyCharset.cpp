#include "BodyCharset.h"

#include <cctype>

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The label after "charset=" in `text` (already lower case), or empty.
std::string CharsetAfter(const std::string& text) {
    const size_t at = text.find("charset");
    if (at == std::string::npos) return {};
    size_t i = at + 7;
    while (i < text.size() && (text[i] == ' ' || text[i] == '=' || text[i] == '"' || text[i] == '\'')) ++i;
    size_t end = i;
    while (end < text.size() && (isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-' || text[end] == '_' || text[end] == ':' || text[end] == '.'))
        ++end;
    return text.substr(i, end - i);
}

}  // namespace

unsigned CodePageFromCharsetLabel(std::string_view label) {
    const std::string l = Lower(label);
    struct Entry { const char* label; unsigned cp; };
    static const Entry kTable[] = {
        {"utf-8", 65001},     {"utf8", 65001},        {"gb2312", 936},      {"gbk", 936},
        {"x-gbk", 936},       {"cp936", 936},         {"gb_2312-80", 936},  {"gb18030", 54936},
        {"big5", 950},        {"shift_jis", 932},     {"sjis", 932},        {"euc-kr", 949},
        {"euc-jp", 20932},    {"koi8-r", 20866},      {"iso-8859-1", 1252}, {"latin1", 1252},
        {"us-ascii", 1252},   {"utf-16", 1200},       {"utf-16le", 1200},   {"utf-16be", 1201},
    };
    for (const auto& e : kTable)
        if (l == e.label) return e.cp;
    if (l.rfind("windows-125", 0) == 0 && l.size() == 12 && l[11] >= '0' && l[11] <= '8') return 1250 + (l[11] - '0');
    return 0;
}

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        const size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (!len) return false;
        if (i + len > s.size()) return true;  // a character cut off where a long body was capped
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

bool LooksBinary(std::string_view body) {
    if (body.size() >= 2 && ((body[0] == '\xFF' && body[1] == '\xFE') || (body[0] == '\xFE' && body[1] == '\xFF')))
        return false;
    const std::string_view head = body.substr(0, 4096);
    return head.find('\0') != std::string_view::npos;
}

BodyCharset SniffBodyCharset(std::string_view body, std::wstring_view contentType) {
    if (body.size() >= 3 && body.substr(0, 3) == "\xEF\xBB\xBF") return {65001, 3};
    if (body.size() >= 2 && body[0] == '\xFF' && body[1] == '\xFE') return {1200, 2};
    if (body.size() >= 2 && body[0] == '\xFE' && body[1] == '\xFF') return {1201, 2};
    std::string header;
    for (wchar_t c : contentType) header += c < 128 ? static_cast<char>(c) : '?';
    if (unsigned cp = CodePageFromCharsetLabel(CharsetAfter(Lower(header)))) return {cp, 0};
    const std::string head = Lower(body.substr(0, 4096));
    for (size_t meta = head.find("<meta"); meta != std::string::npos; meta = head.find("<meta", meta + 5)) {
        const size_t end = head.find('>', meta);
        if (unsigned cp = CodePageFromCharsetLabel(CharsetAfter(head.substr(meta, end - meta)))) return {cp, 0};
    }
    return {IsValidUtf8(body) ? 65001u : 936u, 0};
}
