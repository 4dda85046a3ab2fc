// The catalogue page against a portal on 127.0.0.1: category buttons,
// search, opening game pages by "openTable", adding web games by "WebTable"
// with the real download control and sqlite3.dll, and its refusals.
#include "GamePageFixture.h"
#include "MainGame.h"
#include "MainGameUrl.h"
#include "bkDLControl.h"
#include "iButton.h"

namespace {

class Catalogue : public GamePageTest {
protected:
    void SetUp() override {
        GamePageTest::SetUp();
        server.Route("/orvane/html/topleft/0.html", TestHttpServer::Text("<html><body>first</body></html>"));
        AddFirstTabs();
        page = std::make_shared<MainGame>();
        page->Load();
        strip->TabItems().Item(1L)->Form(page);  // the catalogue is the second tab
        strip->TabItems().Selected(1L);
        ASSERT_TRUE(PumpUntil([&] { return page->CurrentPageUrl() == server.BaseUrlW() + L"/orvane/html/topleft/0.html"; }, 20000));
    }
    // Shows a catalogue page whose one link sends the command, then activates it.
    // Every showing has an address of its own (the server ignores the query),
    // so the link activated is never the one of the page shown before.
    void Send(const std::wstring& link, const std::string& path = "/cat/list.html") {
        server.Route(path, CommandPage(link));
        const std::wstring url =
            server.BaseUrlW() + std::wstring(path.begin(), path.end()) + L"?showing=" + std::to_wstring(++showings_);
        page->WB->Navigate(url);
        ASSERT_TRUE(ActivateFirstLink(*page->WB, url));
    }
    // From the keyboard: the mouse would need the one cursor of the desktop.
    void Press(iButton& button) {
        SendMessageW(button.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
        SendMessageW(button.hwnd(), WM_KEYUP, VK_SPACE, 0);
    }
    std::shared_ptr<MainGame> page;

private:
    int showings_ = 0;
};

TEST_F(Catalogue, CategoryButtonsNavigateAndLockOnlyTheClickedOne) {
    EXPECT_TRUE(page->Btn_flash->Locked());
    EXPECT_FALSE(page->Btn_hot->Locked());
    server.Route("/orvane/html/hot/rank.htm", TestHttpServer::Text("<html><body>hot</body></html>"));
    server.Route("/orvane/html/pellow/index.htm", TestHttpServer::Text("<html><body>web</body></html>"));
    Press(*page->Btn_hot);
    ASSERT_TRUE(PumpUntil([&] { return page->CurrentPageUrl().find(L"/hot/rank.htm") != std::wstring::npos; }, 20000));
    EXPECT_TRUE(page->Btn_hot->Locked());
    EXPECT_FALSE(page->Btn_flash->Locked());
    Press(*page->Btn_pellow);
    ASSERT_TRUE(PumpUntil([&] { return page->CurrentPageUrl().find(L"/pellow/index.htm") != std::wstring::npos; }, 20000));
    EXPECT_TRUE(page->Btn_pellow->Locked());
    EXPECT_FALSE(page->Btn_hot->Locked());
    EXPECT_FALSE(page->Btn_feature->Locked());
}

TEST_F(Catalogue, SearchSendsTheTypedWordsAndAnEmptyBoxShowsTheHint) {
    const std::wstring hint = L"搜索您想玩的游戏名称...";
    EXPECT_EQ(page->txt_search.Text(), hint);
    EXPECT_EQ(page->txt_search.ForeColor(), kGrayText);
    // Pressing search with the hint searches nothing.
    Press(*page->Btn_search);
    PumpFor(300);
    EXPECT_EQ(server.RequestCount("/orvane/php/search.php"), 0u);

    // Clicking into the box clears the hint.
    SendMessageW(page->txt_search.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(page->txt_search.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(page->txt_search.Text(), L"");
    EXPECT_EQ(page->txt_search.ForeColor(), 0u);

    std::string keyword;
    server.Route("/orvane/php/search.php", [&](const HttpRequest& r) {
        keyword = r.target.substr(r.target.find("keyword=") + 8);
        return TestHttpServer::Text("<html><body>found</body></html>");
    });
    page->txt_search.Text(L"植物 大战 & #1");
    Press(*page->Btn_search);
    ASSERT_TRUE(PumpUntil([&] { return !keyword.empty(); }, 20000));
    EXPECT_EQ(keyword, "%E6%A4%8D%E7%89%A9%20%E5%A4%A7%E6%88%98%20%26%20%231")
        << "blanks and Chinese travel encoded, so the portal reads what was typed";

    // The command button does the same; an emptied box gets its grey hint back.
    page->txt_search.Text(L"");
    SendMessageW(page->CmdSearch.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(page->txt_search.Text(), hint);
    EXPECT_EQ(page->txt_search.ForeColor(), kGrayText);
    EXPECT_EQ(server.RequestCount("/orvane/php/search.php"), 1u);
}

TEST_F(Catalogue, OpenTableOpensOneTabPerKeyAndSelectsAnExistingOne) {
    server.Route("/game/12.html", TestHttpServer::Text("<html><head><title>Twelve</title></head><body>g</body></html>"));
    Send(L"javascript:CALL_API('openTable,Some Game|/game/12.html')");
    ASSERT_EQ(strip->TabItems().Count(), 3);
    EXPECT_EQ(strip->Selected(), 2);
    auto* game = dynamic_cast<MainGameUrl*>(strip->TabItems().Item(2L)->Form().get());
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->URL(), server.BaseUrlW() + L"/game/12.html") << "a path is taken below the catalogue page";
    ASSERT_TRUE(PumpUntil([&] { return strip->TabItems().Item(2L)->Caption() == L"Twelve"; }, 20000))
        << "the game page loaded and its title became the tab's caption";
    EXPECT_EQ(strip->TabItems().FindItem(std::wstring(L"Some Game")), 2);

    // Same caption, another address: the open tab is selected, nothing opens.
    strip->TabItems().Selected(1L);
    Send(L"javascript:CALL_API('openTable,Some Game|/game/99.html')", "/cat/other.html");
    EXPECT_EQ(strip->TabItems().Count(), 3);
    EXPECT_EQ(strip->Selected(), 2);
    EXPECT_EQ(dynamic_cast<MainGameUrl*>(strip->TabItems().Item(2L)->Form().get())->URL(),
              server.BaseUrlW() + L"/game/12.html");

    // A caption equal to any open tab's key selects that tab, whatever it holds.
    auto played = std::make_shared<PlainPage>();
    strip->TabItems().Add(L"Played", played, L"Played");
    strip->TabItems().Selected(1L);
    Send(L"javascript:CALL_API('openTable,Played|/game/5.html')", "/cat/third.html");
    EXPECT_EQ(strip->TabItems().Count(), 4);
    EXPECT_EQ(strip->Selected(), 3);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Catalogue, CommandLinksInsideTheFirstFrameAreFound) {
    server.Route("/cat/inner.html", CommandPage(L"javascript:CALL_API('openTable,Framed|/game/f.html')"));
    server.Route("/game/f.html", TestHttpServer::Text("<html><body>f</body></html>"));
    server.Route("/cat/framed.html",
                 TestHttpServer::Text("<html><body><iframe src=\"/cat/inner.html\"></iframe></body></html>"));
    const std::wstring url = server.BaseUrlW() + L"/cat/framed.html";
    page->WB->Navigate(url);
    ASSERT_TRUE(PumpUntil([&] {
        try {
            auto frame = page->WB->Document()->frames(0).Document();
            return frame && frame->Url().find(L"inner.html") != std::wstring::npos;
        } catch (...) {
            return false;
        }
    }, 20000));
    PumpFor(50);
    SendMessageW(page->WB->hwnd(), WM_KEYDOWN, VK_TAB, 0);
    SendMessageW(page->WB->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(strip->TabItems().FindItem(std::wstring(L"Framed")), 2);
    auto* game = dynamic_cast<MainGameUrl*>(strip->TabItems().Item(2L)->Form().get());
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->URL(), server.BaseUrlW() + L"/game/f.html");
    // A full address is used as it is.
    Send(L"javascript:CALL_API('openTable,Full|http://127.0.0.1:9/g.html')");
    game = dynamic_cast<MainGameUrl*>(strip->TabItems().Item(3L)->Form().get());
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->URL(), L"http://127.0.0.1:9/g.html");
}

TEST_F(Catalogue, KindsItDoesNotTakeAndTooFewFieldsShowItsMessage) {
    for (const wchar_t* link : {L"javascript:CALL_API('FlashTable,N|/t.jpg|/m.swf|i')",
                                L"javascript:CALL_API('WebTable,N|/t.jpg')", L"javascript:CALL_API('openTable,N')",
                                L"javascript:CALL_API('openTable')"}) {
        SCOPED_TRACE(testing::Message() << Utf8(link));
        messages.clear();
        Send(link);
        EXPECT_EQ(messages, (std::vector<std::wstring>{L"函数错误，请联系系统管理员"}));
        EXPECT_EQ(strip->TabItems().Count(), 2);
    }
    EXPECT_EQ(server.RequestCount("/t.jpg"), 0u);
}

TEST_F(Catalogue, WebTableAddsTheGameWithTheLastLoadedCatalogueAddress) {
    server.Route("/img/w.jpg", [&](const HttpRequest&) {
        HttpResponse r = TestHttpServer::Text(Picture('c', 900), "image/jpeg");
        r.delayMs = 1500;  // time to move on to another catalogue page
        return r;
    });
    server.Route("/cat/next.html", TestHttpServer::Text("<html><body>next</body></html>"));
    Send(L"javascript:CALL_API('WebTable,网页 游戏|/img/w.jpg|http://play.test/g?id=7')");
    page->WB->Navigate(server.BaseUrlW() + L"/cat/next.html");
    ASSERT_TRUE(PumpUntil([&] { return !calls.empty(); }, 30000));
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Add 网页 游戏 1"}));
    const auto rows = GameRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], L"网页 游戏");
    EXPECT_EQ(rows[0][2], server.BaseUrlW() + L"/cat/next.html") << "the page loaded last when the thumbnail came";
    EXPECT_EQ(rows[0][3], L"http://play.test/g?id=7");
    EXPECT_EQ(rows[0][4], L"2");
    EXPECT_EQ(ReadFile(L"Jpgs\\网页 游戏.jpg"), Picture('c', 900));
    EXPECT_FALSE(Exists(L"Jpgs\\w.jpg"));

    // Stored now: the same command starts it without a download.
    calls.clear();
    Send(L"javascript:CALL_API('WebTable,网页 游戏|/img/w.jpg|http://play.test/g?id=7')", "/cat/again.html");
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Run 网页 游戏"}));
    PumpFor(300);
    EXPECT_EQ(server.RequestCount("/img/w.jpg"), 1u);
}

TEST_F(Catalogue, ACommandWhileAThumbnailIsOnItsWayStopsIt) {
    AddRow(L"Farm", L"http://play.test/farm", 2);
    WriteFileBytes(L"Jpgs\\Farm.jpg", "farm thumbnail");
    server.Route("/img/slow.jpg", [&](const HttpRequest&) {
        HttpResponse r = TestHttpServer::Text(Picture('s', 900), "image/jpeg");
        r.delayMs = 1000;
        return r;
    });
    const auto before = Snapshot();
    Send(L"javascript:CALL_API('WebTable,Slow Game|/img/slow.jpg|http://play.test/slow')");
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/img/slow.jpg") == 1; }, 20000));
    Send(L"javascript:CALL_API('WebTable,Farm|/img/f.jpg|http://play.test/farm')", "/cat/other.html");
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Run Farm"}));
    PumpFor(2000);  // the first thumbnail would have come by now
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Run Farm"})) << "started once, nothing added";
    EXPECT_EQ(GameRows().size(), 1u);
    EXPECT_EQ(ReadFile(L"Jpgs\\Farm.jpg"), "farm thumbnail");
    EXPECT_EQ(Snapshot(), before);

    // The stored game's name in other letters is that game.
    calls.clear();
    Send(L"javascript:CALL_API('WebTable,FARM|/img/f.jpg|http://play.test/farm')", "/cat/third.html");
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Run Farm"}));
    PumpFor(300);
    EXPECT_EQ(server.RequestCount("/img/f.jpg"), 0u);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Catalogue, ALibraryThatCannotBeWrittenKeepsNoThumbnailAndSaysSo) {
    DeleteFileW(folder.File(L"npGameData.DLL").c_str());
    CreateDirectoryW(folder.File(L"npGameData.DLL").c_str(), nullptr);
    server.Route("/img/n.jpg", TestHttpServer::Text(Picture('n', 800), "image/jpeg"));
    const auto before = Snapshot();
    Send(L"javascript:CALL_API('WebTable,No Row|/img/n.jpg|http://play.test/n')");
    ASSERT_TRUE(PumpUntil([&] { return !messages.empty(); }, 30000));
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"“No Row”无法保存到游戏库：游戏库无法打开或写入。"}));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Catalogue, WebTableThumbnailIsAlwaysBelowThePortal) {
    // The catalogue's pages send paths; a full address behind the portal's
    // is no address at all, and the user hears that the download failed.
    Send(L"javascript:CALL_API('WebTable,Full|http://127.0.0.1:1/a.jpg|http://play.test/')");
    ASSERT_TRUE(PumpUntil([&] { return !messages.empty(); }, 30000));
    EXPECT_EQ(messages[0].rfind(L"“Full”下载失败：", 0), 0u) << Utf8(messages[0]);
    EXPECT_TRUE(GameRows().empty());
    EXPECT_TRUE(calls.empty());
}

TEST_F(Catalogue, RefusedNamesAndDownloadErrorsLeaveTheFolderAndTableAlone) {
    // A stored game; its thumbnail's short name is a name too.
    AddRow(L"Marathonrunner", L"http://p.test/m", 2);
    WriteFileBytes(L"Jpgs\\Marathonrunner.jpg", Picture('M'));
    const std::wstring alias = ShortStem(L"Jpgs\\Marathonrunner.jpg");
    ASSERT_FALSE(alias.empty()) << "the system gives no short names";
    const auto before = Snapshot();
    server.Route("/img/x.jpg", TestHttpServer::Text(Picture('x'), "image/jpeg"));
    for (const std::wstring& name : {std::wstring(L"..\\..\\x"), std::wstring(L"CON"), std::wstring(L"LPT1.txt"),
                                     std::wstring(L"a:b"), alias, std::wstring(300, L'n')}) {
        SCOPED_TRACE(testing::Message() << Utf8(name));
        messages.clear();
        Send(L"javascript:CALL_API('WebTable," + name + L"|/img/x.jpg|http://p.test/')");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], L"游戏名称“" + name + L"”不能用作文件名，无法添加该游戏。");
    }
    PumpFor(300);
    EXPECT_EQ(server.RequestCount("/img/x.jpg"), 0u);

    // A web page where the thumbnail should be.
    messages.clear();
    server.Route("/img/page.jpg", TestHttpServer::Text("<html><body>Not here</body></html>"));
    Send(L"javascript:CALL_API('WebTable,Paged|/img/page.jpg|http://p.test/')");
    ASSERT_TRUE(PumpUntil([&] { return !messages.empty(); }, 30000));
    EXPECT_EQ(messages[0], L"“Paged”下载失败：游戏图片不是图片文件");
    EXPECT_EQ(Snapshot(), before);

    messages.clear();
    Send(L"javascript:CALL_API('WebTable,Lost|/img/none.jpg|http://p.test/')");
    ASSERT_TRUE(PumpUntil([&] { return !messages.empty(); }, 30000));
    EXPECT_EQ(messages[0], L"“Lost”下载失败：不可下载文件");
    page->DL_WinSock->DownComplete(0);  // a completion without bytes is none
    EXPECT_EQ(Snapshot(), before) << "the stored game's row and files as they were, nothing else";
    EXPECT_TRUE(calls.empty());
}

}  // namespace
