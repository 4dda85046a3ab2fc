// The game page against a portal on 127.0.0.1, the real download control, a
// real tab strip and a real sqlite3.dll: commands, the two-stage download,
// the rows it writes, refusals and failures, the panel, closing the tab.
#include "GamePageFixture.h"
#include "FormatBytes.h"
#include "MainGameStore.h"
#include "MainGameUrl.h"
#include "ProgressBar.h"
#include "bkDLControl.h"

namespace {

class GamePage : public GamePageTest {
protected:
    // Opens the game page at `path` in a tab keyed `key`, as the catalogue does.
    void Open(const std::string& path, const std::wstring& key = L"g") {
        if (strip->TabItems().Count() == 0) AddFirstTabs();
        address = server.BaseUrlW() + std::wstring(path.begin(), path.end());
        page = std::make_shared<MainGameUrl>();
        page->GameUrl(address);
        strip->TabItems().Add(key, page, key);
        strip->TabItems().Selected(strip->TabItems().Count() - 1);
    }
    void Click() { ASSERT_TRUE(ActivateFirstLink(*page->WB, address)); }
    // A strip of its own for the next page, so that no key is taken twice.
    void NewStrip() {
        strip = std::make_unique<uTab>(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
        ASSERT_TRUE(strip->Create(parent, 45, 8, 660));
        strip->hContainerWnd(container);
    }
    // The tab the page was in, by its key.
    ITabForm* TabPage(const std::wstring& key) {
        const long i = strip->TabItems().FindItem(key);
        return i < 0 ? nullptr : strip->TabItems().Item(i)->Form().get();
    }

    // Activates the page's next link from the keyboard.
    void NextLink() {
        SendMessageW(page->WB->hwnd(), WM_KEYDOWN, VK_TAB, 0);
        SendMessageW(page->WB->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    }
    // A movie that takes about a second and a half to arrive.
    static HttpResponse SlowMovie(char seed) {
        HttpResponse r = TestHttpServer::Text(Movie(400000, seed), "application/x-shockwave-flash");
        r.chunkDelayMs = 200;
        return r;
    }
    // The panel's text while the page is loaded.
    std::wstring PanelText() const { return page->Loaded() ? page->LB_GameName.Caption() : L"(page unloaded)"; }

    std::wstring address;
    std::shared_ptr<MainGameUrl> page;
};

TEST_F(GamePage, SavedFlashGameThumbnailPauseMovieRenamesRowAndFlashPageInTheSameTab) {
    const std::string thumb = Picture('j', 3000), movie = Movie(300000, 's');
    DWORD thumbServed = 0, movieAsked = 0;
    server.Route("/img/t12.jpg", [&](const HttpRequest&) {
        thumbServed = GetTickCount();
        return TestHttpServer::Text(thumb, "image/jpeg");
    });
    server.Route("/swf/m12.swf", [&](const HttpRequest&) {
        movieAsked = GetTickCount();
        HttpResponse r = TestHttpServer::Text(movie, "application/x-shockwave-flash");
        r.chunkDelayMs = 150;  // several progress reports
        return r;
    });
    server.Route("/game/12.html",
                 CommandPage(L"javascript:CALL_API('FlashTable,泡泡 龙|/img/t12.jpg|/swf/m12.swf|好玩的(游戏)')"));
    Open("/game/12.html", L"泡泡 龙");

    std::vector<std::wstring> panel;
    std::wstring barText;
    int barValue = -1;
    bool movieSeenBeforeAdd = false;
    onAdd = [&] {
        panel = {page->LB_GameName.Caption(), page->LB_Speed.Caption(), page->LB_cbSize.Caption()};
        barText = page->ProgressBar1->Text();
        barValue = page->ProgressBar1->Value();
        movieSeenBeforeAdd = Exists(L"Games\\泡泡 龙.swf");
    };
    Click();
    EXPECT_TRUE(page->PicDown.Visible()) << "the panel shows while a Flash game downloads";
    EXPECT_EQ(page->LB_GameName.Caption(), L"您正在下载“泡泡 龙”游戏，请耐心等待...");
    EXPECT_EQ(page->LB_Speed.Caption(), L" - -");

    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 60000)) << "the game never started";
    EXPECT_GE(movieAsked - thumbServed, 900u) << "a one-second pause lies between the stages";
    EXPECT_EQ(server.RequestCount("/img/t12.jpg"), 1u);
    EXPECT_EQ(server.RequestCount("/swf/m12.swf"), 1u);

    EXPECT_EQ(ReadFile(L"Jpgs\\泡泡 龙.jpg"), thumb);
    EXPECT_EQ(ReadFile(L"Games\\泡泡 龙.swf"), movie);
    EXPECT_FALSE(Exists(L"Jpgs\\t12.jpg"));
    EXPECT_FALSE(Exists(L"Games\\m12.swf"));
    EXPECT_TRUE(movieSeenBeforeAdd);

    const auto rows = GameRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], L"泡泡 龙");
    EXPECT_EQ(rows[0][1], L"好玩的游戏") << "parentheses vanish from the fields";
    EXPECT_EQ(rows[0][2], address) << "G_WebUrl is the page's address";
    EXPECT_EQ(rows[0][3], L"") << "a saved movie has no W_Url";
    EXPECT_EQ(rows[0][4], L"1");
    EXPECT_EQ(rows[0][5], L"1");

    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Add 泡泡 龙 0", L"Flash 泡泡 龙"}));
    EXPECT_EQ(flash->args, (std::vector<std::wstring>{L"泡泡 龙", L"好玩的游戏", L""}));
    EXPECT_EQ(TabPage(L"泡泡 龙"), flash.get()) << "the Flash page took over the game page's tab";
    EXPECT_EQ(strip->TabItems().Count(), 3);
    EXPECT_FALSE(page->Loaded()) << "the game page unloaded";
    EXPECT_EQ(strip->Selected(), 2) << "a page that took a command does not select the catalogue";

    // The movie stage showed its progress; the last report is the whole file.
    EXPECT_EQ(panel[2], FormatBytes(static_cast<long>(movie.size())));
    EXPECT_NE(panel[1], L" - -");
    EXPECT_EQ(barText, L"100%");
    EXPECT_EQ(barValue, 100);
    EXPECT_TRUE(messages.empty());
}

TEST_F(GamePage, StreamedFlashGameFetchesOnlyTheThumbnailAndKeepsItsAddress) {
    server.Route("/img/s.jpg", TestHttpServer::Text(Picture('a', 5000), "image/jpeg"));
    server.Route("/game/s.html", CommandPage(L"javascript:CALL_API('FlashTable,Stream|/img/s.jpg|"
                                             L"http://cdn.test/s.swf?nosave|intro')"));
    std::wstring barText;
    onAdd = [&] { barText = page->ProgressBar1->Text(); };
    Open("/game/s.html", L"Stream");
    WriteFileBytes(L"Games\\Stream.swf", "old movie");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000));
    EXPECT_EQ(server.RequestCount("/img/s.jpg"), 1u);
    EXPECT_EQ(barText, L"100%") << "the only stage shows its progress";
    const auto rows = GameRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][3], L"http://cdn.test/s.swf") << "W_Url without ?nosave";
    EXPECT_EQ(rows[0][4], L"1");
    EXPECT_EQ(flash->args[2], L"http://cdn.test/s.swf?nosave") << "the Flash page streams the address as received";
    EXPECT_TRUE(Exists(L"Jpgs\\Stream.jpg"));
    EXPECT_FALSE(Exists(L"Games\\Stream.swf")) << "an older saved movie of the game does not stay";
}

TEST_F(GamePage, StoredFlashGamePlaysAtOnceWithoutDownloading) {
    AddRow(L"Known", L"http://cdn.test/k.swf", 1);
    server.Route("/game/k.html", CommandPage(L"javascript:CALL_API('FlashTable,Known|/img/k.jpg|/swf/k.swf|new intro')"));
    Open("/game/k.html", L"Known");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 10000));
    EXPECT_EQ(flash->args, (std::vector<std::wstring>{L"Known", L"new intro", L"http://cdn.test/k.swf"}));
    EXPECT_EQ(TabPage(L"Known"), flash.get());
    EXPECT_FALSE(page->Loaded());
    PumpFor(300);
    EXPECT_EQ(server.RequestCount("/img/k.jpg"), 0u);
    EXPECT_EQ(GameRows().size(), 1u);
}

TEST_F(GamePage, WebGameIsAddedAndStartedAndThePageStays) {
    server.Route("/img/w.jpg", TestHttpServer::Text(Picture('w', 700), "image/jpeg"));
    server.Route("/game/w.html", CommandPage(L"javascript:CALL_API('WebTable,Web Game|/img/w.jpg|http://play.test/w?a=1')"));
    Open("/game/w.html", L"Web Game");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return !calls.empty(); }, 30000));
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Add Web Game 1"}));
    EXPECT_FALSE(page->PicDown.Visible()) << "a web game's download shows no panel";
    const auto rows = GameRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], L"Web Game");
    EXPECT_EQ(rows[0][2], address);
    EXPECT_EQ(rows[0][3], L"http://play.test/w?a=1");
    EXPECT_EQ(rows[0][4], L"2");
    EXPECT_TRUE(Exists(L"Jpgs\\Web Game.jpg"));
    EXPECT_TRUE(page->Loaded()) << "the page stays open";

    // The same command again finds the stored game and only starts it.
    calls.clear();
    SendMessageW(page->WB->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Run Web Game"}));
    EXPECT_EQ(server.RequestCount("/img/w.jpg"), 1u);
}

TEST_F(GamePage, NamesThatAreNoFileNamesAreRefusedBeforeAnythingIsFetched) {
    for (const wchar_t* name : {L"..\\..\\x", L"CON", L"a/b"}) {
        SCOPED_TRACE(testing::Message() << Utf8(name));
        server.Route("/img/r.jpg", TestHttpServer::Text("jpeg", "image/jpeg"));
        server.Route("/game/r.html", CommandPage(std::wstring(L"javascript:CALL_API('FlashTable,") + name +
                                                 L"|/img/r.jpg|/swf/r.swf|i')"));
        NewStrip();
        const auto before = Snapshot();
        messages.clear();
        Open("/game/r.html", name);
        Click();
        PumpFor(500);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(L"不能用作文件名"), std::wstring::npos);
        EXPECT_EQ(server.RequestCount("/img/r.jpg"), 0u);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(GameRows().empty());
        EXPECT_FALSE(page->PicDown.Visible());
        page->Unload();
    }
}

// A page may name its thumbnail and movie by web address or by a path of
// the portal. A share, a local path, or a text that only holds "http://"
// somewhere (which the page would take for a web address) is refused at
// once: nothing is fetched, saved or written into the library.
TEST_F(GamePage, AddressesNeitherOnTheWebNorOfThePortalAreRefusedBeforeAnythingIsFetched) {
    server.Route("/img/r.jpg", TestHttpServer::Text("jpeg", "image/jpeg"));
    for (const wchar_t* link : {L"javascript:CALL_API('FlashTable,Far|/img/r.jpg|\\\\host\\s\\http://m.swf?nosave|i')",
                                L"javascript:CALL_API('FlashTable,Far|/img/r.jpg|C:\\Games\\http://m.swf|i')",
                                L"javascript:CALL_API('FlashTable,Far|\\\\host\\s\\r.jpg|/swf/r.swf|i')",
                                L"javascript:CALL_API('FlashTable,Far|file:///C:/r.jpg|/swf/r.swf|i')",
                                L"javascript:CALL_API('WebTable,Far|\\\\host\\http://r.jpg|http://127.0.0.1:1/play')"}) {
        SCOPED_TRACE(testing::Message() << Utf8(link));
        server.Route("/game/f.html", CommandPage(link));
        NewStrip();
        const auto before = Snapshot();
        messages.clear();
        Open("/game/f.html");
        Click();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(L"地址"), std::wstring::npos);
        EXPECT_FALSE(page->PicDown.Visible());
        EXPECT_EQ(server.RequestCount("/img/r.jpg"), 0u);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(GameRows().empty());
        page->Unload();
    }
}

TEST_F(GamePage, KindsItDoesNotTakeAndTooFewFieldsAreAnsweredAlike) {
    for (const wchar_t* link : {L"javascript:CALL_API('openTable,Some Game|/game/12.html')",
                                L"javascript:CALL_API('WebTable,Short|/img/x.jpg')",
                                L"javascript:CALL_API('FlashTable,Short|/img/x.jpg|/swf/x.swf')",
                                L"javascript:CALL_API('FlashTable')"}) {
        SCOPED_TRACE(testing::Message() << Utf8(link));
        server.Route("/game/u.html", CommandPage(link));
        server.Route("/img/x.jpg", TestHttpServer::Text("jpeg", "image/jpeg"));
        messages.clear();
        NewStrip();
        Open("/game/u.html");
        Click();
        PumpFor(300);
        EXPECT_EQ(messages, (std::vector<std::wstring>{L"内有"}));
        EXPECT_EQ(server.RequestCount("/img/x.jpg"), 0u);
        EXPECT_EQ(strip->TabItems().Count(), 3) << "no tab opened";
        page->Unload();
    }
}

TEST_F(GamePage, DownloadFailuresAreToldInThePanelAndChangeNothing) {
    server.Route("/game/e.html", CommandPage(L"javascript:CALL_API('FlashTable,Broken|/img/missing.jpg|/swf/e.swf|i')"));
    Open("/game/e.html", L"Broken");
    const auto before = Snapshot();
    Click();
    ASSERT_TRUE(PumpUntil([&] { return page->LB_GameName.Caption().find(L"下载失败") != std::wstring::npos; }, 30000));
    EXPECT_EQ(page->LB_GameName.Caption(), L"“Broken”下载失败：不可下载文件");
    EXPECT_TRUE(page->PicDown.Visible());
    PumpFor(1500);
    EXPECT_EQ(server.RequestCount("/swf/e.swf"), 0u) << "no second stage after a failed first";
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(GameRows().empty());
    EXPECT_TRUE(calls.empty());

    // An empty body is no file either.
    server.Route("/img/empty.jpg", TestHttpServer::Text("", "image/jpeg"));
    server.Route("/game/e2.html", CommandPage(L"javascript:CALL_API('WebTable,Empty|/img/empty.jpg|http://p.test/')"));
    page->GameUrl(address = server.BaseUrlW() + L"/game/e2.html");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return page->LB_GameName.Caption().find(L"没有字节返回") != std::wstring::npos; }, 30000));
    EXPECT_TRUE(page->PicDown.Visible()) << "a web game's failure shows the panel to say so";
    // A completion reported with no bytes is ignored as well.
    page->DL_WinSock->DownComplete(0);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(GameRows().empty());
    EXPECT_TRUE(page->Loaded());

    // The movie is missing: the thumbnail fetched for the game does not stay.
    server.Route("/img/half.jpg", TestHttpServer::Text(Picture('h', 900), "image/jpeg"));
    server.Route("/game/e3.html", CommandPage(L"javascript:CALL_API('FlashTable,Half|/img/half.jpg|/swf/none.swf|i')"));
    page->GameUrl(address = server.BaseUrlW() + L"/game/e3.html");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return page->LB_GameName.Caption() == L"“Half”下载失败：不可下载文件"; }, 30000));
    EXPECT_EQ(server.RequestCount("/swf/none.swf"), 1u);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(GameRows().empty());

    // Codes without a name of their own are told by number.
    EXPECT_EQ(DownloadFailedMessage(L"X", 7), L"“X”下载失败：错误 7");
}

TEST_F(GamePage, ARenameThatCannotBeDoneAddsNothingAndSaysSo) {
    // The thumbnail lands under its own name; a folder already holding the
    // game's final name stops the rename.
    server.Route("/img/ok.jpg", TestHttpServer::Text(Picture('o'), "image/jpeg"));
    server.Route("/game/n.html", CommandPage(L"javascript:CALL_API('WebTable,Blocked|/img/ok.jpg|http://p.test/b')"));
    CreateDirectoryW(folder.File(L"Jpgs\\Blocked.jpg").c_str(), nullptr);
    Open("/game/n.html", L"Blocked");
    const auto before = Snapshot();
    Click();
    ASSERT_TRUE(PumpUntil([&] { return page->LB_GameName.Caption().find(L"下载失败") != std::wstring::npos; }, 30000));
    EXPECT_EQ(page->LB_GameName.Caption(), L"“Blocked”下载失败：文件保存错误");
    EXPECT_TRUE(GameRows().empty());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(Snapshot(), before) << "the downloaded thumbnail does not stay";
}

TEST_F(GamePage, PanelPauseLinkTogglesTheAnimationWhileTheDownloadGoesOn) {
    server.Route("/img/p.jpg", [&](const HttpRequest&) {
        HttpResponse r = TestHttpServer::Text(Picture('p', 200000), "image/jpeg");
        r.chunkDelayMs = 200;
        return r;
    });
    server.Route("/game/p.html", CommandPage(L"javascript:CALL_API('FlashTable,Paused|/img/p.jpg|/swf/p.swf?nosave|i')"));
    Open("/game/p.html", L"Paused");
    Click();
    ASSERT_TRUE(page->PicDown.Visible());
    // The page view fills the page and the panel lies over it.
    RECT view, whole;
    GetWindowRect(page->WB->hwnd(), &view);
    GetClientRect(page->hwnd(), &whole);
    EXPECT_GE(view.right - view.left, whole.right);
    EXPECT_GE(view.bottom - view.top, whole.bottom);
    const POINT centre{TwipsToPixels(1425 + 4500), TwipsToPixels(1725 + 2400)};
    EXPECT_EQ(ChildWindowFromPointEx(page->hwnd(), centre, CWP_SKIPINVISIBLE), page->PicDown.hWnd());
    EXPECT_EQ(page->LB_Stop.Caption(), L"暂停下载");
    SendMessageW(page->LB_Stop.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(page->LB_Stop.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(page->LB_Stop.Caption(), L"开始下载");
    SendMessageW(page->LB_Stop.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(page->LB_Stop.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(page->LB_Stop.Caption(), L"暂停下载");
    EXPECT_EQ(page->WBLoading->LocationURL().find(L"Loading.gif") != std::wstring::npos, true);
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000)) << "the download finished at its own pace";
}

TEST_F(GamePage, DeleteLinkStopsTheDownloadAndClosesTheTab) {
    server.Route("/img/d.jpg", TestHttpServer::Text(Picture('d'), "image/jpeg"));
    server.Route("/swf/d.swf", [&](const HttpRequest&) {
        HttpResponse r = TestHttpServer::Text(Movie(400000, 'd'), "application/x-shockwave-flash");
        r.chunkDelayMs = 300;
        return r;
    });
    server.Route("/game/d.html", CommandPage(L"javascript:CALL_API('FlashTable,Dropped|/img/d.jpg|/swf/d.swf|i')"));
    Open("/game/d.html", L"Dropped");
    const auto before = Snapshot();
    Click();
    EXPECT_FALSE(page->LBDel.Enabled()) << "deleting waits for the movie stage";
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/swf/d.swf") == 1; }, 30000));
    ASSERT_TRUE(page->LBDel.Enabled());
    SendMessageW(page->LBDel.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(page->LBDel.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(strip->TabItems().FindItem(std::wstring(L"Dropped")), -1);
    EXPECT_FALSE(page->Loaded());
    PumpFor(1500);
    EXPECT_TRUE(GameRows().empty());
    EXPECT_FALSE(Exists(L"Games\\d.swf"));
    EXPECT_FALSE(Exists(L"Games\\Dropped.swf"));
    EXPECT_EQ(flash, nullptr);
    EXPECT_EQ(Snapshot(), before) << "the thumbnail fetched for the game does not stay";
}

TEST_F(GamePage, ClosingTheTabDuringThePauseLeavesNoFileAndFetchesNoMovie) {
    server.Route("/img/q.jpg", TestHttpServer::Text(Picture('q', 1500), "image/jpeg"));
    server.Route("/game/q.html", CommandPage(L"javascript:CALL_API('FlashTable,Closed|/img/q.jpg|/swf/q.swf|i')"));
    Open("/game/q.html", L"Closed");
    const auto before = Snapshot();
    Click();
    ASSERT_TRUE(PumpUntil([&] { return page->Swf_Timer.Interval() == 1000; }, 30000)) << "the thumbnail came";
    strip->TabItems().Remove(strip->TabItems().FindItem(std::wstring(L"Closed")));
    EXPECT_FALSE(page->Loaded());
    EXPECT_EQ(Snapshot(), before);
    PumpFor(1500);
    EXPECT_EQ(server.RequestCount("/swf/q.swf"), 0u);
    EXPECT_TRUE(GameRows().empty());
}

TEST_F(GamePage, ACommandWhileADownloadRunsStopsItBeforeItActs) {
    // A web game in the library; the page also offers a Flash game to add.
    AddRow(L"Farm", L"http://play.test/farm", 2);
    WriteFileBytes(L"Jpgs\\Farm.jpg", "farm thumbnail");
    server.Route("/img/a.jpg", TestHttpServer::Text(Picture('a', 2000), "image/jpeg"));
    server.Route("/swf/a.swf", SlowMovie('m'));
    server.Route("/game/a.html",
                 TestHttpServer::Text("<html><body><a href=\"javascript:CALL_API('FlashTable,Arcade|/img/a.jpg|/swf/a.swf|"
                                      "i')\" target=\"_blank\">a</a> <a href=\"javascript:CALL_API('WebTable,Farm|/img/"
                                      "f.jpg|http://play.test/farm')\" target=\"_blank\">f</a></body></html>"));
    Open("/game/a.html", L"Arcade");
    const auto before = Snapshot();

    // In the pause between the thumbnail and the movie.
    Click();
    ASSERT_TRUE(PumpUntil([&] { return page->Swf_Timer.Interval() == 1000; }, 30000)) << "the thumbnail came";
    NextLink();
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Run Farm"}));
    PumpFor(1500);
    EXPECT_EQ(server.RequestCount("/swf/a.swf"), 0u) << "the pause ended with the new command";

    // While the movie arrives.
    calls.clear();
    const std::wstring again = address + L"?again";
    page->WB->Navigate(again);
    ASSERT_TRUE(ActivateFirstLink(*page->WB, again));
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/swf/a.swf") == 1; }, 30000));
    NextLink();
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Run Farm"}));
    PumpFor(2500);  // the movie would have come by now

    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Run Farm"})) << "started once, nothing added";
    EXPECT_EQ(GameRows().size(), 1u);
    EXPECT_EQ(ReadFile(L"Jpgs\\Farm.jpg"), "farm thumbnail");
    EXPECT_EQ(Snapshot(), before) << "nothing of the abandoned add is left";
    EXPECT_TRUE(page->Loaded());
    EXPECT_TRUE(messages.empty());
}

TEST_F(GamePage, ANewCommandClearsThePanelOfTheLastOne) {
    server.Route("/game/f.html", CommandPage(L"javascript:CALL_API('FlashTable,Failed|/img/none.jpg|/swf/f.swf|i')"));
    Open("/game/f.html", L"Failed");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return page->LB_GameName.Caption() == L"“Failed”下载失败：不可下载文件"; }, 30000));
    ASSERT_TRUE(page->PicDown.Visible());

    server.Route("/img/w2.jpg", [&](const HttpRequest&) {
        HttpResponse r = TestHttpServer::Text(Picture('w', 700), "image/jpeg");
        r.delayMs = 1000;
        return r;
    });
    server.Route("/game/w2.html", CommandPage(L"javascript:CALL_API('WebTable,Next|/img/w2.jpg|http://play.test/n')"));
    address = server.BaseUrlW() + L"/game/w2.html";
    page->WB->Navigate(address);
    Click();
    EXPECT_FALSE(page->PicDown.Visible()) << "a web game's download shows no panel, and no old error";
    EXPECT_NE(page->LB_GameName.Caption(), L"“Failed”下载失败：不可下载文件");
    ASSERT_TRUE(PumpUntil([&] { return !calls.empty(); }, 30000));
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Add Next 1"}));
}

TEST_F(GamePage, ADownloadNeverTakesAFileItDidNotMake) {
    // The new game's addresses end as the program's lead-in movie and as
    // another game's thumbnail are named.
    AddRow(L"Other", L"", 1);
    WriteFileBytes(L"Jpgs\\Other.jpg", "other thumbnail");
    WriteFileBytes(L"Games\\Other.swf", "other movie");
    WriteFileBytes(L"Games\\1.swf", "lead-in");
    const std::string thumb = Picture('n', 1200), movie = Movie(5000, 'v');
    server.Route("/img/Other.jpg", TestHttpServer::Text(thumb, "image/jpeg"));
    server.Route("/swf/1.swf", TestHttpServer::Text(movie, "application/x-shockwave-flash"));
    server.Route("/game/n.html", CommandPage(L"javascript:CALL_API('FlashTable,Newcomer|/img/Other.jpg|/swf/1.swf|i')"));
    Open("/game/n.html", L"Newcomer");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000)) << Utf8(PanelText());
    EXPECT_EQ(ReadFile(L"Jpgs\\Other.jpg"), "other thumbnail");
    EXPECT_EQ(ReadFile(L"Games\\Other.swf"), "other movie");
    EXPECT_EQ(ReadFile(L"Games\\1.swf"), "lead-in");
    EXPECT_EQ(ReadFile(L"Jpgs\\Newcomer.jpg"), thumb);
    EXPECT_EQ(ReadFile(L"Games\\Newcomer.swf"), movie);
    EXPECT_EQ(GameRows().size(), 2u);
}

TEST_F(GamePage, NamesAreComparedAsTheFileSystemComparesThem) {
    // Addresses that name the game's files in other letters.
    const std::string thumb = Picture('t', 1100), movie = Movie(4000, 'T');
    server.Route("/img/tetris.jpg", TestHttpServer::Text(thumb, "image/jpeg"));
    server.Route("/swf/TETRIS.SWF", TestHttpServer::Text(movie, "application/x-shockwave-flash"));
    server.Route("/game/t.html", CommandPage(L"javascript:CALL_API('FlashTable,Tetris|/img/tetris.jpg|/swf/TETRIS.SWF|i')"));
    Open("/game/t.html", L"Tetris");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000)) << Utf8(PanelText());
    EXPECT_EQ(ReadFile(L"Jpgs\\Tetris.jpg"), thumb);
    EXPECT_EQ(ReadFile(L"Games\\Tetris.swf"), movie);
    ASSERT_EQ(GameRows().size(), 1u);

    // The same name in other letters is the stored game: it plays under its
    // own name, and nothing is fetched or written.
    flash.reset();
    const auto stored = Snapshot();
    server.Route("/game/t2.html", CommandPage(L"javascript:CALL_API('FlashTable,TETRIS|/img/tetris.jpg|/swf/TETRIS.SWF|new')"));
    Open("/game/t2.html", L"t2");  // tab keys, as collection keys, ignore case too
    Click();
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 10000));
    EXPECT_EQ(flash->args, (std::vector<std::wstring>{L"Tetris", L"new", L""}));
    PumpFor(300);
    EXPECT_EQ(server.RequestCount("/img/tetris.jpg"), 1u);
    EXPECT_EQ(Snapshot(), stored);

    // A game stored under such a name while its download ran (from another
    // page) keeps its files and its one row: the stored game plays.
    flash.reset();
    server.Route("/img/r.jpg", TestHttpServer::Text(Picture('r', 800), "image/jpeg"));
    server.Route("/swf/r.swf", SlowMovie('R'));
    server.Route("/game/r.html", CommandPage(L"javascript:CALL_API('FlashTable,RACER|/img/r.jpg|/swf/r.swf|i')"));
    Open("/game/r.html", L"r");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/swf/r.swf") == 1; }, 30000));
    AddRow(L"Racer", L"", 1);
    WriteFileBytes(L"Jpgs\\Racer.jpg", "racer thumbnail");
    WriteFileBytes(L"Games\\Racer.swf", "racer movie");
    auto racer = Snapshot();
    std::erase_if(racer, [](const auto& file) { return file.first.rfind(L"Downloads", 0) == 0; });  // the pending add's
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000)) << Utf8(PanelText());
    EXPECT_EQ(flash->args[0], L"Racer");
    EXPECT_EQ(ReadFile(L"Jpgs\\Racer.jpg"), "racer thumbnail");
    EXPECT_EQ(ReadFile(L"Games\\Racer.swf"), "racer movie");
    EXPECT_EQ(Snapshot(), racer);
    EXPECT_EQ(GameRows().size(), 2u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(GamePage, ALibraryThatCannotBeWrittenKeepsNoFileAndSaysSo) {
    // No library where the page looks for it.
    DeleteFileW(folder.File(L"npGameData.DLL").c_str());
    CreateDirectoryW(folder.File(L"npGameData.DLL").c_str(), nullptr);
    server.Route("/img/l.jpg", TestHttpServer::Text(Picture('l', 900), "image/jpeg"));
    server.Route("/swf/l.swf", TestHttpServer::Text(Movie(3000, 'L'), "application/x-shockwave-flash"));
    server.Route("/game/l.html", CommandPage(L"javascript:CALL_API('FlashTable,Lost Row|/img/l.jpg|/swf/l.swf|i')"));
    Open("/game/l.html", L"Lost Row");
    const auto before = Snapshot();
    Click();
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000)) << Utf8(PanelText());
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"“Lost Row”无法保存到游戏库：游戏库无法打开或写入。"}));
    EXPECT_EQ(flash->args[2], server.BaseUrlW() + L"/swf/l.swf") << "the game plays from the portal";
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Flash Lost Row"})) << "the grid has nothing new to show";
    EXPECT_EQ(Snapshot(), before) << "no file without a row";

    // A web game: told, nothing kept.
    messages.clear();
    calls.clear();
    server.Route("/img/l2.jpg", TestHttpServer::Text(Picture('k', 600), "image/jpeg"));
    server.Route("/game/l2.html", CommandPage(L"javascript:CALL_API('WebTable,Lost Web|/img/l2.jpg|http://play.test/l')"));
    Open("/game/l2.html", L"Lost Web");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return !messages.empty(); }, 30000));
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"“Lost Web”无法保存到游戏库：游戏库无法打开或写入。"}));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(GamePage, AThumbnailWithoutEndIsCutOffAndLeavesNothing) {
    HttpResponse endless = TestHttpServer::Text(Bytes(65536, 'z'), "image/jpeg");
    endless.endless = true;
    server.Route("/img/z.jpg", endless);
    server.Route("/game/z.html", CommandPage(L"javascript:CALL_API('FlashTable,Endless|/img/z.jpg|/swf/z.swf|i')"));
    Open("/game/z.html", L"Endless");
    const auto before = Snapshot();
    Click();
    ASSERT_TRUE(PumpUntil([&] { return page->LB_GameName.Caption() == L"“Endless”下载失败：不可下载文件"; }, 30000));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(server.RequestCount("/swf/z.swf"), 0u);
}

TEST_F(GamePage, DownloadsLeftByAnEndedLauncherGoBeforeTheNextAdd) {
    // Temporary files of a launcher that ended in the middle of downloads,
    // beside files that are not the download control's.
    WriteFileBytes(L"Jpgs\\dl1F.tmp", "half a thumbnail");
    WriteFileBytes(L"Games\\dlA0B1.tmp", "half a movie");
    WriteFileBytes(L"Jpgs\\notes.tmp", "kept");
    WriteFileBytes(L"Games\\dlmovie.tmp", "kept");
    CreateDirectoryW(folder.File(L"Downloads").c_str(), nullptr);
    CreateDirectoryW(folder.File(L"Downloads\\9").c_str(), nullptr);
    WriteFileBytes(L"Downloads\\9\\dl2C.tmp", "half");

    // A game page whose add is running when another page starts one.
    server.Route("/img/r1.jpg", TestHttpServer::Text(Picture('1', 700), "image/jpeg"));
    server.Route("/swf/r1.swf", SlowMovie('!'));
    server.Route("/game/r1.html", CommandPage(L"javascript:CALL_API('FlashTable,Running|/img/r1.jpg|/swf/r1.swf|i')"));
    Open("/game/r1.html", L"Running");
    const std::shared_ptr<MainGameUrl> running = page;
    Click();
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/swf/r1.swf") == 1; }, 30000));

    server.Route("/img/w3.jpg", TestHttpServer::Text(Picture('3', 500), "image/jpeg"));
    server.Route("/game/w3.html", CommandPage(L"javascript:CALL_API('WebTable,Later|/img/w3.jpg|http://play.test/3')"));
    Open("/game/w3.html", L"Later");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return std::count(calls.begin(), calls.end(), L"Add Later 1") == 1; }, 30000));
    EXPECT_FALSE(Exists(L"Jpgs\\dl1F.tmp"));
    EXPECT_FALSE(Exists(L"Games\\dlA0B1.tmp"));
    EXPECT_FALSE(Exists(L"Downloads\\9"));
    EXPECT_EQ(ReadFile(L"Jpgs\\notes.tmp"), "kept");
    EXPECT_EQ(ReadFile(L"Games\\dlmovie.tmp"), "kept");

    // The other page's add was left alone and ends as it should.
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000));
    EXPECT_EQ(flash->args[0], L"Running");
    EXPECT_EQ(ReadFile(L"Games\\Running.swf"), Movie(400000, '!'));
    EXPECT_EQ(GameRows().size(), 2u);
    EXPECT_FALSE(Exists(L"Downloads")) << "no add runs: nothing stays of them";
}

// A stored game's files answer to their short (8.3) names too. A new game
// named like one of them would take that file for its own: it is refused
// before anything is fetched. A file that comes under such a name while a
// game downloads (another add ended meanwhile) stays that file's.
TEST_F(GamePage, TheShortNameOfAStoredGamesFileIsNoNameForANewGame) {
    AddRow(L"Marathonrunner", L"", 1);
    WriteFileBytes(L"Jpgs\\Marathonrunner.jpg", Picture('M'));
    WriteFileBytes(L"Games\\Marathonrunner.swf", Movie(3000, 'M'));
    const std::wstring jpg = ShortStem(L"Jpgs\\Marathonrunner.jpg"), swf = ShortStem(L"Games\\Marathonrunner.swf");
    ASSERT_FALSE(jpg.empty() || swf.empty()) << "the system gives no short names";
    server.Route("/img/n.jpg", TestHttpServer::Text(Picture('n'), "image/jpeg"));
    server.Route("/swf/n.swf", SlowMovie('n'));
    const auto stored = Snapshot();
    const std::pair<std::wstring, std::wstring> commands[] = {
        {jpg, L"FlashTable," + jpg + L"|/img/n.jpg|/swf/n.swf|i"},
        {swf, L"WebTable," + swf + L"|/img/n.jpg|http://play.test/x"}};
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(testing::Message() << Utf8(command));
        server.Route("/game/s.html", CommandPage(L"javascript:CALL_API('" + command + L"')"));
        NewStrip();
        messages.clear();
        Open("/game/s.html", L"s");
        Click();
        ASSERT_TRUE(PumpUntil([&] { return !messages.empty() || !calls.empty(); }, 30000));
        EXPECT_EQ(messages, (std::vector<std::wstring>{L"游戏名称“" + name + L"”不能用作文件名，无法添加该游戏。"}));
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(server.RequestCount("/img/n.jpg"), 0u);
        EXPECT_EQ(Snapshot(), stored);
        page->Unload();
    }

    // The stored thumbnail is away while the new game's download starts, and
    // back under its name before the download ends.
    const std::wstring away = folder.File(L"Marathonrunner.jpg");
    ASSERT_TRUE(MoveFileW(folder.File(L"Jpgs\\Marathonrunner.jpg").c_str(), away.c_str()));
    server.Route("/game/r.html", CommandPage(L"javascript:CALL_API('FlashTable," + jpg + L"|/img/n.jpg|/swf/n.swf|i')"));
    Open("/game/r.html", L"r");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/swf/n.swf") == 1; }, 30000)) << Utf8(PanelText());
    ASSERT_TRUE(MoveFileW(away.c_str(), folder.File(L"Jpgs\\Marathonrunner.jpg").c_str()));
    ASSERT_EQ(ShortStem(L"Jpgs\\Marathonrunner.jpg"), jpg);
    ASSERT_TRUE(PumpUntil([&] { return PanelText().find(L"下载失败") != std::wstring::npos || flash; }, 30000));
    EXPECT_EQ(PanelText(), L"“" + jpg + L"”下载失败：文件保存错误");
    EXPECT_EQ(flash, nullptr);
    EXPECT_EQ(Snapshot(), stored);
}

// A web page where the movie should be, or anything but a picture where the
// thumbnail should be, ends the add as a failed download that says so, and
// nothing of it stays.
TEST_F(GamePage, OnlyAFlashMovieAndAPictureTheProgramShowsAreKept) {
    AddRow(L"Known", L"", 1);
    WriteFileBytes(L"Jpgs\\Known.jpg", Picture('K'));
    WriteFileBytes(L"Games\\Known.swf", Movie(2000, 'K'));
    const HttpResponse webPage = TestHttpServer::Text("<html><body>Moved</body></html>");
    server.Route("/img/ok.jpg", TestHttpServer::Text(Picture('o'), "image/jpeg"));
    server.Route("/swf/ok.swf", TestHttpServer::Text(Movie(2000, 'o'), "application/x-shockwave-flash"));
    server.Route("/img/page.jpg", webPage);
    server.Route("/swf/page.swf", webPage);
    server.Route("/img/cut.jpg", TestHttpServer::Text(Picture('c').substr(0, 20), "image/jpeg"));
    Open("/game/0.html", L"w");
    const auto stored = Snapshot();
    const struct {
        const wchar_t* command;
        const wchar_t* told;
    } cases[] = {
        {L"FlashTable,Movie Page|/img/ok.jpg|/swf/page.swf|i", L"“Movie Page”下载失败：游戏文件不是Flash影片"},
        {L"FlashTable,Thumb Page|/img/page.jpg|/swf/ok.swf|i", L"“Thumb Page”下载失败：游戏图片不是图片文件"},
        {L"FlashTable,Cut|/img/cut.jpg|/swf/ok.swf|i", L"“Cut”下载失败：游戏图片不是图片文件"},
        {L"FlashTable,Streamed|/img/page.jpg|/swf/ok.swf?nosave|i", L"“Streamed”下载失败：游戏图片不是图片文件"},
        {L"WebTable,Web Page|/img/page.jpg|http://play.test/w", L"“Web Page”下载失败：游戏图片不是图片文件"},
    };
    int showing = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << Utf8(c.command));
        server.Route("/game/p.html", CommandPage(std::wstring(L"javascript:CALL_API('") + c.command + L"')"));
        page->GameUrl(address = server.BaseUrlW() + L"/game/p.html?showing=" + std::to_wstring(++showing));
        const size_t movies = server.RequestCount("/swf/ok.swf");
        Click();
        ASSERT_TRUE(PumpUntil([&] { return PanelText().find(L"下载失败") != std::wstring::npos || !calls.empty(); },
                              30000));
        EXPECT_EQ(PanelText(), c.told);
        EXPECT_TRUE(page->PicDown.Visible());
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(server.RequestCount("/swf/ok.swf"), movies) << "no movie is fetched after a thumbnail that is none";
        EXPECT_EQ(Snapshot(), stored);
    }
}

// The program opens its files by plain paths, which end at MAX_PATH: a name
// whose files cannot have such a path is refused before anything is fetched.
TEST_F(GamePage, NamesTooLongForAPathAreRefusedBeforeAnythingIsFetched) {
    AddRow(L"Known", L"", 1);
    WriteFileBytes(L"Jpgs\\Known.jpg", Picture('K'));
    WriteFileBytes(L"Games\\Known.swf", Movie(2000, 'K'));
    server.Route("/img/l.jpg", TestHttpServer::Text(Picture('l'), "image/jpeg"));
    server.Route("/swf/l.swf", TestHttpServer::Text(Movie(2000, 'l'), "application/x-shockwave-flash"));
    // The longest name whose movie path, "<folder>\Games\<name>.swf", is shorter than MAX_PATH.
    const size_t room = MAX_PATH - 1 - (ProgramFolder() + L"\\Games\\.swf").size();
    const auto stored = Snapshot();
    for (size_t length : {size_t{300}, size_t{5000}, room + 1}) {
        SCOPED_TRACE(length);
        const std::wstring name(length, L'L');
        server.Route("/game/l.html", CommandPage(L"javascript:CALL_API('FlashTable," + name + L"|/img/l.jpg|/swf/l.swf|i')"));
        NewStrip();
        messages.clear();
        Open("/game/l.html", L"long");
        Click();
        ASSERT_TRUE(PumpUntil([&] { return !messages.empty() || !calls.empty(); }, 30000)) << Utf8(PanelText());
        EXPECT_EQ(messages, (std::vector<std::wstring>{L"游戏名称“" + name + L"”不能用作文件名，无法添加该游戏。"}));
        EXPECT_FALSE(page->PicDown.Visible());
        EXPECT_EQ(server.RequestCount("/img/l.jpg"), 0u);
        EXPECT_EQ(Snapshot(), stored);
        EXPECT_TRUE(calls.empty());
        page->Unload();
    }

    const std::wstring longest(room, L'L');
    server.Route("/game/l.html", CommandPage(L"javascript:CALL_API('FlashTable," + longest + L"|/img/l.jpg|/swf/l.swf|i')"));
    Open("/game/l.html", L"longest");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000)) << Utf8(PanelText());
    EXPECT_EQ(ReadFile(L"Games\\" + longest + L".swf"), Movie(2000, 'l'));
    EXPECT_EQ(ReadFile(L"Jpgs\\" + longest + L".jpg"), Picture('l'));
    EXPECT_EQ(GameRows().size(), 2u);
}

// Portals write addresses with a query, a fragment, or characters no file
// name may hold; the add takes whatever the address's last segment holds.
TEST_F(GamePage, AddressesWithQueriesFragmentsAndCharactersNoFileNameHoldsAreAdded) {
    const std::string thumb = Picture('q', 900), movie = Movie(6000, 'Q');
    server.Route("/img/q.jpg", TestHttpServer::Text(thumb, "image/jpeg"));
    server.Route("/swf/a*b<c>.swf", TestHttpServer::Text(movie, "application/x-shockwave-flash"));
    server.Route("/game/q.html",
                 CommandPage(L"javascript:CALL_API('FlashTable,Written|/img/q.jpg?v=2#top|/swf/a*b<c>.swf#play|i')"));
    Open("/game/q.html", L"Written");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return flash != nullptr; }, 30000)) << Utf8(PanelText());
    EXPECT_EQ(ReadFile(L"Jpgs\\Written.jpg"), thumb);
    EXPECT_EQ(ReadFile(L"Games\\Written.swf"), movie);
    EXPECT_EQ(GameRows().size(), 1u);
    for (const HttpRequest& request : server.Requests())
        EXPECT_EQ(request.target.find('#'), std::string::npos) << request.target << ": the fragment stays home";
    EXPECT_TRUE(messages.empty());
}

// An address that begins "https://" is as full as one that begins "http://":
// it is fetched as it is, not below the portal.
TEST_F(GamePage, HttpsAddressesAreFetchedAsTheyAre) {
    server.Route("/img/t.jpg", TestHttpServer::Text(Picture('t'), "image/jpeg"));
    // Nothing answers on port 1, so the downloads fail and the user is told.
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"FlashTable,Secure|https://127.0.0.1:1/img/s.jpg|/swf/s.swf|i", L"https://127.0.0.1:1/img/s.jpg"},
        {L"FlashTable,Secure|/img/t.jpg|https://127.0.0.1:1/swf/s.swf|i", L"https://127.0.0.1:1/swf/s.swf"}};
    for (const auto& [command, fetched] : cases) {
        SCOPED_TRACE(testing::Message() << Utf8(command));
        server.Route("/game/h.html", CommandPage(std::wstring(L"javascript:CALL_API('") + command + L"')"));
        NewStrip();
        Open("/game/h.html", L"h");
        const auto before = Snapshot();
        Click();
        const auto failed = [&] { return PanelText().find(L"下载失败") != std::wstring::npos; };
        ASSERT_TRUE(PumpUntil([&] { return page->DL_WinSock->Url() == fetched || failed(); }, 30000));
        EXPECT_EQ(page->DL_WinSock->Url(), fetched);
        ASSERT_TRUE(PumpUntil(failed, 30000));
        EXPECT_EQ(PanelText(), L"“Secure”下载失败：不明错误");
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(GameRows().empty());
        page->Unload();
    }
}

TEST_F(GamePage, ClosingTheTabSelectsTheCatalogueOnlyBeforeACommand) {
    server.Route("/game/c.html", CommandPage(L"javascript:CALL_API('bogus,x')"));
    Open("/game/c.html", L"c1");
    EXPECT_EQ(strip->Selected(), 2);
    strip->TabItems().Remove(2L);
    EXPECT_EQ(strip->Selected(), 1) << "closed before any command: the catalogue tab";

    page = std::make_shared<MainGameUrl>();
    page->GameUrl(address);
    strip->TabItems().Add(L"c2", page, L"c2");
    strip->TabItems().Selected(2L);
    Click();
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"内有"}));
    strip->TabItems().Remove(2L);
    EXPECT_EQ(strip->Selected(), 0) << "after a command the page selects nothing itself";
}

TEST_F(GamePage, TitleBecomesTheTabCaption) {
    server.Route("/game/t.html", CommandPage(L"javascript:CALL_API('x')", "Title Of Game"));
    Open("/game/t.html", L"key");
    ASSERT_TRUE(PumpUntil([&] { return strip->TabItems().Item(2L)->Caption() == L"Title Of Game"; }, 20000));
    EXPECT_EQ(strip->TabItems().FindItem(std::wstring(L"key")), 2) << "the key stays";
    // Closed while the strip is alive: a page without a command selects the catalogue.
    page->Unload();
    EXPECT_EQ(strip->Selected(), 1);
}

}  // namespace
