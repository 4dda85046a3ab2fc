// Shared by the browser view tests: a host window with a view in it, event
// recording, a local HTTP server, rendering the view into pixels, clicking
// at a spot, and pictures to serve.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBIW_WINDOWS_UTF8
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include "stb_image_write.h"
#pragma GCC diagnostic pop

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Pump.h"
#include "TestHttpServer.h"
#include "WebBrowser.h"

// The title and heading of the view's not-found page.
inline const std::wstring kNotFound = L"\x65E0\x6CD5\x627E\x5230\x8BE5\x9875";  // 无法找到该页

inline std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

inline void AppendBytes(void* ctx, void* data, int size) {
    static_cast<std::string*>(ctx)->append(static_cast<char*>(data), size);
}

// Pixels of one colour, RGBA.
inline std::vector<uint8_t> Solid(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> px;
    px.reserve(static_cast<size_t>(w) * h * 4);
    for (int i = 0; i < w * h; ++i) px.insert(px.end(), {r, g, b, 255});
    return px;
}

inline std::string Png(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::string out;
    stbi_write_png_to_func(AppendBytes, &out, w, h, 4, Solid(w, h, r, g, b).data(), w * 4);
    return out;
}

// A 4 x 4 blue 24-bit bitmap.
inline std::string BlueBitmap() {
    std::string bmp = std::string("BM", 2) + std::string(52, '\0');
    auto put32 = [&](size_t at, uint32_t v) { memcpy(&bmp[at], &v, 4); };
    put32(2, 54 + 48);
    put32(10, 54);
    put32(14, 40);
    put32(18, 4);
    put32(22, 4);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int i = 0; i < 16; ++i) bmp += std::string("\xFF\x00\x00", 3);
    return bmp;
}

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

    struct Pixels {
        int width = 0, height = 0;
        std::vector<uint32_t> rgb;  // 0x00RRGGBB, row by row
        uint32_t At(int x, int y) const { return rgb[y * width + x]; }
    };

    // The view's client area (without its scroll bar), painted by the view itself.
    Pixels Render() {
        RECT rc;
        GetClientRect(view_->hwnd(), &rc);
        Pixels out;
        out.width = rc.right;
        out.height = rc.bottom;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = out.width;
        bi.bmiHeader.biHeight = -out.height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bmp);
        SendMessageW(view_->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        out.rgb.assign(p, p + out.width * out.height);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bmp);
        for (auto& v : out.rgb) v &= 0xFFFFFF;
        return out;
    }

    static uint32_t Rgb(int r, int g, int b) { return (r << 16) | (g << 8) | b; }

    // First pixel (row by row) of the colour, or nothing.
    std::optional<POINT> Find(uint32_t rgb) {
        const Pixels px = Render();
        for (int y = 0; y < px.height; ++y)
            for (int x = 0; x < px.width; ++x)
                if (px.At(x, y) == rgb) return POINT{x, y};
        return std::nullopt;
    }

    uint32_t PixelAt(int x, int y) { return Render().At(x, y); }

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
