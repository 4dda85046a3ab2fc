#include "PlainFileName.h"

#include <cwctype>

namespace {

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return s;
}

bool IsDeviceName(const std::wstring& name) {
    // The device is reserved whatever extension follows ("CON.jpg").
    const std::wstring stem = Upper(name.substr(0, name.find(L'.')));
    for (const wchar_t* d : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (stem == d) return true;
    if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'0' && stem[3] <= L'9')
        return true;
    return false;
}

}  // namespace

bool IsPlainFileName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (wchar_t c : name) {
        if (c < 0x20 || c == 0x7F) return false;
        if (std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    }
    const wchar_t last = name.back();
    if (last == L'.' || last == L' ') return false;
    return !IsDeviceName(name);
}
