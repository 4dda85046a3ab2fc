#include "FlashGameMovie.h"

#include "PageCommand.h"

std::wstring LeadInMovie(const std::wstring& programFolder) { return programFolder + L"\\Games\\2.swf"; }

std::wstring ReplayMovie(const std::wstring& programFolder) { return programFolder + L"\\Games\\1.swf"; }

std::wstring SavedMovie(const std::wstring& programFolder, const std::wstring& gameName) {
    if (!IsUsableGameName(gameName)) return {};
    return programFolder + L"\\Games\\" + gameName + L".swf";
}

std::wstring GameMovie(const std::wstring& programFolder, const std::wstring& gameName, const std::wstring& swfUrl,
                       const std::wstring& portalUrl) {
    if (swfUrl.empty()) return SavedMovie(programFolder, gameName);
    if (IsFullAddress(swfUrl)) return swfUrl;
    return portalUrl + swfUrl;
}
