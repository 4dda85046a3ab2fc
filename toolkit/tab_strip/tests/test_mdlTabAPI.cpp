// The GDI helpers on real device contexts: pixels read back, style writes
// observed through the messages the window receives, the raised error texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "RaisedError.h"
#include "mdlTabAPI.h"

namespace {

std::vector<UINT> seen;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_STYLECHANGING || msg == WM_STYLECHANGED) seen.push_back(msg);
    if (msg == WM_WINDOWPOSCHANGING) seen.push_back(reinterpret_cast<WINDOWPOS*>(lp)->flags | 0x80000000u);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TabApiTestWindow";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"t", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

// A memory DC whose every pixel has its own colour.
HDC PatternDC(int w, int h) {
    HDC dc = CreateMemDC(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, RGB(x * 7 % 256, y * 11 % 256, (x * 3 + y * 5) % 256));
    return dc;
}

void Fill(HDC dc, int w, int h, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT rc{0, 0, w, h};
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

TEST(ModifyWindowLong, WritesOnlyWhenTheValueChanges) {
    HWND hwnd = MakeWindow();
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    seen.clear();
    ModifyWindowLong(hwnd, GWL_STYLE, WS_POPUP, WS_CAPTION, SWP_FRAMECHANGED);  // already so
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE), style);

    ModifyWindowLong(hwnd, GWL_STYLE, kCaptionAndFrame, WS_CHILD, SWP_FRAMECHANGED);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE), (style & ~kCaptionAndFrame) | WS_CHILD);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], static_cast<UINT>(WM_STYLECHANGING));
    EXPECT_EQ(seen[1], static_cast<UINT>(WM_STYLECHANGED));
    EXPECT_EQ(seen[2] & 0x7FFFFFFF, static_cast<UINT>(SWP_FRAMECHANGED | 23));

    seen.clear();
    ModifyWindowLong(hwnd, GWL_EXSTYLE, 0, WS_EX_TOOLWINDOW, 0);  // no flags: no repositioning
    EXPECT_EQ(seen, (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
    DestroyWindow(hwnd);
}

TEST(MemDC, HoldsABitmapOfTheAskedSizeAndDeletesIt) {
    HDC dc = CreateMemDC(37, 21);
    auto bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    BITMAP info{};
    ASSERT_TRUE(GetObjectW(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 37);
    EXPECT_EQ(info.bmHeight, 21);
    EXPECT_EQ(DeleteMemDC(dc), 1);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST(MemDC, BitmapHandedToCreateBitmapDCIsDeletedWithIt) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 5, 5);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateBitmapDC(bitmap);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    SetPixel(dc, 2, 2, RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(10, 20, 30));
    DeleteMemDC(dc);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST(MemDC, BitmapThatCannotBeMadeRaisesItsText) {
    try {
        CreateMemDC(200000, 200000);
        FAIL() << "no error raised";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Description(), "CreateCompatibleBitmap调用失败");
        EXPECT_EQ(e.Source(), "mdlTabAPI");
    }
}

TEST(NineGridBlt, ReproducesItsSourceAtEqualSize) {
    HDC src = PatternDC(40, 25);
    for (int margins : {0, 14}) {
        HDC dest = CreateMemDC(50, 30);
        Fill(dest, 50, 30, RGB(1, 2, 3));
        EXPECT_NE(NineGridBlt(dest, 5, 3, 30, 20, src, 6, 4, 30, 20, margins, 0, margins, 0), 0);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(GetPixel(dest, 5 + x, 3 + y), GetPixel(src, 6 + x, 4 + y)) << x << "," << y;
        EXPECT_EQ(GetPixel(dest, 4, 3), RGB(1, 2, 3));
        EXPECT_EQ(GetPixel(dest, 35, 23), RGB(1, 2, 3));
        DeleteMemDC(dest);
    }
    DeleteMemDC(src);
}

TEST(NineGridBlt, KeepsTheCornersAndMarginsUnscaled) {
    HDC src = PatternDC(30, 12);
    HDC dest = CreateMemDC(70, 25);
    NineGridBlt(dest, 0, 0, 70, 25, src, 0, 0, 30, 12, 6, 3, 5, 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel(dest, x, y), GetPixel(src, x, y));          // top left
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(GetPixel(dest, 65 + x, 23 + y), GetPixel(src, 25 + x, 10 + y));             // bottom right
    DeleteMemDC(dest);
    DeleteMemDC(src);
}

TEST(NineGridBlt, DrawsNothingForZeroSizes) {
    HDC src = PatternDC(10, 10);
    HDC dest = CreateMemDC(10, 10);
    Fill(dest, 10, 10, RGB(9, 9, 9));
    EXPECT_EQ(NineGridBlt(dest, 0, 0, 0, 10, src, 0, 0, 10, 10, 2, 0, 2, 0), 0);
    EXPECT_EQ(NineGridBlt(dest, 0, 0, 10, 0, src, 0, 0, 10, 10, 2, 0, 2, 0), 0);
    EXPECT_EQ(NineGridBlt(dest, 0, 0, 10, 10, src, 0, 0, 0, 10, 2, 0, 2, 0), 0);
    EXPECT_EQ(NineGridBlt(dest, 0, 0, 10, 10, src, 0, 0, 10, 0, 2, 0, 2, 0), 0);
    EXPECT_EQ(NineGridBlt(dest, 0, 0, -4, 10, src, 0, 0, 10, 10, 2, 0, 2, 0), 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(GetPixel(dest, x, y), RGB(9, 9, 9));
    DeleteMemDC(dest);
    DeleteMemDC(src);
}

TEST(NineGridBlt, LeavesOutTheKeyColourWhenGivenOne) {
    HDC src = CreateMemDC(20, 4);
    Fill(src, 20, 4, RGB(0, 128, 0));
    SetPixel(src, 10, 1, kSkinKeyColour);
    HDC dest = CreateMemDC(20, 4);
    Fill(dest, 20, 4, RGB(7, 7, 7));
    NineGridBlt(dest, 0, 0, 20, 4, src, 0, 0, 20, 4, 3, 0, 3, 0, kSkinKeyColour);
    EXPECT_EQ(GetPixel(dest, 10, 1), RGB(7, 7, 7));
    EXPECT_EQ(GetPixel(dest, 9, 1), RGB(0, 128, 0));
    DeleteMemDC(dest);
    DeleteMemDC(src);
}

TEST(TransBlt, CopiesEverythingButTheKeyColour) {
    HDC src = PatternDC(12, 12);
    SetPixel(src, 3, 4, kSkinKeyColour);
    HDC dest = CreateMemDC(20, 20);
    Fill(dest, 20, 20, RGB(7, 7, 7));
    EXPECT_TRUE(TransBlt(dest, 5, 5, 12, 12, src, 0, 0, kSkinKeyColour));
    EXPECT_EQ(GetPixel(dest, 8, 9), RGB(7, 7, 7));
    EXPECT_EQ(GetPixel(dest, 5 + 6, 5 + 6), GetPixel(src, 6, 6));
    EXPECT_EQ(GetPixel(dest, 4, 5), RGB(7, 7, 7));
    DeleteMemDC(dest);
    DeleteMemDC(src);
}

TEST(DrawTextRect, DrawsInsideTheRectangleAndReturnsTheTextHeight) {
    HDC dc = CreateMemDC(100, 40);
    Fill(dc, 100, 40, RGB(255, 255, 255));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, RGB(0, 0, 0));
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    EXPECT_EQ(DrawTextRect(dc, L"我的盒子 WW", -1, 10, 5, 80, 30, DT_SINGLELINE | DT_CENTER),
              tm.tmHeight);
    int inside = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool ink = GetPixel(dc, x, y) != RGB(255, 255, 255);
            (x >= 10 && x < 90 && y >= 5 && y < 35 ? inside : outside) += ink;
        }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
    DeleteMemDC(dc);
}

}  // namespace
