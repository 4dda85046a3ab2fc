// stbimage.dll from the program folder, bound by name, drawing the real
// tab strip sheet: pixels read back from a memory DC.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "test_paths.h"

namespace {

using LoadImageFn = int(__stdcall*)(const char*);
using StretchBltFn = int(__stdcall*)(HDC, int, int, int, int, int, int, int, int, int);
using GridBltFn = int(__stdcall*)(HDC, int, int, int, int, int, int, int, int, int, int, int, int, int);
using BitBltFn = int(__stdcall*)(HDC, int, int, int, int, int, int, int);
using DestroyImageFn = int(__stdcall*)(int);

class StbImage : public ::testing::Test {
protected:
    void SetUp() override {
        dll = LoadLibraryW((std::wstring(kDistDir) + L"stbimage.dll").c_str());
        ASSERT_TRUE(dll);
        load = reinterpret_cast<LoadImageFn>(GetProcAddress(dll, "stb_LoadImage"));
        stretch = reinterpret_cast<StretchBltFn>(GetProcAddress(dll, "stb_StretchBlt"));
        grid = reinterpret_cast<GridBltFn>(GetProcAddress(dll, "stb_GridBlt"));
        bit = reinterpret_cast<BitBltFn>(GetProcAddress(dll, "stb_BitBlt"));
        destroy = reinterpret_cast<DestroyImageFn>(GetProcAddress(dll, "stb_DestroyImage"));
        ASSERT_TRUE(load && stretch && grid && bit && destroy);
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, 300, 40);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        Paint(RGB(10, 20, 30));
    }
    void TearDown() override {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        FreeLibrary(dll);
    }
    void Paint(COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        RECT rc{0, 0, 300, 40};
        FillRect(dc, &rc, b);
        DeleteObject(b);
    }
    int LoadSheet(const char* name) {
        char dist[MAX_PATH];
        WideCharToMultiByte(CP_ACP, 0, kDistDir, -1, dist, MAX_PATH, nullptr, nullptr);
        return load((std::string(dist) + "Skin\\DefaultSkin\\" + name).c_str());
    }
    bool Untouched() {
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 300; ++x)
                if (GetPixel(dc, x, y) != RGB(10, 20, 30)) return false;
        return true;
    }

    HMODULE dll = nullptr;
    LoadImageFn load;
    StretchBltFn stretch;
    GridBltFn grid;
    BitBltFn bit;
    DestroyImageFn destroy;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

TEST_F(StbImage, DrawsTheSheetsCellsBlendedByAlpha) {
    const int sheet = LoadSheet("MainMenu.png");
    ASSERT_NE(sheet, 0);
    // Selected tab cell unscaled: opaque fill inside, transparent corner keeps the background.
    EXPECT_TRUE(bit(dc, 0, 0, 122, 25, sheet, 245, 0));
    EXPECT_EQ(GetPixel(dc, 61, 12), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(10, 20, 30));
    // Background column stretched over a wide area.
    EXPECT_TRUE(stretch(dc, 130, 0, 100, 25, sheet, 0, 0, 1, 25));
    EXPECT_EQ(GetPixel(dc, 130, 0), RGB(214, 230, 246));
    EXPECT_EQ(GetPixel(dc, 229, 24), RGB(170, 198, 228));
    EXPECT_EQ(destroy(sheet), 1);
}

TEST_F(StbImage, GridBltKeepsTheMarginsAndStretchesTheMiddle) {
    const int sheet = LoadSheet("MainMenu.png");
    ASSERT_NE(sheet, 0);
    // A normal tab cell drawn 250 wide: the slanted margins keep their shape.
    EXPECT_TRUE(grid(dc, 0, 0, 250, 25, sheet, 1, 0, 122, 25, 14, 0, 14, 0));
    HDC ref = CreateCompatibleDC(dc);
    HBITMAP refBitmap = CreateCompatibleBitmap(dc, 122, 25);
    HGDIOBJ refOld = SelectObject(ref, refBitmap);
    HBRUSH b = CreateSolidBrush(RGB(10, 20, 30));
    RECT rc{0, 0, 122, 25};
    FillRect(ref, &rc, b);
    DeleteObject(b);
    bit(ref, 0, 0, 122, 25, sheet, 1, 0);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 14; ++x) {
            ASSERT_EQ(GetPixel(dc, x, y), GetPixel(ref, x, y)) << x << "," << y;
            ASSERT_EQ(GetPixel(dc, 236 + x, y), GetPixel(ref, 108 + x, y)) << x << "," << y;
        }
    EXPECT_EQ(GetPixel(dc, 125, 12), RGB(222, 228, 236));
    SelectObject(ref, refOld);
    DeleteObject(refBitmap);
    DeleteDC(ref);
    destroy(sheet);
}

TEST_F(StbImage, HandleZeroAndFreedOrMissingImagesDrawNothing) {
    EXPECT_EQ(LoadSheet("NoSuchSheet.png"), 0);
    EXPECT_EQ(load(nullptr), 0);
    EXPECT_EQ(bit(dc, 0, 0, 50, 25, 0, 0, 0), 0);
    EXPECT_EQ(stretch(dc, 0, 0, 50, 25, 0, 0, 0, 1, 25), 0);
    EXPECT_EQ(grid(dc, 0, 0, 50, 25, 0, 1, 0, 122, 25, 14, 0, 14, 0), 0);
    EXPECT_EQ(destroy(0), 0);
    const int sheet = LoadSheet("PellowMenu.png");
    ASSERT_NE(sheet, 0);
    destroy(sheet);
    EXPECT_EQ(bit(dc, 0, 0, 50, 25, sheet, 0, 0), 0);
    EXPECT_EQ(destroy(sheet), 0);
    // A source rectangle outside the image draws nothing either.
    const int again = LoadSheet("PellowMenu.png");
    EXPECT_EQ(bit(dc, 0, 0, 50, 25, again, 400, 0), 0);
    destroy(again);
    EXPECT_TRUE(Untouched());
}

}  // namespace
