// The browser view held by a form: placed in twips, a fresh view at every
// load (no document, title or address of the last load), Visible, Enabled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Form.h"
#include "Pump.h"
#include "TestHttpServer.h"
#include "WebBrowserHosting.h"
#include "WindowRects.h"

namespace {

class Probe : public Form {
public:
    Probe() {
        Caption(L"probe");
        Move(0, 0, 9000, 7500);
        WebRight.Move(6840, 6120, 1215, 855);  // 456, 408, 81 x 57 pixels
        WebRight.Visible(false);
        WebRight.Design = [this](WebBrowser& w) {
            w.DocumentComplete = [this](const std::wstring& url) { completes.push_back(url); };
        };
    }
    Hosted<WebBrowser> WebRight{*this};
    std::vector<std::wstring> completes;
};

TEST(HostedWebBrowser, PlacedInTwipsAndFreshAtEveryLoad) {
    TestHttpServer server;
    server.Route("/ad", TestHttpServer::Text("<html><head><title>ad</title></head><body>x</body></html>"));
    const std::wstring url = server.BaseUrlW() + L"/ad";

    Probe p;
    p.Show();
    ASSERT_NE(p.WebRight.hwnd(), nullptr);
    RECT r = RectInParent(p.WebRight.hwnd());
    EXPECT_EQ(r.left, 456);
    EXPECT_EQ(r.top, 408);
    EXPECT_EQ(r.right - r.left, 81);
    EXPECT_EQ(r.bottom - r.top, 57);
    EXPECT_FALSE(IsWindowVisible(p.WebRight.hwnd()));
    EXPECT_FALSE(p.WebRight->Visible());

    p.WebRight->Navigate(url);
    ASSERT_TRUE(PumpUntil([&] { return !p.completes.empty(); }, 8000));
    EXPECT_EQ(p.WebRight->Document()->title(), L"ad");
    p.WebRight.Move(0, 0, 3000, 1500);
    p.WebRight.Visible(true);
    r = RectInParent(p.WebRight.hwnd());
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
    EXPECT_TRUE(IsWindowVisible(p.WebRight.hwnd()));
    p.WebRight.Enabled(false);
    EXPECT_FALSE(IsWindowEnabled(p.WebRight.hwnd()));

    p.Unload();
    p.completes.clear();
    p.Show();
    EXPECT_EQ(p.WebRight->LocationURL(), L"about:blank");
    EXPECT_TRUE(p.WebRight->Document()->title().empty());
    EXPECT_FALSE(IsWindowVisible(p.WebRight.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(p.WebRight.hwnd()));
    r = RectInParent(p.WebRight.hwnd());
    EXPECT_EQ(r.left, 456);
    EXPECT_EQ(r.right - r.left, 81);
    // The design's handler reaches the new view.
    p.WebRight->Navigate(url);
    ASSERT_TRUE(PumpUntil([&] { return !p.completes.empty(); }, 8000));
    EXPECT_EQ(p.completes.front(), url);
    p.Unload();
}

}  // namespace
