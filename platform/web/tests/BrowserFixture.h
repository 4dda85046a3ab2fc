// Shared by the browser view tests: a host window with a view in it, event
// recording, a local HTTP server, rendering the view into pixels and
// clicking at a spot.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Pump.h"
#include "TestHttpServer.h"
#include "WebBrowser.h"

inline std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class BrowserFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 400, kHeight = 300;

    void SetUp() override {
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640,
                                480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(host_);
        ASSERT_TRUE(MakeView(true));
    }

    void TearDown() override {
        view_.reset();
        while (HWND popup = OwnPopup()) DestroyWindow(popup);
        DestroyWindow(host_);
        PumpFor(20);
    }

    bool MakeView(bool visible) {
        view_ = std::make_unique<WebBrowser>();
        WebBrowser::Placement p;
        p.parent = host_;
        p.cx = kWidth;
        p.cy = kHeight;
        p.visible = visible;
        if (!view_->Create(p)) return false;
        view_->DocumentComplete = [this](const std::wstring& url) { completes_.push_back(url); };
        view_->TitleChange = [this](const std::wstring& title) { titles_.push_back(title); };
        return true;
    }

    // A new-window pop-up of this process (tests of other processes share the desktop).
    static HWND OwnPopup() {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"OrvaneBrowserPopup", nullptr)) != nullptr;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == GetCurrentProcessId()) return w;
        }
        return nullptr;
    }

    std::wstring Url(const std::string& path) const { return server_.BaseUrlW() + Widen(path); }

    // Navigates and waits for the document's completion (true when it came).
    bool Load(const std::wstring& url, DWORD ms = 8000) {
        const size_t before = completes_.size();
        view_->Navigate(url);
        return PumpUntil([&] { return completes_.size() > before; }, ms);
    }

    std::wstring Outer() { return view_->Document()->documentElement().outerHTML(); }

    // The view's client area as 0x00RRGGBB pixels, painted by the view itself.
    std::vector<uint32_t> Render() {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kWidth;
        bi.bmiHeader.biHeight = -kHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bmp);
        SendMessageW(view_->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        std::vector<uint32_t> px(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + kWidth * kHeight);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bmp);
        for (auto& p : px) p &= 0xFFFFFF;
        return px;
    }

    static uint32_t Rgb(int r, int g, int b) { return (r << 16) | (g << 8) | b; }

    // First pixel (row by row) of the colour, or nothing.
    std::optional<POINT> Find(uint32_t rgb) {
        const auto px = Render();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (px[y * kWidth + x] == rgb) return POINT{x, y};
        return std::nullopt;
    }

    uint32_t PixelAt(int x, int y) { return Render()[y * kWidth + x]; }

    void Click(POINT pt) {
        const LPARAM at = MAKELPARAM(pt.x, pt.y);
        SendMessageW(view_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(view_->hwnd(), WM_LBUTTONUP, 0, at);
    }

    // Clicks the first link-coloured (blue) pixel of the page.
    bool ClickLink() {
        auto pt = Find(Rgb(0, 0, 255));
        if (!pt) return false;
        Click(*pt);
        return true;
    }

    HWND host_ = nullptr;
    TestHttpServer server_;
    std::unique_ptr<WebBrowser> view_;
    std::vector<std::wstring> completes_, titles_;
};
