// Which character set a fetched body is written in (byte-order mark, the
// Content-Type header, a <meta> declaration, else UTF-8 when the bytes are
// valid UTF-8 and GBK otherwise), and whether it is text at all.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

struct BodyCharset {
    unsigned codePage = 65001;  // Windows code page number (1200/1201 for UTF-16)
    size_t bomLength = 0;       // bytes of the byte-order mark to skip
};

BodyCharset SniffBodyCharset(std::string_view body, std::wstring_view contentType);

// Code page for a charset label ("utf-8", "gb2312", ...), 0 when unknown.
unsigned CodePageFromCharsetLabel(std::string_view label);

// A body that holds NUL bytes near its start (and is not UTF-16) is not text.
bool LooksBinary(std::string_view body);

bool IsValidUtf8(std::string_view bytes);
