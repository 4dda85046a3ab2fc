// Addresses as the browser view handles them: relative references resolved
// against the document's address, local paths as file: URLs and back, the
// kinds of address the view treats specially (about:, javascript:), and
// which addresses a page may load.
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

enum class LoadKind { Navigation, Resource };

// Whether the view may load `url` (absolute, as resolved) for the document
// at `from`; `from` is empty for the program's own navigation. Any document
// may load http(s) and navigate to about:. A file: address must name a plain
// file below `folder` (IsPlainPathInside), asked for by the program or by a
// document that is itself a file: UNC paths, file://host and local files
// are out of reach of pages that came over the network. Anything else is
// refused.
bool MayLoad(std::wstring_view from, std::wstring_view url, LoadKind kind, std::wstring_view folder);
