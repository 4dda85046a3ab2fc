// Percent-encoded UTF-8 text: the plain-ASCII form in which the launcher
// writes every text value into SQL and stores it in the catalogue.
// Pure text routines, free of windows.h.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

std::wstring Utf8UrlEncode(const std::wstring& text);
std::wstring Utf8UrlDecode(const std::wstring& text);
// The decoded text appended to `out` (a list of names decodes into one string).
void Utf8UrlDecode(std::wstring_view text, std::wstring& out);

// Bit-string routines of the encoded form; the decoder's group does the
// same arithmetic with shifts and masks.
std::wstring NumberToBits(int64_t number);
int64_t BitsToNumber(const std::wstring& bits);
std::wstring HexToBits(const std::wstring& hex);
std::wstring BitsToHex(const std::wstring& bits);
wchar_t DecodeUtf8Group(std::wstring_view group);
