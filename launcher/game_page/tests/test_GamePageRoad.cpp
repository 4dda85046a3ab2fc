// The road by which games enter the library, in the real main window: from
// the catalogue tab a game page opens in a tab of its own, its Flash game is
// downloaded and then plays in that same tab, and a web game from the
// catalogue is stored and handed to the player. Portal on 127.0.0.1, the
// real download control, sqlite3.dll, My box page and Flash page.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CTabItems.h"
#include "FileBytes.h"
#include "FlashGame.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "MainGame.h"
#include "MainGameUrl.h"
#include "Pump.h"
#include "TestHttpServer.h"
#include "WebBrowser.h"
#include "launcher_test_files.h"
#include "mSqlite.h"
#include "uTab.h"

namespace {

HttpResponse Page(const std::string& body) {
    return TestHttpServer::Text("<html><head><title>Portal</title></head><body>" + body + "</body></html>");
}

std::string Link(const std::string& href) { return "<a href=\"" + href + "\" target=\"_blank\">go</a>"; }

std::string Thumbnail(const std::wstring& name) { return ReadFileBytes(kThumbDir + name).value_or(""); }

class GamePageRoad : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(folder.dir.File(L"Games").c_str(), nullptr);
        PortalUrl = server.BaseUrlW();
        server.Route("/img/t7.jpg", TestHttpServer::Text(Thumbnail(L"red.jpg"), "image/jpeg"));
        server.Route("/swf/m7.swf", TestHttpServer::Text("FWS" + std::string(5000, 's'), "application/x-shockwave-flash"));
        server.Route("/img/w8.jpg", TestHttpServer::Text(Thumbnail(L"blue.jpg"), "image/jpeg"));
        server.Route("/game/7.html",
                     Page(Link("javascript:CALL_API('FlashTable,Bubble|/img/t7.jpg|/swf/m7.swf|Pop them all')")));
        server.Route("/orvane/html/topleft/0.html",
                     Page(Link("javascript:CALL_API('openTable,Bubble|/game/7.html')") +
                          Link("javascript:CALL_API('WebTable,Farm|/img/w8.jpg|http://play.test/farm')")));
        main.Show();
        PumpFor(30);
        ASSERT_EQ(Tabs().Count(), 2);
        catalogue = dynamic_cast<MainGame*>(Tabs().Item(1L)->Form().get());
        ASSERT_NE(catalogue, nullptr) << "the second tab holds the catalogue page";
        Tabs().Selected(1L);
    }
    void TearDown() override { main.Unload(); }

    CTabItems& Tabs() { return main.frmuTab->TabItems(); }
    // Activates the n-th link (1-based) of a view from the keyboard.
    static void Activate(WebBrowser& view, int n) {
        for (int i = 0; i < n; ++i) SendMessageW(view.hwnd(), WM_KEYDOWN, VK_TAB, 0);
        SendMessageW(view.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    }
    bool CatalogueShown() {
        return PumpUntil([&] { return catalogue->WB->Document()->Url() == GetTopLeftUrl(); }, 20000);
    }

    TestHttpServer server;
    TestProgramFolder folder{true};
    LauncherEnv env{folder.Path()};
    MainFrm& main = TheMainFrm();
    MainGame* catalogue = nullptr;
};

TEST_F(GamePageRoad, CatalogueOpensAGamePageWhoseFlashGameIsAddedAndPlaysInItsTab) {
    ASSERT_TRUE(CatalogueShown());
    Activate(*catalogue->WB, 1);
    ASSERT_EQ(Tabs().Count(), 3);
    EXPECT_EQ(Tabs().FindItem(std::wstring(L"Bubble")), 2);
    auto* game = dynamic_cast<MainGameUrl*>(Tabs().Item(2L)->Form().get());
    ASSERT_NE(game, nullptr);
    const std::wstring address = server.BaseUrlW() + L"/game/7.html";
    ASSERT_TRUE(PumpUntil([&] { return game->WB->Document()->Url() == address; }, 20000));
    Activate(*game->WB, 1);

    ASSERT_TRUE(PumpUntil([&] { return dynamic_cast<FlashGame*>(Tabs().Item(2L)->Form().get()) != nullptr; }, 60000))
        << "the Flash page took over the game page's tab";
    EXPECT_EQ(Tabs().Count(), 3);
    EXPECT_EQ(Tabs().FindItem(std::wstring(L"Bubble")), 2);
    EXPECT_EQ(env.QueryInt(L"Select G_Type From Games Where G_Name = 'Bubble'"), 1);
    EXPECT_EQ(GetFileAttributesW(folder.dir.File(L"Games\\Bubble.swf").c_str()) != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_EQ(GetFileAttributesW(folder.dir.File(L"Jpgs\\Bubble.jpg").c_str()) != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_TRUE(env.shells.empty());
}

TEST_F(GamePageRoad, CatalogueAddsAWebGameAndThePlayerStartsWithItsAddress) {
    ASSERT_TRUE(CatalogueShown());
    Activate(*catalogue->WB, 2);
    ASSERT_TRUE(PumpUntil([&] { return !env.shells.empty(); }, 30000)) << "the game never started";
    EXPECT_EQ(env.shells[0], L"\"" + folder.Path() + L"\\Pellow.exe\" http://play.test/farm");
    EXPECT_EQ(env.QueryInt(L"Select G_Type From Games Where G_Name = 'Farm'"), 2);
    EXPECT_EQ(Tabs().Count(), 2) << "a web game opens no tab of the launcher";
}

}  // namespace
