// Addresses as the browser view handles them: relative references resolved
// against the document's address, local paths as file: URLs and back, and
// the kinds of address the view treats specially (about:, javascript:).
#pragma once
#include <string>
#include <string_view>

// The address a navigation request stands for: blanks trimmed, "about:..."
// kept, a local path ("C:\dir\page.html", "\\server\share\x") turned into a
// file: URL.
std::wstring NormalizeNavigationUrl(std::wstring_view url);

// `ref` resolved against `base` (RFC 3986 merge with dot segments removed).
std::wstring ResolveUrl(std::wstring_view base, std::wstring_view ref);

// Scheme in lower case ("http", "file", "about", "javascript"), or empty.
std::wstring UrlScheme(std::wstring_view url);

bool IsJavascriptUrl(std::wstring_view url);

// "file:///C:/dir/a%20b.html" -> "C:\dir\a b.html"; empty when not a file URL.
std::wstring FileUrlToPath(std::wstring_view url);
std::wstring LocalPathToFileUrl(std::wstring_view path);

// The last "/"-separated segment of the path, without query or fragment.
std::wstring UrlFileName(std::wstring_view url);
