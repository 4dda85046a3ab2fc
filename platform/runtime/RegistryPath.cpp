#include "RegistryPath.h"

#include <cwctype>

namespace {

bool SameLetters(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

}  // namespace

std::optional<RegistryPath> SplitRegistryPath(std::wstring_view path) {
    static const struct {
        const wchar_t* shortName;
        const wchar_t* longName;
    } roots[] = {
        {L"HKLM", L"HKEY_LOCAL_MACHINE"}, {L"HKCU", L"HKEY_CURRENT_USER"}, {L"HKCR", L"HKEY_CLASSES_ROOT"},
        {L"HKU", L"HKEY_USERS"},          {L"HKCC", L"HKEY_CURRENT_CONFIG"},
    };
    const size_t slash = path.find(L'\\');
    if (slash == std::wstring_view::npos) return std::nullopt;
    const std::wstring_view rootName = path.substr(0, slash);
    RegistryPath out;
    for (const auto& r : roots)
        if (SameLetters(rootName, r.shortName) || SameLetters(rootName, r.longName)) out.root = r.longName;
    if (out.root.empty()) return std::nullopt;
    std::wstring_view rest = path.substr(slash + 1);
    out.isKey = rest.empty() || rest.back() == L'\\';
    if (out.isKey) {
        while (!rest.empty() && rest.back() == L'\\') rest.remove_suffix(1);
        out.key = rest;
        return out;
    }
    const size_t last = rest.rfind(L'\\');
    out.value = rest.substr(last == std::wstring_view::npos ? 0 : last + 1);
    out.key = last == std::wstring_view::npos ? std::wstring_view{} : rest.substr(0, last);
    return out;
}
