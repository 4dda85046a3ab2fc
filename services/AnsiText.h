// Text helpers of the services library: its texts are single-byte texts in
// the system's ANSI code page.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace drumlin {

// The caller's NUL-terminated text; a null pointer is the empty text.
std::string FromCaller(const char* text);

// UTF-8 bytes to ANSI text. Invalid UTF-8 gives nothing; characters the
// code page lacks become its default character.
std::optional<std::string> Utf8ToAnsi(const std::string& utf8);
// ANSI text to UTF-8 (every ANSI text converts).
std::string AnsiToUtf8(const std::string& ansi);
// ANSI text to UTF-16, for the wide-only platform calls.
std::wstring AnsiToWide(const std::string& ansi);

// Removes blanks and control characters (every byte up to 0x20) at both ends.
std::string TrimBlanks(const std::string& text);

// A 32-bit signed decimal integer: optional sign, then digits only, within
// range. Anything else gives nothing.
std::optional<int32_t> ParseInt32(const std::string& text);

}  // namespace drumlin
