// What the portal's reply pages say: the page's markup reduced to its bare
// text. Shared by the update check, the sign-in and the registration window.
// Pure logic, no windows.h.
#pragma once
#include <cstddef>
#include <string>

// Removes from the page's outerHTML every "<", ">", "/", "HEAD", "BODY",
// "HTML" (exact case), then every line feed, carriage return, tab and blank,
// each removal a single pass over the text left by the one before, so that
// "<HTML><BODY>0</BODY></HTML>" becomes "0".
std::wstring CaptureReply(const std::wstring& outerHtml);

// Number of characters of a text, of any length.
std::size_t Lenstr(const std::wstring& text);

// Every occurrence of `what` in `text` replaced by `with`, scanning once from
// the left (a match made by a replacement is not replaced again).
std::wstring ReplaceAll(const std::wstring& text, const std::wstring& what, const std::wstring& with);
