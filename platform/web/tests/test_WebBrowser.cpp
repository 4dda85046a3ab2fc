// Loading pages into the browser view: events, document access, about:blank
// and document writing, local files, error pages, bad bodies, slow,
// trickling and redirecting servers, connections a server wrote more on,
// pictures arriving together, and the cookies shared with the rest of the
// process.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "BrowserFixture.h"
#include "ReadableFolderScope.h"
#include "TempDir.h"
#include "WebFetch.h"

using WebBrowserLoadTest = BrowserFixture;

TEST_F(WebBrowserLoadTest, HiddenViewLoadsAPageAndReportsTitleAndCompletion) {
    ASSERT_TRUE(MakeView(false));
    server_.Route("/page", TestHttpServer::Text("<html><head><title>\xE6\xA0\x87\xE9\xA2\x98 One</title></head>"
                                                "<body>Hello <b>world</b></body></html>"));
    ASSERT_TRUE(Load(Url("/page")));
    EXPECT_FALSE(view_->Visible());
    EXPECT_EQ(completes_, std::vector<std::wstring>{Url("/page")});
    EXPECT_EQ(view_->LocationURL(), Url("/page"));
    ASSERT_FALSE(titles_.empty());
    EXPECT_EQ(titles_.back(), L"\x6807\x9898 One");
    EXPECT_EQ(view_->Document()->title(), L"\x6807\x9898 One");
    EXPECT_EQ(Outer(), L"<HTML><HEAD><TITLE>\x6807\x9898 One</TITLE></HEAD><BODY>Hello <B>world</B></BODY></HTML>");
    view_->Visible(true);
    EXPECT_TRUE(view_->Visible());
}

TEST_F(WebBrowserLoadTest, TwentyRedirectsAreFollowedAndTheFinalAddressReportedButNoMore) {
    server_.Route("/old", TestHttpServer::Redirect("/new"));
    server_.Route("/new", TestHttpServer::Text("0"));
    ASSERT_TRUE(Load(Url("/old")));
    EXPECT_EQ(completes_.back(), Url("/new"));
    EXPECT_EQ(Outer(), L"<HTML><HEAD></HEAD><BODY>0</BODY></HTML>");

    for (int i = 0; i < 20; ++i)
        server_.Route("/hop" + std::to_string(i), TestHttpServer::Redirect(i % 2 ? server_.BaseUrl() + "/hop" + std::to_string(i + 1)
                                                                                 : "/hop" + std::to_string(i + 1), 301 + i % 2));
    server_.Route("/hop20", TestHttpServer::Text("<title>Arrived</title>"));
    ASSERT_TRUE(Load(Url("/hop0")));
    EXPECT_EQ(view_->Document()->title(), L"Arrived");
    EXPECT_EQ(completes_.back(), Url("/hop20"));

    // A page that sends the view back to itself, and two that send it to each other.
    server_.Route("/self", TestHttpServer::Redirect("/self"));
    server_.Route("/ping", TestHttpServer::Redirect("/pong", 307));
    server_.Route("/pong", TestHttpServer::Redirect("/ping", 303));
    for (const char* start : {"/self", "/ping"}) {
        ASSERT_TRUE(Load(Url(start), 20000)) << start;
        EXPECT_EQ(view_->Document()->title(), kNotFound) << start;
        EXPECT_EQ(completes_.back(), Url(start));
    }
    EXPECT_EQ(server_.RequestCount("/self"), 21u);
    EXPECT_EQ(server_.RequestCount("/ping") + server_.RequestCount("/pong"), 21u);
}

TEST_F(WebBrowserLoadTest, AboutBlankIsThereAtOnceAndCanBeWritten) {
    view_->Navigate(L"about:blank ");
    auto doc = view_->Document();
    EXPECT_EQ(doc->Url(), L"about:blank");
    EXPECT_TRUE(completes_.empty());  // reported later, from the message queue
    doc->open();
    Render();  // painting while the document is being written is harmless
    doc->writeln(L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    doc->writeln(L"<html xmlns=\"http://www.w3.org/1999/xhtml\">");
    doc->writeln(L" <head> ");
    doc->writeln(L"<style type=\"text/css\">");
    doc->writeln(L"body {background-color: #b6f4f4;}");
    doc->writeln(L"html, body{margin: 0;padding: 0;border: 0;outline: 0; background: transparent;font-size:12px;}");
    doc->writeln(L" </style> ");
    doc->writeln(L" </head> ");
    doc->writeln(L"<body scroll=\"no\" oncontextmenu=\"window.event.returnValue=false\">");
    doc->writeln(L"Press <b>space</b> to jump");
    doc->writeln(L"</body>");
    doc->writeln(L" </html> ");
    doc->close();
    doc->parentWindow().scrollBy(0, 10);
    doc->parentWindow().scrollBy(0, -10);
    ASSERT_TRUE(PumpUntil([&] { return !completes_.empty(); }));
    EXPECT_EQ(completes_, std::vector<std::wstring>{L"about:blank"});
    const std::wstring out = Outer();
    EXPECT_EQ(out.rfind(L"<HTML xmlns=\"http://www.w3.org/1999/xhtml\"><HEAD><STYLE type=\"text/css\">\r\nbody {", 0), 0u) << out;
    EXPECT_NE(out.find(L"<BODY scroll=\"no\" oncontextmenu=\"window.event.returnValue=false\">\r\nPress <B>space</B> to jump\r\n"),
              std::wstring::npos);
    // No scroll bar, and the page's colour everywhere text is not.
    EXPECT_FALSE(GetWindowLongW(view_->hwnd(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(PixelAt(kWidth - 2, kHeight - 2), Rgb(0xb6, 0xf4, 0xf4));  // no scroll bar: the whole width
    EXPECT_EQ(view_->Document(), doc);
}

TEST_F(WebBrowserLoadTest, LocalFilesLoadWithTheirPictures) {
    TempDir dir;
    ReadableFolderScope folder(dir.Path());  // the program's own files
    const std::string page = "<title>Local</title><body leftmargin=0 topmargin=0><img src=\"pic.bmp\"></body>";
    for (const auto& [name, bytes] : {std::pair{L"page.html", page}, std::pair{L"pic.bmp", BlueBitmap()}}) {
        HANDLE f = CreateFileW(dir.File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(f);
    }
    ASSERT_TRUE(Load(dir.File(L"page.html")));
    EXPECT_EQ(completes_.back().rfind(L"file:///", 0), 0u);
    EXPECT_EQ(view_->Document()->title(), L"Local");
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(1, 1) == Rgb(0, 0, 255); }));
    EXPECT_NE(PixelAt(6, 1), Rgb(0, 0, 255));
    // A picture opened on its own gets a page around it.
    ASSERT_TRUE(Load(dir.File(L"pic.bmp")));
    EXPECT_NE(Outer().find(L"<IMG src=\"file:///"), std::wstring::npos);
}

TEST_F(WebBrowserLoadTest, UnreachableHostsAndShortErrorRepliesShowTheErrorPage) {
    ASSERT_TRUE(Load(L"http://127.0.0.1:1/ad.html", 20000));
    EXPECT_EQ(completes_.back(), L"http://127.0.0.1:1/ad.html");
    EXPECT_NE(Outer().find(kNotFound), std::wstring::npos);
    ASSERT_TRUE(Load(Url("/missing")));
    EXPECT_NE(Outer().find(kNotFound), std::wstring::npos);
    HttpResponse longError = TestHttpServer::Text("<body>" + std::string(600, 'e') + "</body>");
    longError.status = 500;
    server_.Route("/long", longError);
    ASSERT_TRUE(Load(Url("/long")));
    EXPECT_EQ(Outer().find(L"\x65E0\x6CD5"), std::wstring::npos);
    EXPECT_NE(Outer().find(L"eeee"), std::wstring::npos);
}

TEST_F(WebBrowserLoadTest, BinaryHugeAndBrokenBodiesLoadWithoutHarm) {
    server_.Route("/bin", TestHttpServer::Text(std::string("MZ\x90\0\3\0\0\0\4\0", 10) + std::string(5000, '\0'),
                                               "application/octet-stream"));
    ASSERT_TRUE(Load(Url("/bin")));
    EXPECT_EQ(Outer(), L"<HTML><HEAD></HEAD><BODY></BODY></HTML>");
    std::string huge = "<body>";
    while (huge.size() < (6u << 20)) huge += "<p>line of text <a href=x>link</a> <img src=none.png>";
    server_.Route("/huge", TestHttpServer::Text(huge));
    ASSERT_TRUE(Load(Url("/huge"), 60000));
    EXPECT_GT(Outer().size(), 1000000u);
    server_.Route("/broken", TestHttpServer::Text("<html><body><table><tr><td>a<td>b</tr></table><div <p>x</b></i><a href='q"));
    ASSERT_TRUE(Load(Url("/broken")));
    EXPECT_NE(Outer().find(L"<TD>a</TD><TD>b</TD>"), std::wstring::npos);
}

TEST_F(WebBrowserLoadTest, ASilentServerDoesNotHoldTheWindowUp) {
    HttpResponse silent;
    silent.neverAnswer = true;
    server_.Route("/silent", silent);
    server_.Route("/page", TestHttpServer::Text("<title>P</title>ok"));
    const DWORD start = GetTickCount();
    view_->Navigate(Url("/silent"));
    EXPECT_LT(GetTickCount() - start, 500u);
    ASSERT_TRUE(PumpUntil([&] { return server_.RequestCount("/silent") == 1; }));
    ASSERT_TRUE(Load(Url("/page")));
    PumpFor(300);
    EXPECT_EQ(completes_, std::vector<std::wstring>{Url("/page")});
}

// A server that sends a byte now and then is cut off at the whole-fetch
// limit, and what arrived by then is kept.
TEST(WebFetchTest, ATricklingReplyEndsAtTheWholeFetchLimit) {
    TestHttpServer server;
    HttpResponse trickle = TestHttpServer::Text(std::string(2000, 'x'));
    trickle.chunkBytes = 1;
    trickle.chunkDelayMs = 20;  // 40 s for the whole body
    server.Route("/trickle", trickle);
    FetchResult r;
    r.requestUrl = server.BaseUrlW() + L"/trickle";
    HttpFetch how;
    how.wholeFetchMs = 1000;
    const DWORD start = GetTickCount();
    FetchHttp(r, how);
    EXPECT_LT(GetTickCount() - start, 4000u);
    EXPECT_TRUE(r.replied);
    EXPECT_EQ(r.status, 200);
    EXPECT_FALSE(r.body.empty());
    EXPECT_LT(r.body.size(), 2000u);
}

// The server keeps the connection after a page and writes a second reply
// on it that nobody asked for: the next page is the server's answer to its
// own request.
TEST_F(WebBrowserLoadTest, BytesLeftOnAConnectionAreNotTakenForTheNextPage) {
    const std::string left = "<title>Left</title>LEFT OVER from the reply before";
    HttpResponse first = TestHttpServer::Text("<title>First</title>" + std::string(400, 'a'));
    first.lateReply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(left.size()) +
                      "\r\n\r\n" + left;
    server_.Route("/first", first);
    server_.Route("/second", TestHttpServer::Text("<title>Second</title>second page"));
    ASSERT_TRUE(Load(Url("/first")));
    EXPECT_EQ(view_->Document()->title(), L"First");
    ASSERT_TRUE(PumpUntil([&] { return server_.Answering() == 0; }));
    ASSERT_TRUE(Load(Url("/second")));
    EXPECT_EQ(view_->Document()->title(), L"Second");
    EXPECT_EQ(server_.RequestCount("/second"), 1u);
}

// Pictures whose fetches end together are laid out together: the page is
// laid out once for them, not once per picture.
TEST_F(WebBrowserLoadTest, PicturesArrivingTogetherCauseOneLayout) {
    std::mutex mu;
    std::condition_variable cv;
    bool open = false;
    std::string page = "<body leftmargin=0 topmargin=0>";
    for (int i = 0; i < 4; ++i) {  // as many as the view fetches at once
        const std::string path = "/held" + std::to_string(i) + ".bmp";
        page += "<img src=\"" + path + "\">";
        server_.Route(path, [&](const HttpRequest&) {
            std::unique_lock<std::mutex> lock(mu);
            cv.wait_for(lock, std::chrono::seconds(20), [&] { return open; });
            return TestHttpServer::Text(BlueBitmap(), "image/bmp");
        });
    }
    server_.Route("/pictures", TestHttpServer::Text(page));
    ASSERT_TRUE(Load(Url("/pictures")));
    ASSERT_TRUE(PumpUntil([&] {
        for (int i = 0; i < 4; ++i)
            if (!server_.RequestCount("/held" + std::to_string(i) + ".bmp")) return false;
        return true;
    }));
    const size_t before = view_->LayoutCount();
    {
        std::lock_guard<std::mutex> lock(mu);
        open = true;
    }
    cv.notify_all();
    // Each fetch posts its arrival to the view's window: the four are
    // taken from the queue as they come and handed over together.
    std::vector<MSG> arrivals;
    const DWORD start = GetTickCount();
    while (arrivals.size() < 4 && GetTickCount() - start < 8000) {
        MSG msg;
        if (PeekMessageW(&msg, view_->hwnd(), WM_APP, 0xBFFF, PM_REMOVE)) arrivals.push_back(msg);
        else MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
    }
    ASSERT_EQ(arrivals.size(), 4u);
    for (const MSG& msg : arrivals) DispatchMessageW(&msg);
    ASSERT_TRUE(PumpUntil([&] {
        const Pixels px = Render();
        return std::count(px.rgb.begin(), px.rgb.end(), Rgb(0, 0, 255)) == 4 * 16;
    }));
    EXPECT_EQ(view_->LayoutCount() - before, 1u);
}

TEST_F(WebBrowserLoadTest, StopDropsTheLoadAndRefreshFetchesAgain) {
    HttpResponse slow = TestHttpServer::Text("slow");
    slow.delayMs = 400;
    server_.Route("/slow", slow);
    view_->Navigate(Url("/slow"));
    view_->Stop();
    PumpFor(1000);
    EXPECT_TRUE(completes_.empty());
    server_.Route("/page", TestHttpServer::Text("page"));
    ASSERT_TRUE(Load(Url("/page")));
    const size_t before = completes_.size();
    view_->Refresh();
    ASSERT_TRUE(PumpUntil([&] { return completes_.size() > before; }));
    EXPECT_EQ(server_.RequestCount("/page"), 2u);
}

TEST_F(WebBrowserLoadTest, CookiesAreSharedWithTheProcess) {
    HttpResponse login = TestHttpServer::Text("0");
    login.headers.emplace_back("Set-Cookie", "sid=abc123; path=/");
    server_.Route("/my/login.php", login);
    server_.Route("/space", [](const HttpRequest& r) {
        auto it = r.headers.find("cookie");
        return TestHttpServer::Text(it == r.headers.end() ? "none" : it->second);
    });
    ASSERT_TRUE(Load(Url("/my/login.php?username=a&password=b&cookiesstate=1")));
    ASSERT_TRUE(Load(Url("/space")));
    EXPECT_NE(Outer().find(L"sid=abc123"), std::wstring::npos);
    wchar_t cookie[256];
    DWORD len = 256;
    ASSERT_TRUE(InternetGetCookieW(Url("/").c_str(), nullptr, cookie, &len));
    EXPECT_NE(std::wstring(cookie).find(L"sid=abc123"), std::wstring::npos);
}

TEST_F(WebBrowserLoadTest, AHandlerMayDestroyTheView) {
    server_.Route("/page", TestHttpServer::Text("<title>T</title>x"));
    bool fired = false;
    view_->DocumentComplete = [&](const std::wstring&) {
        fired = true;
        view_.reset();
    };
    view_->Navigate(Url("/page"));
    ASSERT_TRUE(PumpUntil([&] { return fired; }));
    PumpFor(200);
    EXPECT_FALSE(view_);
}

TEST_F(WebBrowserLoadTest, ChineseAndLatinTextIsPainted) {
    auto inkIn = [&](int top, int bottom) {
        const Pixels px = Render();
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < px.width; ++x) ink += px.At(x, y) != Rgb(255, 255, 255);
        return ink;
    };
    server_.Route("/zh", TestHttpServer::Text("<body bgcolor=white>\xE4\xB8\xAD\xE6\x96\x87\xE6\xB8\xB8\xE6\x88\x8F</body>"));
    ASSERT_TRUE(Load(Url("/zh")));
    EXPECT_GT(inkIn(0, 40), 20);
    EXPECT_EQ(inkIn(60, kHeight), 0);
    server_.Route("/en", TestHttpServer::Text("<body bgcolor=white>Games</body>"));
    ASSERT_TRUE(Load(Url("/en")));
    EXPECT_GT(inkIn(0, 40), 20);
}
