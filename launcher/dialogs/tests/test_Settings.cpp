// Start-up settings and the portal address builders.
#include <gtest/gtest.h>

#include "AppPath.h"
#include "LauncherEnv.h"
#include "Main.h"
#include "MainFrm.h"
#include "PortalConfig.h"
#include "Settings.h"

namespace {

TEST(Settings, MainWritesTheFixedSettings) {
    LauncherEnv env;  // process starts and the program's end recorded, not done
    Main();
    EXPECT_EQ(SiteCode, L"5170");
    EXPECT_EQ(ProductKey, L"orvane");
    EXPECT_FALSE(ShowStudioCredit);
    EXPECT_EQ(DbFileName, L"npGameData.DLL");
    EXPECT_EQ(PortalName, L"Brisco");
    EXPECT_EQ(PortalUrl, kPortalUrl);
    EXPECT_NE(PortalUrl.back(), L'/');
    EXPECT_EQ(AppDir, AppPath() + L"\\");
    EXPECT_TRUE(TheMainFrm().Loaded()) << "Main shows the main window";
    TheMainFrm().Unload();
}

TEST(Settings, AppDirAlwaysGetsItsOwnBackslash) {
    EXPECT_EQ(FolderOfModulePath(L"C:\\Games\\Orvane\\Orvane.exe"), L"C:\\Games\\Orvane");
    EXPECT_EQ(FolderOfModulePath(L"C:\\Orvane.exe"), L"C:\\");
    WriteSettings(L"C:\\Games\\Orvane");
    EXPECT_EQ(AppDir, L"C:\\Games\\Orvane\\");
    WriteSettings(L"C:\\");
    EXPECT_EQ(AppDir, L"C:\\\\") << "a drive root ends in two";
}

TEST(Settings, PortalAddressBuilders) {
    WriteSettings(L"C:\\x");
    PortalUrl = L"http://portal.test";  // the builders read the setting, not the build constant
    EXPECT_EQ(GetHomeUrl(), L"http://portal.test");
    EXPECT_EQ(GetUserUrl(), L"http://portal.test");
    EXPECT_EQ(GetGameUrl(), L"http://portal.test");
    EXPECT_EQ(GetContactUrl(), L"http://portal.test/about/contact.htm");
    EXPECT_EQ(GetTopLeftUrl(), L"http://portal.test/orvane/html/topleft/0.html");
    EXPECT_EQ(GetHotRankUrl(), L"http://portal.test/orvane/html/hot/rank.htm");
    EXPECT_EQ(GetOnlineGamesUrl(), L"http://portal.test/orvane/html/pellow/index.htm");
    EXPECT_EQ(GetFeatureUrl(), L"http://portal.test/orvane/html/left/0/0.html");
    EXPECT_EQ(GetSearchUrl(), L"http://portal.test/orvane/php/search.php?keyword=");
    EXPECT_EQ(GetSpaceUrl(), L"http://portal.test/my/space1.php");
    EXPECT_EQ(GetAdRightUrl(), L"http://portal.test/orvane/html/ad/adright.html");
    EXPECT_EQ(GetAdDownUrl(), L"http://portal.test/orvane/html/ad/addown.html");
}

}  // namespace
