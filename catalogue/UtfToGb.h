// Percent-encoded UTF-8 text: the plain-ASCII form in which the launcher
// writes every text value into SQL and stores it in the catalogue.
// Pure text routines, free of windows.h.
#pragma once
#include <cstdint>
#include <string>

std::wstring Utf8UrlEncode(const std::wstring& text);
std::wstring Utf8UrlDecode(const std::wstring& text);

// Bit-string arithmetic behind the decoder.
std::wstring NumberToBits(int64_t number);
int64_t BitsToNumber(const std::wstring& bits);
std::wstring HexToBits(const std::wstring& hex);
std::wstring BitsToHex(const std::wstring& bits);
wchar_t DecodeUtf8Group(const std::wstring& group);
