// A launcher whose portal is a test HTTP server on 127.0.0.1: the space page
// with its sign-in (type 8) and registration (type 9) links, and sign-in and
// registration pages in both channels answering a reply the test sets.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <mutex>
#include <string>

#include "DialogTestSupport.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "Pump.h"
#include "Settings.h"
#include "TestHttpServer.h"
#include "TextBox.h"
#include "U_Login.h"
#include "U_Regedit.h"
#include "iButton.h"

class SignInFixture : public ::testing::Test {
protected:
    void SetUp() override {
        PortalUrl = server.BaseUrlW();
        server.Route("/my/space1.php", TestHttpServer::Text(
            "<html><body><p><a href=\"/my/login.html\" type=\"8\" target=\"_blank\">login</a> | "
            "<a href=\"/my/register.html\" type=\"9\" target=\"_blank\">register</a></p></body></html>"));
        // A reply "0" signs the browser in, as the portal's cookie. Replies
        // may be cached: only the client keeps the password out of its cache.
        for (const char* path : {"/my/login.php", "/login.php", "/my/register.php", "/register.php"})
            server.Route(path, [this](const HttpRequest& r) {
                HttpResponse response = TestHttpServer::Text(Reply());
                response.headers.push_back({"Cache-Control", "max-age=3600"});
                if (response.body.rfind("0", 0) == 0 && response.body.size() <= 3)
                    response.headers.push_back({"Set-Cookie", "who=" + std::to_string(r.target.size()) + "; Path=/"});
                return response;
            });
        TheMainFrm().Show();
    }
    void TearDown() override {
        TheU_Login().Unload();
        TheU_Regedit().Unload();
        TheMainFrm().Unload();
        SiteCode = L"5170";
    }

    void Reply(const std::string& body) {
        std::lock_guard<std::mutex> lock(mu_);
        reply_ = body;
    }
    std::string Reply() {
        std::lock_guard<std::mutex> lock(mu_);
        return reply_;
    }
    // Typed key by key, as the user does.
    static void Type(TextBox& box, const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(box.hWnd(), WM_CHAR, c, 1);
    }
    // Enter pressed on the keyboard: the key goes to the focused control
    // through the message loop, which turns it into a character as well.
    static void PressEnter() {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(focus, WM_KEYUP, VK_RETURN, 0xC01C0001);
    }
    static void ClickWindow(HWND h) {
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    // Waits until `path` has been asked `count` times and its page has had
    // time to arrive in the window's browser view.
    bool Answered(const std::string& path, size_t count, const std::function<bool()>& done) {
        return PumpUntil([&] { return server.RequestCount(path) >= count && done(); }, 20000);
    }
    // The window lies at the main window's place plus the offsets (twips, to
    // the nearest pixel) and is cut to a round rectangle of the given size,
    // which leaves out its right and bottom edge.
    static void ExpectPlacedAndRounded(HWND w, int dxTwips, int dyTwips, int width, int height) {
        RECT main{}, own{};
        GetWindowRect(TheMainFrm().hwnd(), &main);
        GetWindowRect(w, &own);
        EXPECT_NEAR(own.left - main.left, dxTwips / 15.0, 1.0);
        EXPECT_NEAR(own.top - main.top, dyTwips / 15.0, 1.0);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(w, rgn), ERROR);
        RECT box{};
        GetRgnBox(rgn, &box);
        EXPECT_EQ(box.right, width - 1);
        EXPECT_EQ(box.bottom, height - 1);
        EXPECT_FALSE(PtInRegion(rgn, 0, 0));
        EXPECT_TRUE(PtInRegion(rgn, 3, 3));
        EXPECT_TRUE(PtInRegion(rgn, width / 2, 0));
        DeleteObject(rgn);
    }
    // The cookie the last request for `path` carried.
    std::string LastCookie(const std::string& path) {
        std::string last;
        for (const HttpRequest& r : server.Requests())
            if (r.path == path) last = r.headers.count("cookie") ? r.headers.at("cookie") : "";
        return last;
    }
    // Whether the URL cache holds an entry for the portal's address `target`.
    bool InCache(const std::string& target) {
        const std::wstring url = server.BaseUrlW() + std::wstring(target.begin(), target.end());
        DWORD size = 0;
        GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size);
        return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
    }
    // The query of the last request for `path`.
    std::string LastTarget(const std::string& path) {
        std::string last;
        for (const HttpRequest& r : server.Requests())
            if (r.path == path) last = r.target;
        return last;
    }

    TestProgramFolder prog;
    LauncherEnv env{prog.Path()};
    TestHttpServer server;

private:
    std::mutex mu_;
    std::string reply_ = "0";
};
