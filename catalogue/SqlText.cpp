#include "SqlText.h"

#include "UtfToGb.h"

std::wstring SqlText(const std::wstring& value) {
    std::wstring out;
    for (wchar_t c : Utf8UrlEncode(value)) {
        out += c;
        if (c == L'\'') out += L'\'';
    }
    return out;
}
