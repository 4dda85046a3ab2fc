// The browser view under the user's hand: links activated by click and by
// keyboard, the active element the pages read, new-window requests
// (cancelled or not), javascript: links, the first frame, pictures and
// scrolling.
#include <windows.h>

#include "BrowserFixture.h"
#include "BrowserPopup.h"
#include "RaisedError.h"

namespace {

std::string Jpg(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::string out;
    stbi_write_jpg_to_func(AppendBytes, &out, w, h, 4, Solid(w, h, r, g, b).data(), 95);
    return out;
}

// One green pixel.
const std::string kGreenGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\xFF\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;", 35);

class WebBrowserInputTest : public BrowserFixture {
protected:
    // Records the new-window requests and what the page's document said at that moment.
    void WatchNewWindows(bool cancel) {
        view_->NewWindow2 = [this, cancel](bool& Cancel) {
            auto doc = view_->Document();
            activeHref_.push_back(doc->activeElement().href());
            activeType_.push_back(doc->activeElement().type());
            if (cancel) Cancel = true;
        };
    }
    std::vector<std::wstring> activeHref_, activeType_;
};

}  // namespace

TEST_F(WebBrowserInputTest, ClickedLinkWithATargetAsksForANewWindowThatCanBeCancelled) {
    server_.Route("/page", TestHttpServer::Text("<body>Sign in: <a href=\"/login\" target=\"_blank\" type=\"8\">LOGIN</a></body>"));
    server_.Route("/login", TestHttpServer::Text("<title>Login</title>form"));
    ASSERT_TRUE(Load(Url("/page")));
    WatchNewWindows(true);
    ASSERT_TRUE(ClickLink());
    ASSERT_EQ(activeHref_.size(), 1u);
    EXPECT_EQ(activeHref_[0], Url("/login"));
    EXPECT_EQ(activeType_[0], L"8");
    EXPECT_EQ(view_->Document()->activeElement().href(), Url("/login"));
    PumpFor(300);
    EXPECT_EQ(OwnPopup(), nullptr);
    EXPECT_EQ(server_.RequestCount("/login"), 0u);
    EXPECT_EQ(completes_.size(), 1u);
    // A click beside the link makes the body active again.
    Click(POINT{kWidth - 30, kHeight - 30});
    EXPECT_EQ(view_->Document()->activeElement().href(), L"");
}

TEST_F(WebBrowserInputTest, NewWindowThatIsNotCancelledOpensItsOwnBrowserWindow) {
    server_.Route("/page", TestHttpServer::Text("<body><a href=\"/game?id=7\" target=\"game\">PLAY</a></body>"));
    server_.Route("/game", TestHttpServer::Text("<title>Game Seven</title>playing"));
    ASSERT_TRUE(Load(Url("/page")));
    WatchNewWindows(false);
    ASSERT_TRUE(ClickLink());
    EXPECT_EQ(activeHref_, std::vector<std::wstring>{Url("/game?id=7")});
    HWND popup = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (popup = OwnPopup()) != nullptr; }));
    wchar_t title[64] = {};
    ASSERT_TRUE(PumpUntil([&] {
        GetWindowTextW(popup, title, 64);
        return std::wstring(title) == L"Game Seven";
    }));
    auto* popupView = dynamic_cast<WebBrowser*>(Window::FromHandle(GetWindow(popup, GW_CHILD)));
    ASSERT_TRUE(popupView);
    EXPECT_EQ(popupView->LocationURL(), Url("/game?id=7"));
    EXPECT_EQ(view_->LocationURL(), Url("/page"));  // the view itself stays
    DestroyWindow(popup);
    EXPECT_EQ(OwnPopup(), nullptr);
}

TEST_F(WebBrowserInputTest, LinkWithoutTargetNavigatesTheViewItself) {
    server_.Route("/page", TestHttpServer::Text("<body><a href=\"next.html\">NEXT</a> <a href=\"#top\">x</a></body>"));
    server_.Route("/next.html", TestHttpServer::Text("<title>Next</title>next"));
    ASSERT_TRUE(Load(Url("/page")));
    WatchNewWindows(true);
    ASSERT_TRUE(ClickLink());
    ASSERT_TRUE(PumpUntil([&] { return completes_.size() == 2; }));
    EXPECT_EQ(completes_[1], Url("/next.html"));
    EXPECT_EQ(titles_.back(), L"Next");
    EXPECT_TRUE(activeHref_.empty());
}

TEST_F(WebBrowserInputTest, JavascriptLinksNeverRun) {
    server_.Route("/cmd", TestHttpServer::Text("<body><a href=\"javascript:CALL_API('openTable,Some Game|/game/12.html')\" target=\"_blank\">CMD</a></body>"));
    server_.Route("/plain", TestHttpServer::Text("<body><a href=\"javascript:void(0)\">JS</a></body>"));
    ASSERT_TRUE(Load(Url("/cmd")));
    WatchNewWindows(false);  // not even an uncancelled request opens anything
    ASSERT_TRUE(ClickLink());
    EXPECT_EQ(activeHref_, std::vector<std::wstring>{L"javascript:CALL_API('openTable,Some Game|/game/12.html')"});
    ASSERT_TRUE(Load(Url("/plain")));
    ASSERT_TRUE(ClickLink());
    PumpFor(300);
    EXPECT_EQ(activeHref_.size(), 1u);
    EXPECT_EQ(completes_.size(), 2u);
    EXPECT_EQ(view_->Document()->activeElement().href(), L"javascript:void(0)");
    EXPECT_EQ(OwnPopup(), nullptr);
}

TEST_F(WebBrowserInputTest, KeyboardTabAndEnterActivateLinks) {
    server_.Route("/page", TestHttpServer::Text(
        "<body><a href=\"/a\" target=_blank type=\"8\">A</a><br><a href=\"/b\" target=_blank type=\"9\">B</a></body>"));
    ASSERT_TRUE(Load(Url("/page")));
    WatchNewWindows(true);
    SetFocus(view_->hwnd());
    SendMessageW(view_->hwnd(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(view_->Document()->activeElement().type(), L"8");  // focus alone makes it active
    SendMessageW(view_->hwnd(), WM_KEYDOWN, VK_TAB, 0);
    SendMessageW(view_->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(activeType_, std::vector<std::wstring>{L"9"});
    EXPECT_EQ(activeHref_[0], Url("/b"));
}

TEST_F(WebBrowserInputTest, FirstFrameLoadsBeforeThePageCompletesAndHoldsItsOwnActiveElement) {
    server_.Route("/top", TestHttpServer::Text(
        "<body>catalogue<br><iframe name=\"list\" src=\"/inner\" width=\"300\" height=\"100\"></iframe></body>"));
    server_.Route("/inner", TestHttpServer::Text(
        "<body><a href=\"javascript:CALL_API('WebTable,Name|/t.jpg|http://g/')\" target=\"_blank\">ADD</a></body>"));
    ASSERT_TRUE(Load(Url("/top")));
    EXPECT_EQ(completes_, (std::vector<std::wstring>{Url("/inner"), Url("/top")}));
    auto top = view_->Document();
    EXPECT_NE(top->frames(0).Document()->documentElement().outerHTML().find(L"ADD"), std::wstring::npos);
    std::wstring frameHref;
    view_->NewWindow2 = [&](bool& Cancel) {
        frameHref = view_->Document()->frames(0).Document()->activeElement().href();
        activeHref_.push_back(view_->Document()->activeElement().href());
        Cancel = true;
    };
    ASSERT_TRUE(ClickLink());
    EXPECT_EQ(activeHref_, std::vector<std::wstring>{L""});  // the top document's active element is the frame
    EXPECT_EQ(frameHref, L"javascript:CALL_API('WebTable,Name|/t.jpg|http://g/')");
    EXPECT_EQ(top->activeElement().Node().lowerName, L"iframe");
}

TEST_F(WebBrowserInputTest, LinkTargetingTheFrameLoadsItThere) {
    server_.Route("/set", TestHttpServer::Text(
        "<frameset cols=\"100%\"><frame name=\"main\" src=\"/one\"></frameset>"));
    server_.Route("/one", TestHttpServer::Text("<body><a href=\"/two\">TWO</a></body>"));
    server_.Route("/two", TestHttpServer::Text("<body>second</body>"));
    ASSERT_TRUE(Load(Url("/set")));
    ASSERT_TRUE(ClickLink());
    ASSERT_TRUE(PumpUntil([&] { return completes_.size() == 3; }));
    EXPECT_EQ(completes_[2], Url("/two"));
    EXPECT_EQ(view_->LocationURL(), Url("/set"));
    EXPECT_NE(view_->Document()->frames(0).Document()->documentElement().outerHTML().find(L"second"), std::wstring::npos);
    EXPECT_THROW(view_->Document()->frames(1), RaisedError);
}

TEST_F(WebBrowserInputTest, PicturesAreFetchedAndDrawnAtTheirSize) {
    server_.Route("/red.png", TestHttpServer::Text(Png(10, 10, 255, 0, 0), "image/png"));
    server_.Route("/green.gif", TestHttpServer::Text(kGreenGif, "image/gif"));
    server_.Route("/blue.jpg", TestHttpServer::Text(Jpg(16, 16, 0, 0, 255), "image/jpeg"));
    server_.Route("/page", TestHttpServer::Text(
        "<body bgcolor=\"#ffffff\" leftmargin=0 topmargin=0><img src=\"red.png\"><img src=\"/green.gif\" width=\"20\" "
        "height=\"20\"><img src=\"/missing.png\"><img src=\"blue.jpg\"></body>"));
    ASSERT_TRUE(Load(Url("/page")));
    ASSERT_TRUE(PumpUntil([&] { return PixelAt(5, 15) == Rgb(255, 0, 0) && PixelAt(15, 5) == Rgb(0, 255, 0); }));
    EXPECT_EQ(PixelAt(9, 19), Rgb(255, 0, 0));   // 10 x 10 at the bottom of a 20-pixel line
    EXPECT_NE(PixelAt(9, 9), Rgb(255, 0, 0));
    EXPECT_EQ(PixelAt(29, 19), Rgb(0, 255, 0));  // the one-pixel GIF stretched to 20 x 20
    EXPECT_EQ(server_.RequestCount("/missing.png"), 1u);
    // The JPEG follows at 30..45 (its colours only nearly exact).
    ASSERT_TRUE(PumpUntil([&] { return (PixelAt(37, 12) & 0xFF) > 200; }));
    EXPECT_LT(PixelAt(37, 12) >> 8, 0x4040u);
    EXPECT_EQ(PixelAt(47, 10), Rgb(255, 255, 255));
}

TEST_F(WebBrowserInputTest, TheCursorIsAHandOverLinks) {
    server_.Route("/page", TestHttpServer::Text("<body>plain text and <a href=\"/x\">a link</a></body>"));
    ASSERT_TRUE(Load(Url("/page")));
    auto link = Find(Rgb(0, 0, 255));
    ASSERT_TRUE(link);
    auto cursorAt = [&](POINT pt) {
        ClientToScreen(view_->hwnd(), &pt);
        SetCursorPos(pt.x, pt.y);
        SendMessageW(view_->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(view_->hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorAt(*link), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(cursorAt(POINT{10, kHeight - 20}), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(WebBrowserInputTest, ScrollByMovesTheViewAndTheScrollBar) {
    server_.Route("/red.png", TestHttpServer::Text(Png(50, 50, 255, 0, 0), "image/png"));
    std::string page = "<body leftmargin=0 topmargin=0><img src=\"/red.png\">";
    for (int i = 0; i < 60; ++i) page += "<br>line";
    server_.Route("/long", TestHttpServer::Text(page));
    ASSERT_TRUE(Load(Url("/long")));
    ASSERT_TRUE(PumpUntil([&] { return PixelAt(10, 40) == Rgb(255, 0, 0); }));
    HtmlWindow& window = view_->Document()->parentWindow();
    window.scrollBy(0, 30);
    EXPECT_EQ(GetScrollPos(view_->hwnd(), SB_VERT), 30);
    EXPECT_EQ(PixelAt(10, 10), Rgb(255, 0, 0));
    EXPECT_NE(PixelAt(10, 25), Rgb(255, 0, 0));
    for (int i = 0; i < 3; ++i) window.scrollBy(0, 10);
    window.scrollBy(0, -10);
    EXPECT_EQ(GetScrollPos(view_->hwnd(), SB_VERT), 50);
    window.scrollBy(0, -1000);
    EXPECT_EQ(PixelAt(10, 40), Rgb(255, 0, 0));
    EXPECT_TRUE(GetWindowLongW(view_->hwnd(), GWL_STYLE) & WS_VSCROLL);
    // The mouse wheel scrolls too.
    SendMessageW(view_->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(GetScrollPos(view_->hwnd(), SB_VERT), 48);
}

TEST_F(WebBrowserInputTest, AScriptFrameSourceIsReportedButNotRun) {
    server_.Route("/top", TestHttpServer::Text("<body><iframe src=\"javascript:'';\"></iframe>text</body>"));
    ASSERT_TRUE(Load(Url("/top")));
    EXPECT_EQ(completes_, (std::vector<std::wstring>{L"javascript:'';", Url("/top")}));
    EXPECT_EQ(view_->Document()->frames(0).Document()->documentElement().outerHTML(),
              L"<HTML><HEAD></HEAD><BODY></BODY></HTML>");
}
