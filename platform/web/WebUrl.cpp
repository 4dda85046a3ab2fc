#include "WebUrl.h"

#include <vector>

#include "LocalPath.h"

namespace {

bool IsAlpha(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && (s.front() == L' ' || s.front() == L'\t' || s.front() == L'\r' || s.front() == L'\n')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == L' ' || s.back() == L'\t' || s.back() == L'\r' || s.back() == L'\n')) s.remove_suffix(1);
    return s;
}

bool IsDrivePath(std::wstring_view s) {
    return s.size() >= 2 && IsAlpha(s[0]) && s[1] == L':' && (s.size() == 2 || s[2] == L'\\' || s[2] == L'/');
}

struct UrlParts {
    std::wstring scheme, authority, path, query;  // query with its "?"
    bool hasAuthority = false;
};

UrlParts Split(std::wstring_view url) {
    UrlParts p;
    const size_t hash = url.find(L'#');
    if (hash != std::wstring_view::npos) url = url.substr(0, hash);
    const size_t colon = url.find(L':');
    p.scheme = std::wstring(url.substr(0, colon));
    url.remove_prefix(colon + 1);
    if (url.substr(0, 2) == L"//") {
        p.hasAuthority = true;
        url.remove_prefix(2);
        const size_t end = url.find_first_of(L"/?");
        p.authority = std::wstring(url.substr(0, end));
        url = end == std::wstring_view::npos ? std::wstring_view() : url.substr(end);
    }
    const size_t q = url.find(L'?');
    p.path = std::wstring(url.substr(0, q));
    if (q != std::wstring_view::npos) p.query = std::wstring(url.substr(q));
    return p;
}

std::wstring RemoveDotSegments(const std::wstring& path) {
    std::vector<std::wstring> out;
    size_t i = 0;
    const bool absolute = !path.empty() && path[0] == L'/';
    if (absolute) i = 1;
    bool trailingSlash = false;
    while (i <= path.size()) {
        size_t end = path.find(L'/', i);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring seg = path.substr(i, end - i);
        trailingSlash = end < path.size() || seg == L"." || seg == L"..";
        if (seg == L"..") {
            if (!out.empty()) out.pop_back();
        } else if (seg != L".") {
            out.push_back(seg);
        }
        i = end + 1;
    }
    std::wstring result = absolute ? L"/" : L"";
    for (size_t k = 0; k < out.size(); ++k) {
        if (k) result += L'/';
        result += out[k];
    }
    if (trailingSlash && !out.empty() && !out.back().empty()) result += L'/';
    return result;
}

std::wstring Join(const UrlParts& p, const std::wstring& path, const std::wstring& query) {
    std::wstring s = p.scheme + L":";
    if (p.hasAuthority) s += L"//" + p.authority;
    return s + path + query;
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool IsPercentGroup(std::wstring_view s, size_t i) {
    return i + 2 < s.size() && s[i] == L'%' && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0;
}

// Percent groups decoded as UTF-8 bytes; anything undecodable stays as it was.
std::wstring PercentDecode(std::wstring_view s) {
    std::wstring out;
    for (size_t i = 0; i < s.size();) {
        if (!IsPercentGroup(s, i)) {
            out += s[i++];
            continue;
        }
        std::string bytes;
        size_t j = i;
        while (IsPercentGroup(s, j)) {
            bytes += static_cast<char>(HexValue(s[j + 1]) * 16 + HexValue(s[j + 2]));
            j += 3;
        }
        std::wstring decoded;
        bool ok = true;
        for (size_t k = 0; k < bytes.size() && ok;) {
            const unsigned char b = static_cast<unsigned char>(bytes[k]);
            const int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
            if (!len || k + len > bytes.size()) {
                ok = false;
                break;
            }
            unsigned long cp = len == 1 ? b : b & (0x7F >> len);
            for (int m = 1; m < len; ++m) {
                const unsigned char c = static_cast<unsigned char>(bytes[k + m]);
                if ((c & 0xC0) != 0x80) ok = false;
                cp = (cp << 6) | (c & 0x3F);
            }
            if (cp >= 0x10000) {
                cp -= 0x10000;
                decoded += static_cast<wchar_t>(0xD800 + (cp >> 10));
                decoded += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
            } else {
                decoded += static_cast<wchar_t>(cp);
            }
            k += len;
        }
        out += ok ? decoded : std::wstring(s.substr(i, j - i));
        i = j;
    }
    return out;
}

}  // namespace

std::wstring UrlScheme(std::wstring_view url) {
    url = Trim(url);
    size_t i = 0;
    while (i < url.size() && (IsAlpha(url[i]) || (i > 0 && ((url[i] >= L'0' && url[i] <= L'9') || url[i] == L'+' || url[i] == L'-' || url[i] == L'.')))) ++i;
    if (i < 2 || i >= url.size() || url[i] != L':') return {};  // one letter is a drive
    std::wstring s(url.substr(0, i));
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

bool IsJavascriptUrl(std::wstring_view url) { return UrlScheme(url) == L"javascript"; }

std::wstring LocalPathToFileUrl(std::wstring_view path) {
    std::wstring out = L"file:///";
    if (path.substr(0, 2) == L"\\\\") {
        out = L"file://";
        path.remove_prefix(2);
    }
    for (wchar_t c : path) {
        if (c == L'\\') out += L'/';
        else if (c == L' ') out += L"%20";
        else if (c == L'%') out += L"%25";
        else if (c == L'#') out += L"%23";
        else out += c;
    }
    return out;
}

std::wstring FileUrlToPath(std::wstring_view url) {
    if (UrlScheme(url) != L"file") return {};
    url = Trim(url).substr(5);
    std::wstring prefix;
    if (url.substr(0, 3) == L"///") {
        url.remove_prefix(3);
    } else if (url.substr(0, 2) == L"//") {
        url.remove_prefix(2);
        prefix = L"\\\\";
        if (url.substr(0, 10) == L"localhost/") {
            url.remove_prefix(10);
            prefix.clear();
        }
    }
    const size_t end = url.find_first_of(L"?#");
    std::wstring path = prefix + PercentDecode(url.substr(0, end));
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::wstring NormalizeNavigationUrl(std::wstring_view url) {
    url = Trim(url);
    if (IsDrivePath(url) || url.substr(0, 2) == L"\\\\") return LocalPathToFileUrl(url);
    if (UrlScheme(url).empty()) return L"http://" + std::wstring(url);  // a bare host name
    return std::wstring(url);
}

std::wstring ResolveUrl(std::wstring_view base, std::wstring_view ref) {
    ref = Trim(ref);
    if (IsDrivePath(ref) || ref.substr(0, 2) == L"\\\\") return LocalPathToFileUrl(ref);
    if (!UrlScheme(ref).empty()) return std::wstring(ref);
    const std::wstring baseScheme = UrlScheme(base);
    if (baseScheme.empty() || baseScheme == L"about" || baseScheme == L"javascript") return std::wstring(ref);
    const UrlParts b = Split(Trim(base));
    if (ref.substr(0, 2) == L"//") return b.scheme + L":" + std::wstring(ref);
    if (ref.empty()) return Join(b, b.path, b.query);
    if (ref[0] == L'#') return Join(b, b.path, b.query) + std::wstring(ref);
    if (ref[0] == L'?') return Join(b, b.path, L"") + std::wstring(ref);
    const size_t q = ref.find_first_of(L"?#");
    const std::wstring refPath(ref.substr(0, q));
    const std::wstring rest = q == std::wstring_view::npos ? L"" : std::wstring(ref.substr(q));
    std::wstring merged;
    if (!refPath.empty() && refPath[0] == L'/') {
        merged = refPath;
    } else {
        const size_t slash = b.path.rfind(L'/');
        merged = (slash == std::wstring::npos ? (b.hasAuthority ? L"/" : L"") : b.path.substr(0, slash + 1)) + refPath;
    }
    return Join(b, RemoveDotSegments(merged), L"") + rest;
}

std::wstring UrlFileName(std::wstring_view url) {
    const size_t end = url.find_first_of(L"?#");
    url = url.substr(0, end);
    const size_t slash = url.find_last_of(L"/\\");
    return std::wstring(slash == std::wstring_view::npos ? url : url.substr(slash + 1));
}

bool MayLoad(std::wstring_view from, std::wstring_view url, LoadKind kind, std::wstring_view folder) {
    const std::wstring scheme = UrlScheme(url);
    if (scheme == L"http" || scheme == L"https") return true;
    if (scheme == L"about") return kind == LoadKind::Navigation;
    if (scheme != L"file" || (!from.empty() && UrlScheme(from) != L"file")) return false;
    return IsPlainPathInside(FileUrlToPath(url), folder);
}
