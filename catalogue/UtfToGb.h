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

// Text for an address: each character that `keep` accepts as it is, every
// other one as "%" and two upper-case hexadecimal digits per byte of its
// UTF-8 form (half of a surrogate pair stands for U+FFFD).
std::wstring PercentEncodeUtf8(std::wstring_view text, bool (*keep)(char32_t));
// Letters, digits and "-_.~": what an address never needs to encode.
bool IsUnreserved(char32_t c);

// Bit-string routines of the encoded form; the decoder's group does the
// same arithmetic with shifts and masks.
std::wstring NumberToBits(int64_t number);
int64_t BitsToNumber(const std::wstring& bits);
std::wstring HexToBits(const std::wstring& hex);
std::wstring BitsToHex(const std::wstring& bits);
wchar_t DecodeUtf8Group(std::wstring_view group);
