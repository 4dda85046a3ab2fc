#include "Settings.h"

#include "PortalConfig.h"
#include "ReadableFolder.h"

std::wstring SiteCode;
std::wstring ProductKey;
bool ShowStudioCredit = false;
std::wstring AppDir;
std::wstring DbFileName;
std::wstring PortalUrl;
std::wstring PortalName;

void WriteSettings(const std::wstring& appPath) {
    SiteCode = L"5170";
    ProductKey = L"orvane";
    ShowStudioCredit = false;
    AppDir = appPath + L"\\";  // always appended: a drive root ends in two
    ReadableFolder(appPath);  // the views show files of this folder only
    DbFileName = L"npGameData.DLL";  // bare name: opened relative to the current directory
    PortalUrl = kPortalUrl;
    PortalName = L"Brisco";
}

namespace {
std::wstring ProductPath(const wchar_t* path) { return PortalUrl + L"/" + ProductKey + path; }
}  // namespace

std::wstring GetHomeUrl() { return PortalUrl; }
std::wstring GetUserUrl() { return PortalUrl; }
std::wstring GetGameUrl() { return PortalUrl; }
std::wstring GetContactUrl() { return PortalUrl + L"/about/contact.htm"; }
std::wstring GetTopLeftUrl() { return ProductPath(L"/html/topleft/0.html"); }
std::wstring GetHotRankUrl() { return ProductPath(L"/html/hot/rank.htm"); }
std::wstring GetOnlineGamesUrl() { return ProductPath(L"/html/pellow/index.htm"); }
std::wstring GetFeatureUrl() { return ProductPath(L"/html/left/0/0.html"); }
std::wstring GetSearchUrl() { return ProductPath(L"/php/search.php?keyword="); }
std::wstring GetSpaceUrl() { return PortalUrl + L"/my/space1.php"; }
std::wstring GetAdRightUrl() { return ProductPath(L"/html/ad/adright.html"); }
std::wstring GetAdDownUrl() { return ProductPath(L"/html/ad/addown.html"); }
