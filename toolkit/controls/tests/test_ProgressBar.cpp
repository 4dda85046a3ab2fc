// The progress bar on a real window: fill and text read back as pixels at a
// few values and themes, the clamping rules, the persisted properties.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "ProgressBar.h"
#include "Pump.h"

namespace {

class Host : public Window {
public:
    Host() {
        CreateParams p;
        p.className = L"ProgressBarTestHost";
        p.style = WS_POPUP | WS_VISIBLE;
        p.exStyle = WS_EX_NOACTIVATE;  // never takes the foreground from other tests' windows
        p.x = 50;
        p.y = 50;
        p.cx = 400;
        p.cy = 200;
        p.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        Create(p);
    }
};

bool Near(COLORREF a, COLORREF b, int tolerance = 6) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The colour a vertical gradient of `rows` rows from start to end has at `row`.
COLORREF Along(COLORREF start, COLORREF end, int row, int rows) {
    auto at = [&](int a, int b) { return static_cast<BYTE>(a + (b - a) * row / rows); };
    return RGB(at(GetRValue(start), GetRValue(end)), at(GetGValue(start), GetGValue(end)),
               at(GetBValue(start), GetBValue(end)));
}

// The bar's pixels, to compare a picture with text against one without.
std::vector<COLORREF> Snapshot(HDC dc) {
    std::vector<COLORREF> px;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x) px.push_back(GetPixel(dc, x, y));
    return px;
}

// Pixels in r that differ from the snapshot: the text (smoothed or not).
int Changed(HDC dc, const std::vector<COLORREF>& before, RECT r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) != before[y * 200 + x];
    return n;
}

int Reddish(HDC dc, RECT r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            n += GetRValue(c) > GetGValue(c) + 80 && GetRValue(c) > GetBValue(c) + 80;
        }
    return n;
}

class ProgressBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProgressBar::CreateArgs a;
        a.parent = host.hwnd();
        a.x = 10;
        a.y = 10;
        a.cx = 200;
        a.cy = 20;
        bar = std::make_unique<ProgressBar>(a);
        bar->InitProperties();
    }
    Host host;
    std::unique_ptr<ProgressBar> bar;
};

}  // namespace

TEST_F(ProgressBarTest, NewControlIsHalfFilledThemeOneWithShadowedCentredText) {
    HDC dc = bar->hDC();
    // Fill up to x = 100 of 200: top band starts at F1s, bottom band ends near F2e.
    EXPECT_TRUE(Near(GetPixel(dc, 50, 1), Along(RGB(251, 244, 223), RGB(239, 213, 133), 1, 10), 3));
    EXPECT_TRUE(Near(GetPixel(dc, 150, 1), Along(RGB(248, 246, 242), RGB(233, 227, 211), 1, 10), 3));
    EXPECT_TRUE(Near(GetPixel(dc, 99, 1), Along(RGB(251, 244, 223), RGB(239, 213, 133), 1, 10), 3));
    EXPECT_TRUE(Near(GetPixel(dc, 100, 1), Along(RGB(248, 246, 242), RGB(233, 227, 211), 1, 10), 3));
    EXPECT_TRUE(Near(GetPixel(dc, 10, 16), Along(RGB(203, 166, 57), RGB(237, 224, 187), 6, 10), 3));
    EXPECT_TRUE(Near(GetPixel(dc, 190, 16), Along(RGB(226, 215, 182), RGB(239, 233, 215), 6, 10), 3));
    // Outline in O along the top edge.
    EXPECT_EQ(GetPixel(dc, 100, 0), RGB(204, 168, 62));
    EXPECT_EQ(GetPixel(dc, 0, 10), RGB(204, 168, 62));
    // Dark text with its white shadow, inside the middle of the bar.
    int darkest = 765, whites = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 20; x < 180; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            darkest = std::min(darkest, GetRValue(c) + GetGValue(c) + GetBValue(c));
            whites += GetRValue(c) >= 250 && GetGValue(c) >= 250 && GetBValue(c) >= 250;
        }
    EXPECT_LT(darkest, 200);
    EXPECT_GT(whites, 10);
    const auto withText = Snapshot(dc);
    bar->TextStyle(0);
    EXPECT_GT(Changed(bar->hDC(), withText, {20, 2, 180, 18}), 20);
    EXPECT_EQ(Changed(bar->hDC(), withText, {2, 2, 15, 18}), 0);
    EXPECT_EQ(bar->Text(), L"Yaltic ProgressBar");
    // The window is shaped like the outline: the corner pixel is outside.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(bar->hwnd(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(PtInRegion(rgn, 100, 10));
    DeleteObject(rgn);
}

TEST_F(ProgressBarTest, FillFollowsValueAndMaxNotMin) {
    bar->TextStyle(0);
    bar->Value(0);
    EXPECT_TRUE(Near(GetPixel(bar->hDC(), 3, 1), Along(RGB(248, 246, 242), RGB(233, 227, 211), 1, 10), 3));
    bar->Value(100);
    EXPECT_TRUE(Near(GetPixel(bar->hDC(), 196, 1), Along(RGB(251, 244, 223), RGB(239, 213, 133), 1, 10), 3));
    bar->Value(150);
    EXPECT_EQ(bar->Value(), 100);
    // Max 3, Value 1: a third filled, round(200 / 3) = 67 pixels, text 33.3333333333333%.
    bar->Max(3);
    EXPECT_EQ(bar->Value(), 3);
    bar->Value(1);
    EXPECT_TRUE(Near(GetPixel(bar->hDC(), 66, 1), Along(RGB(251, 244, 223), RGB(239, 213, 133), 1, 10), 3));
    EXPECT_TRUE(Near(GetPixel(bar->hDC(), 67, 1), Along(RGB(248, 246, 242), RGB(233, 227, 211), 1, 10), 3));
    // Min plays no part in the fill: Min 20, Max 100, Value 20 is a fifth.
    bar->Max(100);
    bar->Min(20);
    EXPECT_EQ(bar->Value(), 20);
    EXPECT_TRUE(Near(GetPixel(bar->hDC(), 39, 1), Along(RGB(251, 244, 223), RGB(239, 213, 133), 1, 10), 3));
    EXPECT_TRUE(Near(GetPixel(bar->hDC(), 40, 1), Along(RGB(248, 246, 242), RGB(233, 227, 211), 1, 10), 3));
}

TEST_F(ProgressBarTest, ClampingOfMaxMinAndValue) {
    bar->Max(0);
    EXPECT_EQ(bar->Max(), 1);
    EXPECT_EQ(bar->Value(), 1);
    bar->Max(100);
    bar->Value(60);
    bar->Min(10);
    bar->Max(10);  // not above Min: Min + 1, and Value follows it down
    EXPECT_EQ(bar->Max(), 11);
    EXPECT_EQ(bar->Value(), 11);
    bar->Min(-5);
    EXPECT_EQ(bar->Min(), 0);
    bar->Min(11);
    EXPECT_EQ(bar->Min(), 10);
}

TEST_F(ProgressBarTest, DisabledThemeEightDrawsGreys) {
    bar->Theme(8);
    bar->Enabled(false);
    EXPECT_EQ(GetPixel(bar->hDC(), 100, 0), RGB(124, 124, 124));
    const COLORREF top = GetPixel(bar->hDC(), 50, 1);
    EXPECT_EQ(GetRValue(top), GetGValue(top));
    EXPECT_EQ(GetGValue(top), GetBValue(top));
    bar->Enabled(true);
    EXPECT_EQ(GetPixel(bar->hDC(), 100, 0), RGB(23, 139, 211));
}

TEST_F(ProgressBarTest, CustomThemeBuildsItsPaletteFromTwoColours) {
    bar->TextStyle(0);
    bar->PBSCustomeColor1(RGB(0, 100, 200));
    bar->PBSCustomeColor2(RGB(10, 20, 30));
    bar->Theme(10);
    HDC dc = bar->hDC();
    // Fill bands (180, 255, 255) to (50, 150, 250) and (0, 100, 200) to (80, 180, 255).
    EXPECT_TRUE(Near(GetPixel(dc, 50, 1), Along(RGB(180, 255, 255), RGB(50, 150, 250), 1, 10), 3));
    EXPECT_TRUE(Near(GetPixel(dc, 50, 11), Along(RGB(0, 100, 200), RGB(80, 180, 255), 1, 10), 3));
    // Background from C2 + 180 to C2 + 50.
    EXPECT_TRUE(Near(GetPixel(dc, 150, 1), Along(RGB(190, 200, 210), RGB(60, 70, 80), 1, 10), 3));
    EXPECT_EQ(GetPixel(dc, 100, 0), RGB(0, 100, 200));             // outline C1
    // An unknown theme keeps the palette of the previous redraw.
    bar->Theme(42);
    EXPECT_EQ(GetPixel(bar->hDC(), 100, 0), RGB(0, 100, 200));
}

TEST_F(ProgressBarTest, TextStylesAlignmentsAndEffects) {
    bar->Theme(3);
    bar->TextEffect(1);
    bar->Value(50);
    bar->TextStyle(0);
    const auto plain = Snapshot(bar->hDC());
    bar->TextStyle(1);
    bar->TextAlignment(1);  // top left: the text near the left end only
    EXPECT_GT(Changed(bar->hDC(), plain, {1, 0, 30, 20}), 5);
    EXPECT_EQ(Changed(bar->hDC(), plain, {100, 0, 200, 20}), 0);
    bar->TextAlignment(9);  // bottom right
    EXPECT_EQ(Changed(bar->hDC(), plain, {0, 0, 100, 20}), 0);
    EXPECT_GT(Changed(bar->hDC(), plain, {170, 0, 199, 20}), 5);
    // Plain text has no effect colour; outlined text has it around the glyphs.
    bar->TextEffectColor(RGB(255, 0, 0));
    EXPECT_EQ(Reddish(bar->hDC(), {150, 0, 199, 20}), 0);
    bar->TextEffect(4);
    EXPECT_GT(Reddish(bar->hDC(), {150, 0, 199, 20}), 5);
    bar->TextEffect(9);  // no text at all
    EXPECT_EQ(Changed(bar->hDC(), plain, {0, 0, 200, 20}), 0);
    // Style 2 is the percentage, 3 the text; other styles print nothing.
    bar->TextEffect(1);
    bar->TextStyle(2);
    const int percent = Changed(bar->hDC(), plain, {0, 0, 200, 20});
    bar->TextStyle(3);
    bar->Text(L"");
    EXPECT_EQ(Changed(bar->hDC(), plain, {0, 0, 200, 20}), 0);
    EXPECT_GT(percent, 5);
    bar->TextStyle(7);
    EXPECT_EQ(Changed(bar->hDC(), plain, {0, 0, 200, 20}), 0);
}

TEST_F(ProgressBarTest, VerticalBarFillsFromTheTop) {
    bar->TextStyle(0);
    bar->Orientations(2);
    bar->Value(50);
    // Left half F1 from left to right, down to y = 10 of 20.
    EXPECT_TRUE(Near(GetPixel(bar->hDC(), 2, 5), RGB(251, 244, 223), 12));
    EXPECT_TRUE(Near(GetPixel(bar->hDC(), 2, 15), RGB(248, 246, 242), 12));
    bar->Orientations(3);  // no bands at all
    EXPECT_EQ(GetPixel(bar->hDC(), 50, 10), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ProgressBarTest, PersistedPropertiesInTheirOrderAndDefaults) {
    PropertyBag bag;
    bar->WriteProperties(bag);
    // A new control differs from the stored defaults in these only.
    EXPECT_EQ(bag.Keys(), (std::vector<std::wstring>{L"TextStyle", L"Text", L"TextEffectColor", L"TextEffect"}));
    bar->Orientations(2);
    bar->Theme(7);
    bar->Value(70);
    bar->PBSCustomeColor1(RGB(1, 2, 3));
    bar->PBSCustomeColor2(RGB(4, 5, 6));
    bar->Text(L"");
    PropertyBag all;
    bar->WriteProperties(all);
    EXPECT_EQ(all.Keys(), (std::vector<std::wstring>{L"Orientations", L"Value", L"Theme", L"TextStyle",
                                                      L"TextEffectColor", L"TextEffect", L"PBSCustomeColor2",
                                                      L"PBSCustomeColor1"}));
    ProgressBar::CreateArgs a;
    a.parent = host.hwnd();
    a.name = L"ProgressBar7";
    ProgressBar loaded(a);
    loaded.ReadProperties(all);
    EXPECT_EQ(loaded.Orientations(), 2);
    EXPECT_EQ(loaded.Theme(), 7);
    EXPECT_EQ(loaded.Value(), 70);
    EXPECT_EQ(loaded.TextStyle(), 3);
    EXPECT_EQ(loaded.TextEffect(), 5);
    EXPECT_EQ(loaded.PBSCustomeColor1(), RGB(1, 2, 3));
    // An empty Text is written as the default "" and read back as the control's name.
    EXPECT_EQ(loaded.Text(), L"ProgressBar7");
    EXPECT_EQ(loaded.TextFont(), bar->TextFont());
}

TEST(ProgressBarHelpers, FourColourGradientInterpolatesCorners) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 20, 10);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    ProgressBar::DrawGradientFourColour(dc, 0, 0, 20, 10, RGB(0, 0, 0), RGB(200, 0, 0), RGB(0, 100, 0),
                                        RGB(200, 100, 0));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 10, 0), RGB(100, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 5), RGB(0, 50, 0));
    EXPECT_EQ(GetPixel(dc, 19, 9), RGB(190, 90, 0));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}
