#include "PageCommand.h"

#include <algorithm>
#include <array>

#include "UtfToGb.h"

namespace {

constexpr std::wstring_view kMarker = L"javascript:CALL_API";

void RemoveAll(std::wstring& text, std::wstring_view what) {
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at))
        text.erase(at, what.size());
}

// Split as the pages' own language splits: empty text gives no parts at all.
std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    if (text.empty()) return parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
        if (at == std::wstring::npos) return parts;
        start = at + 1;
    }
}

wchar_t Upper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return Upper(x) == Upper(y); });
}

bool IsDeviceName(std::wstring_view name) {
    // Windows takes the part before the first dot, blanks at its end dropped.
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
    static constexpr std::array<std::wstring_view, 6> plain = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (std::wstring_view device : plain)
        if (SameIgnoringCase(stem, device)) return true;
    if (stem.size() == 4 && (SameIgnoringCase(stem.substr(0, 3), L"COM") || SameIgnoringCase(stem.substr(0, 3), L"LPT"))) {
        const wchar_t digit = stem[3];
        // Superscript one to three count as digits to the file system too.
        return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
    }
    return false;
}

}  // namespace

std::optional<PageCommand> ParsePageCommand(std::wstring_view link) {
    if (link.find(kMarker) == std::wstring_view::npos) return std::nullopt;
    std::wstring text(link);
    RemoveAll(text, kMarker);
    RemoveAll(text, L"(");
    RemoveAll(text, L")");
    RemoveAll(text, L"'");
    const std::vector<std::wstring> parts = Split(text, L',');
    PageCommand command;
    if (!parts.empty()) command.kind = parts[0];
    if (parts.size() > 1) command.fields = Split(parts[1], L'|');
    return command;
}

size_t FieldsUsedBy(std::wstring_view kind) {
    if (kind == L"openTable") return 2;
    if (kind == L"FlashTable") return 4;
    if (kind == L"WebTable") return 3;
    return 0;
}

bool IsAccepted(const PageCommand& command, std::initializer_list<std::wstring_view> kinds) {
    if (std::find(kinds.begin(), kinds.end(), std::wstring_view(command.kind)) == kinds.end()) return false;
    const size_t used = FieldsUsedBy(command.kind);
    return used > 0 && command.fields.size() >= used;
}

bool IsUsableGameName(std::wstring_view name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (wchar_t c : name) {
        if (c < 0x20 || c == 0x7F) return false;
        if (std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    }
    if (name.back() == L'.' || name.back() == L' ') return false;
    if (IsDeviceName(name)) return false;
    const std::wstring text(name);
    return Utf8UrlDecode(Utf8UrlEncode(text)) == text;
}

bool IsFullAddress(std::wstring_view address) {
    return address.starts_with(L"http://") || address.starts_with(L"https://");
}

bool IsGameFileAddress(std::wstring_view address) {
    return IsFullAddress(address) ||
           (address.size() > 1 && address[0] == L'/' && address[1] != L'/' && address[1] != L'\\');
}
