// The browser view across the life of its window: a navigation made before
// the window exists, a view whose window was destroyed and made again, the
// pictures of a page left behind, and the address as the window's text.
#include <windows.h>

#include "BrowserFixture.h"

namespace {

std::wstring WindowText(HWND h) {
    wchar_t text[512] = L"";
    GetWindowTextW(h, text, 512);
    return text;
}

// A page with `count` pictures that a silent server never delivers.
std::string PageWithSilentPictures(const TestHttpServer& silent, int count) {
    std::string page = "<title>Old</title><body>";
    for (int i = 0; i < count; ++i) page += "<img src=\"" + silent.BaseUrl() + "/hang" + std::to_string(i) + ".bmp\">";
    return page + "</body>";
}

}  // namespace

class WebBrowserLifetimeTest : public BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        HttpResponse hang;
        hang.neverAnswer = true;
        for (int i = 0; i < 6; ++i) silent_.Route("/hang" + std::to_string(i) + ".bmp", hang);
        server_.Route("/blue.bmp", TestHttpServer::Text(BlueBitmap(), "image/bmp"));
        server_.Route("/old", TestHttpServer::Text(PageWithSilentPictures(silent_, 5)));
        server_.Route("/new", TestHttpServer::Text("<title>Old</title><body leftmargin=0 topmargin=0>"
                                                   "<img src=\"/blue.bmp\"></body>"));
    }
    bool BluePicture() {
        return PumpUntil([&] { return PixelAt(1, 1) == Rgb(0, 0, 255); }, 8000);
    }
    WebBrowser::Placement Place() const {
        WebBrowser::Placement p;
        p.parent = host_;
        p.cx = kWidth;
        p.cy = kHeight;
        return p;
    }
    TestHttpServer silent_;
};

TEST_F(WebBrowserLifetimeTest, ANavigationBeforeTheWindowExistsLoadsWhenItIsMade) {
    view_ = std::make_unique<WebBrowser>();
    view_->DocumentComplete = [this](const std::wstring& url) { completes_.push_back(url); };
    view_->Navigate(Url("/new"));
    PumpFor(300);
    EXPECT_TRUE(completes_.empty());
    EXPECT_EQ(server_.RequestCount("/new"), 0u);
    ASSERT_TRUE(view_->Create(Place()));
    ASSERT_TRUE(PumpUntil([&] { return !completes_.empty(); }, 8000));
    EXPECT_EQ(completes_, std::vector<std::wstring>{Url("/new")});
    EXPECT_EQ(view_->Document()->title(), L"Old");
    EXPECT_TRUE(BluePicture());

    // about:blank before the window: there at once, reported once the window is made.
    completes_.clear();
    view_ = std::make_unique<WebBrowser>();
    view_->DocumentComplete = [this](const std::wstring& url) { completes_.push_back(url); };
    view_->Navigate(Url("/new"));
    view_->Navigate(L"about:blank");  // the last navigation wins
    EXPECT_EQ(view_->LocationURL(), L"about:blank");
    ASSERT_TRUE(view_->Create(Place()));
    ASSERT_TRUE(PumpUntil([&] { return !completes_.empty(); }, 8000));
    PumpFor(300);
    EXPECT_EQ(completes_, std::vector<std::wstring>{L"about:blank"});
    EXPECT_EQ(server_.RequestCount("/new"), 1u);
}

TEST_F(WebBrowserLifetimeTest, AViewMadeAgainAfterItsWindowWasDestroyedStartsAfresh) {
    ASSERT_TRUE(Load(Url("/old")));
    ASSERT_FALSE(titles_.empty());
    EXPECT_EQ(titles_.back(), L"Old");
    ASSERT_TRUE(PumpUntil([&] { return silent_.RequestCount("/hang3.bmp") > 0; }, 8000));  // four in flight

    DestroyWindow(view_->hwnd());
    EXPECT_EQ(view_->hwnd(), nullptr);
    EXPECT_EQ(view_->LocationURL(), L"about:blank");
    EXPECT_TRUE(view_->Document()->title().empty());
    EXPECT_EQ(view_->Document()->documentElement().outerHTML(), L"<HTML><HEAD></HEAD><BODY></BODY></HTML>");

    titles_.clear();
    completes_.clear();
    ASSERT_TRUE(view_->Create(Place()));
    EXPECT_EQ(WindowText(view_->hwnd()), L"about:blank");
    ASSERT_TRUE(Load(Url("/new")));
    EXPECT_EQ(completes_, std::vector<std::wstring>{Url("/new")});
    // The same title as before the window went is news to the new window.
    EXPECT_EQ(titles_, std::vector<std::wstring>{L"Old"});
    EXPECT_TRUE(BluePicture());
}

TEST_F(WebBrowserLifetimeTest, PicturesOfAPageLeftBehindDoNotKeepTheNextPagesFromLoading) {
    ASSERT_TRUE(Load(Url("/old")));
    ASSERT_TRUE(PumpUntil([&] { return silent_.RequestCount("/hang3.bmp") > 0; }, 8000));
    ASSERT_TRUE(Load(Url("/new")));
    EXPECT_TRUE(BluePicture());
    // The fifth picture of the page left behind was never asked for.
    PumpFor(200);
    EXPECT_EQ(silent_.RequestCount("/hang4.bmp"), 0u);
}

TEST_F(WebBrowserLifetimeTest, TheWindowTextIsTheCurrentAddress) {
    server_.Route("/from", TestHttpServer::Redirect("/new"));
    EXPECT_EQ(WindowText(view_->hwnd()), L"about:blank");
    ASSERT_TRUE(Load(Url("/from")));
    EXPECT_EQ(WindowText(view_->hwnd()), Url("/new"));
    view_->Navigate(L"about:blank");
    EXPECT_EQ(WindowText(view_->hwnd()), L"about:blank");
}
