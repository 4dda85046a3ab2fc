#include "FlashGameMovie.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <string_view>

std::wstring LeadInMovie(const std::wstring& programFolder) { return programFolder + L"\\Games\\2.swf"; }

std::wstring ReplayMovie(const std::wstring& programFolder) { return programFolder + L"\\Games\\1.swf"; }

namespace {

// Windows opens these as devices whatever folder or extension they carry.
bool IsDeviceName(const std::wstring& name) {
    static const std::array<const wchar_t*, 22> devices = {
        L"CON",  L"PRN",  L"AUX",  L"NUL",  L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6", L"COM7",
        L"COM8", L"COM9", L"LPT1", L"LPT2", L"LPT3", L"LPT4", L"LPT5", L"LPT6", L"LPT7", L"LPT8", L"LPT9"};
    // "NUL.txt" and "NUL .swf" are the device as well: compare the part before any dot, blanks trimmed.
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return std::any_of(devices.begin(), devices.end(), [&](const wchar_t* d) { return stem == d; });
}

}  // namespace

bool IsPlainMovieName(const std::wstring& gameName) {
    if (gameName.empty()) return false;
    for (wchar_t c : gameName) {
        if (c < 32 || c == 127) return false;
        if (std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    }
    return !IsDeviceName(gameName);
}

std::wstring SavedMovie(const std::wstring& programFolder, const std::wstring& gameName) {
    if (!IsPlainMovieName(gameName)) return {};
    return programFolder + L"\\Games\\" + gameName + L".swf";
}

std::wstring GameMovie(const std::wstring& programFolder, const std::wstring& gameName, const std::wstring& swfUrl,
                       const std::wstring& portalUrl) {
    if (swfUrl.empty()) return SavedMovie(programFolder, gameName);
    if (swfUrl.find(L"http://") != std::wstring::npos) return swfUrl;
    return portalUrl + swfUrl;
}
