// The player's bitmap strip skin: sheets of its own drawn into memory DCs
// (background copied without colour key, magenta left out of tab and close
// cells, tab cells 26 high), a missing sheet or one without a device context
// named in the error, and the real strip of style 1: 32 pixels high, hit at
// Y 30 and not at Y 33.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "BitmapTabSkin.h"
#include "ITabForm.h"
#include "TempDir.h"
#include "test_paths.h"
#include "uTab.h"

namespace {

using namespace TabStripLayout;

constexpr COLORREF kKey = RGB(255, 0, 255), kBgTop = RGB(10, 20, 30), kBgBottom = RGB(40, 50, 60),
                   kCanvas = RGB(1, 2, 3);
constexpr COLORREF kTabFill[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
constexpr COLORREF kCloseFill[4] = {RGB(90, 90, 0), RGB(0, 90, 90), RGB(90, 0, 90), RGB(30, 30, 30)};

// A 24-bit bottom-up BMP file of w x h pixels.
void WriteBmp(const std::wstring& path, int w, int h, const std::vector<COLORREF>& px) {
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{sizeof ih, w, h, 1, 24, BI_RGB};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + stride * h;
    std::vector<BYTE> rows(stride * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = &rows[(h - 1 - y) * stride + x * 3];
            const COLORREF c = px[y * w + x];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, &fh, sizeof fh, &n, nullptr);
    WriteFile(f, &ih, sizeof ih, &n, nullptr);
    WriteFile(f, rows.data(), static_cast<DWORD>(rows.size()), &n, nullptr);
    CloseHandle(f);
}

// A sheet with the cell layout of a style: flat cells, each with magenta
// pixels where the strip must let the background through (a tab's top-left
// corner, the middle of a close button), and a magenta band in the
// background column, which is copied as it is.
void WriteSheet(const std::wstring& path, long style) {
    const SheetCells& c = Cells(style);
    const int w = c.closeX[3] + kCloseSize, h = c.backgroundHeight;
    std::vector<COLORREF> px(w * h, kKey);
    for (int y = 0; y < h; ++y) px[y * w] = y < h / 2 ? kBgTop : kBgBottom;
    px[6 * w] = px[7 * w] = kKey;
    for (int cell = 0; cell < 3; ++cell)
        for (int y = 0; y < c.tabH; ++y)
            for (int x = 0; x < c.tabW; ++x)
                if (x >= 3 || y >= 3) px[y * w + c.tabX[cell] + x] = kTabFill[cell];
    for (int cell = 0; cell < 4; ++cell)
        for (int y = 0; y < kCloseSize; ++y)
            for (int x = 0; x < kCloseSize; ++x) {
                const bool middle = x >= 4 && x < 8 && y >= 4 && y < 8;
                px[y * w + c.closeX[cell] + x] = middle ? kKey : kCloseFill[cell];
            }
    WriteBmp(path, w, h, px);
}

struct Canvas {
    HDC dc;
    explicit Canvas(int w = 200, int h = 40) : dc(CreateMemDC(w, h)) {
        RECT r{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(kCanvas);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    ~Canvas() { DeleteMemDC(dc); }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

class BitmapTabSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring skin = folder.Path() + L"\\skin";
        CreateDirectoryW(skin.c_str(), nullptr);
        CreateDirectoryW((skin + L"\\DefaultSkin").c_str(), nullptr);
    }
    std::wstring Sheet(const wchar_t* name) const { return folder.Path() + L"\\skin\\DefaultSkin\\" + name; }
    void WriteBoth() {
        WriteSheet(Sheet(L"MainMenu.bmp"), 0);
        WriteSheet(Sheet(L"PellowMenu.bmp"), 1);
    }
    TempDir folder;
};

TEST_F(BitmapTabSkinTest, BackgroundColumnIsStretchedOverTheStripWithoutColourKey) {
    WriteBoth();
    BitmapTabSkin skin(folder.Path());
    EXPECT_EQ(skin.StripHeight(1), 32);
    EXPECT_EQ(skin.StripHeight(0), 25);
    for (long style : {0L, 1L}) {
        Canvas c;
        const long h = skin.StripHeight(style);
        skin.DrawBackground(c.dc, style, 150, h);
        EXPECT_EQ(c.At(0, 0), kBgTop) << style;
        EXPECT_EQ(c.At(149, h - 1), kBgBottom) << style;
        EXPECT_EQ(c.At(75, h), kCanvas) << style;  // nothing below the strip
        EXPECT_EQ(c.At(150, 0), kCanvas) << style;
        int magenta = 0;
        for (int y = 0; y < h; ++y) magenta += c.At(75, y) == kKey;
        EXPECT_GE(magenta, 1) << style;  // the column's own magenta stays
    }
}

TEST_F(BitmapTabSkinTest, TabCellsLeaveMagentaOutAndKeepTheirHeight) {
    WriteBoth();
    BitmapTabSkin skin(folder.Path());
    for (long style : {0L, 1L}) {
        const long tabH = Cells(style).tabH;
        for (int cell = 0; cell < 3; ++cell) {
            Canvas c;
            // A tab drawn 90 wide: the 14-pixel margins keep their size, the middle stretches.
            skin.DrawTab(c.dc, style, static_cast<TabCell>(cell), Rect{20, 0, 90, tabH});
            EXPECT_EQ(c.At(21, 1), kCanvas) << style << cell;  // magenta corner
            EXPECT_EQ(c.At(23, 1), kTabFill[cell]) << style << cell;
            EXPECT_EQ(c.At(60, tabH - 1), kTabFill[cell]) << style << cell;
            EXPECT_EQ(c.At(109, 10), kTabFill[cell]) << style << cell;
            EXPECT_EQ(c.At(110, 10), kCanvas) << style << cell;
            EXPECT_EQ(c.At(60, tabH), kCanvas) << style << cell;
        }
    }
}

TEST_F(BitmapTabSkinTest, CloseButtonsAreCopiedUnscaledWithoutMagenta) {
    WriteBoth();
    BitmapTabSkin skin(folder.Path());
    for (long style : {0L, 1L})
        for (int cell = 0; cell < 4; ++cell) {
            Canvas c;
            skin.DrawClose(c.dc, style, static_cast<CloseCell>(cell), 30, 7);
            EXPECT_EQ(c.At(30, 7), kCloseFill[cell]);
            EXPECT_EQ(c.At(41, 18), kCloseFill[cell]);
            EXPECT_EQ(c.At(35, 12), kCanvas);  // the magenta middle
            EXPECT_EQ(c.At(42, 12), kCanvas);
            EXPECT_EQ(c.At(35, 19), kCanvas);
        }
}

TEST_F(BitmapTabSkinTest, AMissingSheetIsNamedInTheError) {
    try {
        BitmapTabSkin skin(folder.Path());
        FAIL() << "no error without sheets";
    } catch (const SkinFileError& e) {
        EXPECT_EQ(e.Path(), Sheet(L"MainMenu.bmp"));
        EXPECT_EQ(e.Number(), 53u);
    }
    WriteSheet(Sheet(L"MainMenu.bmp"), 0);
    try {
        BitmapTabSkin skin(folder.Path() + L"\\");
        FAIL() << "no error without the style 1 sheet";
    } catch (const SkinFileError& e) {
        EXPECT_EQ(e.Path(), Sheet(L"PellowMenu.bmp"));
    }
    // A file that is no picture is refused too.
    HANDLE f = CreateFileW(Sheet(L"PellowMenu.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, "not a bitmap", 12, &n, nullptr);
    CloseHandle(f);
    try {
        BitmapTabSkin skin(folder.Path());
        FAIL() << "no error for a broken sheet";
    } catch (const SkinFileError& e) {
        EXPECT_EQ(e.Path(), Sheet(L"PellowMenu.bmp"));
        EXPECT_EQ(e.Number(), 481u);
    }
}

TEST_F(BitmapTabSkinTest, ASheetThatCannotGetADeviceContextIsNamedInTheErrorAndKeepsNothing) {
    WriteBoth();
    // Every GDI object the system gives, then back one at a time: loading
    // fails at each of its steps in turn (the picture, its copy, the DC it
    // is selected into) until it has what it needs, and only if a failed
    // attempt keeps nothing.
    std::vector<HGDIOBJ> held;
    while (HBITMAP b = CreateBitmap(1, 1, 1, 1, nullptr)) held.push_back(b);
    ASSERT_GT(held.size(), 100u);
    std::vector<std::string> failures;
    bool loaded = false;
    for (int step = 0; step < 64 && !loaded; ++step) {
        DeleteObject(held.back());
        held.pop_back();
        try {
            BitmapTabSkin skin(folder.Path());
            loaded = true;
        } catch (const SkinFileError& e) {
            EXPECT_TRUE(e.Path() == Sheet(L"MainMenu.bmp") || e.Path() == Sheet(L"PellowMenu.bmp"));
            failures.push_back(e.Description());
        } catch (const RaisedError& e) {
            ADD_FAILURE() << "not a skin file error: " << e.Description();
        }
    }
    for (HGDIOBJ o : held) DeleteObject(o);
    EXPECT_TRUE(loaded) << "failed attempts kept what they had made";
    EXPECT_NE(std::find(failures.begin(), failures.end(), "CreateCompatibleDC调用失败"), failures.end())
        << "no attempt failed at the device context";
}

// The strip of the player, drawn from the program folder's sheets.
HWND MakeWindow(HWND parent, DWORD style, int x, int y, int w, int h) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PlayerSkinTestWindow";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExW(0, L"PlayerSkinTestWindow", L"", style, x, y, w, h, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class Page : public ITabForm {
public:
    Page() : hwnd_(MakeWindow(nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100)) {}
    ~Page() override {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
    HWND hwnd() const override { return hwnd_; }
    void Initialize(IuTab*, CTabItem*) override {}
    void Unload() override { DestroyWindow(hwnd_); }

private:
    HWND hwnd_;
};

TEST(PlayerStrip, StyleOneIs32HighWithTabs26HighAndHitsDownTo32) {
    HWND owner = MakeWindow(nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 620, 200);
    // Away from the corners where other test windows lie.
    SetWindowPos(owner, HWND_TOPMOST, 300, 700, 620, 200, SWP_NOACTIVATE);
    HWND container = MakeWindow(owner, WS_CHILD | WS_VISIBLE, 0, 40, 600, 150);
    {
        uTab strip(uTab::Variant{std::make_unique<BitmapTabSkin>(kDistDir), ReleaseAsItWas});
        PropertyBag saved;
        saved.WriteProperty<int32_t>(L"TabStyle", 1, 0);
        ASSERT_TRUE(strip.Create(owner, 0, 0, 600, saved));
        strip.hContainerWnd(container);
        for (int i = 0; i < 2; ++i) strip.TabItems().Add(L"t" + std::to_wstring(i), std::make_shared<Page>(), L"");
        strip.LockReDraw(false);
        RECT rc;
        GetClientRect(strip.hwnd(), &rc);
        EXPECT_EQ(rc.bottom, 32);
        EXPECT_EQ(rc.right, 600);

        std::vector<long> downs;
        strip.OnMouseDown = [&](long i, short&, short&, float&, float&) { downs.push_back(i); };
        CTabItem& second = *strip.TabItems().Item(1L);
        const int x = strip.TabLeftSize() + second.Left() + 10;
        for (int y : {30, 32, 33}) {
            SendMessageW(strip.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            SendMessageW(strip.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        }
        EXPECT_EQ(downs, (std::vector<long>{1, 1, -3}));
        EXPECT_EQ(strip.Selected(), 1);

        // What the window shows: below a tab's 26 rows lies the background,
        // the same as beside the tabs; the tab's rounded corner (magenta in
        // the sheet) shows the background too.
        RedrawWindow(strip.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(strip.hwnd());
        const int empty = 590, tab = strip.TabLeftSize() + second.Left();
        EXPECT_EQ(GetPixel(dc, tab + 40, 28), GetPixel(dc, empty, 28));
        EXPECT_EQ(GetPixel(dc, tab + 40, 31), GetPixel(dc, empty, 31));
        EXPECT_EQ(GetPixel(dc, tab, 0), GetPixel(dc, empty, 0));
        EXPECT_EQ(GetPixel(dc, tab + 40, 13), RGB(255, 255, 255));  // the selected tab's fill
        EXPECT_NE(GetPixel(dc, tab + 40, 25), GetPixel(dc, empty, 25));
        ReleaseDC(strip.hwnd(), dc);
    }
    DestroyWindow(owner);
}

}  // namespace
