#include "LocalPath.h"

#include <string>
#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// The segments after "X:\", lower-cased, with the drive as the first one;
// empty when the path is not plain.
std::vector<std::wstring> PlainSegments(std::wstring_view path) {
    const bool drive = path.size() >= 3 && ((path[0] >= L'a' && path[0] <= L'z') || (path[0] >= L'A' && path[0] <= L'Z')) &&
                       path[1] == L':' && IsSeparator(path[2]);
    if (!drive) return {};
    std::vector<std::wstring> segments{{Lower(path[0]), L':'}};
    size_t i = 3;
    while (i < path.size()) {
        size_t end = i;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::wstring_view segment = path.substr(i, end - i);
        i = end + 1;
        if (segment.empty()) continue;  // Windows reads "a\\b" as "a\b"
        if (segment == L"." || segment == L".." || segment.back() == L'.' || segment.back() == L' ' ||
            segment.find(L':') != std::wstring_view::npos)
            return {};
        std::wstring lower;
        for (wchar_t c : segment) lower += Lower(c);
        segments.push_back(std::move(lower));
    }
    return segments;
}

}  // namespace

bool IsPlainPathInside(std::wstring_view path, std::wstring_view folder) {
    const std::vector<std::wstring> inside = PlainSegments(folder), named = PlainSegments(path);
    if (inside.empty() || named.size() <= inside.size()) return false;
    for (size_t i = 0; i < inside.size(); ++i)
        if (inside[i] != named[i]) return false;
    return true;
}
