// The command lines that open an address in a web browser: the user's own
// through Explorer, and Internet Explorer. Pure logic, no windows.h.
#pragma once
#include <optional>
#include <string>

// "Explorer.exe /s , " followed by the address, or nothing when the address
// is no valid http(s) URL: "http://" or "https://" (more "/" or "\" may
// follow, as browsers read them), a host of letters, digits, "-" and ".",
// an optional port, and "/", "\", "?" or "#" before anything else. Explorer
// splits its arguments at commas and reads quotes and blanks, so the
// address goes as one argument with every comma, quote, blank, control and
// non-ASCII character percent-encoded (non-ASCII as UTF-8).
std::optional<std::wstring> ExplorerCommandLine(const std::wstring& address);

// Internet Explorer's program path in quotes, and the address as one quoted
// argument: a quote in it is percent-encoded, and backslashes before the
// closing quote are doubled, so that blanks cannot pass switches and the
// path cannot be read as "C:\Program.exe".
std::wstring InternetExplorerCommandLine(const std::wstring& address);
