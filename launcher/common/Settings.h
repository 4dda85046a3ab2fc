// The launcher's global settings, written once by Main before any window
// exists and read-only afterwards, and the portal address builders.
#pragma once
#include <string>

extern std::wstring SiteCode;
extern std::wstring ProductKey;
extern bool ShowStudioCredit;
extern std::wstring AppDir;
extern std::wstring DbFileName;
extern std::wstring PortalUrl;
extern std::wstring PortalName;

// Writes the settings in their fixed order. appPath is the program folder as
// the platform reports it (a drive root keeps its backslash).
void WriteSettings(const std::wstring& appPath);

std::wstring GetHomeUrl();
std::wstring GetUserUrl();
std::wstring GetGameUrl();
std::wstring GetContactUrl();
std::wstring GetTopLeftUrl();
std::wstring GetHotRankUrl();
std::wstring GetOnlineGamesUrl();
std::wstring GetFeatureUrl();
std::wstring GetSearchUrl();
std::wstring GetSpaceUrl();
std::wstring GetAdRightUrl();
std::wstring GetAdDownUrl();
