// The "我的盒子" page on real windows with a real catalogue: the entries a
// list gives, the painted grid read back pixel by pixel, paging, the hover
// veil, the two views and the row commands.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstdlib>

#include "CTabItems.h"
#include "DialogTestSupport.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "MainMe.h"
#include "MdlMenuComm.h"
#include "Pump.h"
#include "SqlText.h"
#include "WebBrowser.h"
#include "iButton.h"
#include "uTab.h"

namespace {

// Colours of the generated skin pictures (tools/skins/skin_main.py).
constexpr COLORREF kPage = RGB(249, 249, 249);
constexpr COLORREF kBedOuter = RGB(52, 92, 150);
constexpr COLORREF kOriginFill = RGB(232, 236, 242);
constexpr COLORREF kMoreFill = RGB(70, 140, 220);
constexpr COLORREF kKnobNormal = RGB(178, 186, 198);
constexpr COLORREF kKnobCurrent = RGB(46, 112, 200);
constexpr COLORREF kKnobHover = RGB(120, 170, 230);
// Test thumbnails (make_thumbs.py).
constexpr COLORREF kRed = RGB(220, 30, 30);
constexpr COLORREF kGreen = RGB(30, 200, 30);
constexpr COLORREF kYellow = RGB(240, 220, 20);
constexpr COLORREF kBlue = RGB(30, 60, 220);

bool Near(COLORREF a, COLORREF b, int tolerance = 6) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The white veil blended at 48/255 over a colour.
COLORREF Veiled(COLORREF c) {
    auto v = [](int x) { return x + (255 - x) * 48 / 255; };
    return RGB(v(GetRValue(c)), v(GetGValue(c)), v(GetBValue(c)));
}

::testing::AssertionResult PixelNear(HDC dc, int x, int y, COLORREF want, int tolerance = 6) {
    const COLORREF got = GetPixel(dc, x, y);
    if (Near(got, want, tolerance)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << got << ", expected " << want;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class MainMeTest : public ::testing::Test {
protected:
    void TearDown() override { f.Unload(); }

    MainMe& Open() {
        f.Show();
        return f.Me();
    }
    // Games named prefix1 .. prefixN, inserted in that order (the last is the newest).
    void AddGames(int n, const std::wstring& prefix = L"g", int favourite = 1) {
        std::vector<std::wstring> sql;
        for (int i = 1; i <= n; ++i) sql.push_back(Insert(prefix + std::to_wstring(i), 1, favourite));
        env.Exec(sql);
    }
    static std::wstring Insert(const std::wstring& name, int type, int favourite, const std::wstring& url = L"") {
        return L"Insert Into Games (G_Name, G_Introduce, G_WebUrl, W_Url, G_Type, G_Favorite) Values ('" + SqlText(name) +
               L"', 'intro', 'http://portal/" + SqlText(name) + L"', '" + SqlText(url) + L"', " + std::to_wstring(type) + L", " +
               std::to_wstring(favourite) + L")";
    }
    static POINT CellCentre(MainMe& me, int cell) {
        const GridRect& r = me.Grid().GameCells[cell].PicRect;
        return {r.Left + 37, r.Top + 37};
    }
    static void LeftClick(MainMe& me, POINT p) {
        SendMessageW(me.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        SendMessageW(me.hwnd(), WM_LBUTTONUP, 0, At(p.x, p.y));
    }
    static std::vector<std::wstring> Names(MainMe& me) {
        std::vector<std::wstring> names;
        for (int i = 1; i <= me.GameCellCount(); ++i) names.push_back(me.Entry(i).Name);
        return names;
    }

    TestProgramFolder prog;
    LauncherEnv env{prog.Path()};
    MainFrm& f = TheMainFrm();
};

TEST_F(MainMeTest, EmptyLibraryShowsTheMoreGamesEntryThatLeadsToTheCatalogue) {
    MainMe& me = Open();
    EXPECT_EQ(me.Grid().ItemCount, 1);
    EXPECT_EQ(me.Grid().PageCount, 1);
    EXPECT_EQ(Names(me), std::vector<std::wstring>{L"更多游戏"});
    EXPECT_TRUE(me.Btn_GameAll.Live()->Locked());
    EXPECT_FALSE(me.Btn_GameSc.Live()->Locked());

    HDC dc = me.hDC();
    const GridRect cell0 = me.Grid().GameCells[0].PicRect;
    EXPECT_TRUE(PixelNear(dc, cell0.Left + 10, cell0.Top + 10, kMoreFill, 0));
    EXPECT_TRUE(PixelNear(dc, cell0.Left, cell0.Top + 30, kBedOuter, 0));
    for (int cell : {1, 7, 19}) {
        const GameCellRect& c = me.Grid().GameCells[cell];
        EXPECT_TRUE(PixelNear(dc, c.PicRect.Left + 10, c.PicRect.Top + 10, kOriginFill, 0)) << cell;
        EXPECT_TRUE(PixelNear(dc, c.TextRect.Left + 2, c.TextRect.Top + 2, kPage, 0)) << cell;
    }
    // Page buttons: the first current, the others without a page.
    const GridRect b0 = me.Grid().PageButtons[0].Rect;
    EXPECT_TRUE(PixelNear(dc, b0.Left + 9, b0.Top + 9, kKnobCurrent, 0));
    EXPECT_TRUE(PixelNear(dc, b0.Left + 27, b0.Top + 9, kPage, 0));

    // A right click shows nothing and names no game; a left click selects the catalogue.
    SendMessageW(me.hwnd(), WM_RBUTTONUP, 0, At(CellCentre(me, 0).x, CellCentre(me, 0).y));
    EXPECT_TRUE(me.G_GameName.empty());
    EXPECT_EQ(f.frmuTab->Selected(), 0);
    LeftClick(me, CellCentre(me, 0));
    EXPECT_EQ(f.frmuTab->Selected(), 1);
    EXPECT_TRUE(me.G_GameName.empty());
    EXPECT_TRUE(env.shells.empty());
}

TEST_F(MainMeTest, WebPaneShowsTheSpacePageAfterTheFirstSecond) {
    MainMe& me = Open();
    ASSERT_NE(me.WB.Live(), nullptr);
    EXPECT_FALSE(me.WB.Live()->Visible());
    EXPECT_EQ(me.Timer_WB.Interval(), 1000);
    EXPECT_TRUE(PumpUntil([&] { return me.WB.Live()->Visible(); }, 10000));
    EXPECT_EQ(me.Timer_WB.Interval(), 0);
    EXPECT_EQ(me.WB.Live()->LocationURL(), GetSpaceUrl());
    RECT r;
    GetWindowRect(me.WB.Live()->hwnd(), &r);
    MapWindowPoints(nullptr, me.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 598);
    EXPECT_EQ(r.top, -2);
    EXPECT_EQ(r.right - r.left, 216);
    EXPECT_EQ(r.bottom - r.top, 574);
}

TEST_F(MainMeTest, NineteenTwentyAndTwentyOneGames) {
    MainMe& me = Open();
    struct Case {
        int rows, items, pages;
        bool more;
    } cases[] = {{19, 20, 1, true}, {20, 20, 1, false}, {21, 21, 2, false}};
    for (const Case& c : cases) {
        env.Exec(L"Delete From Games");
        AddGames(c.rows);
        me.Image_Flash_Add(L"", L"0");
        EXPECT_EQ(me.Grid().ItemCount, c.items) << c.rows;
        EXPECT_EQ(me.Grid().PageCount, c.pages) << c.rows;
        const std::vector<std::wstring> names = Names(me);
        EXPECT_EQ(names.front(), L"g" + std::to_wstring(c.rows)) << "newest first";
        EXPECT_EQ(names.back() == L"更多游戏", c.more) << c.rows;
    }
    // 21 games: the second page holds the oldest game and 19 empty slots.
    HDC dc = me.hDC();
    const GridRect b0 = me.Grid().PageButtons[0].Rect, b1 = me.Grid().PageButtons[1].Rect, b2 = me.Grid().PageButtons[2].Rect;
    EXPECT_TRUE(PixelNear(dc, b1.Left + 9, b1.Top + 9, kKnobNormal, 0));
    EXPECT_TRUE(PixelNear(dc, b2.Left + 9, b2.Top + 9, kPage, 0));
    LeftClick(me, {b1.Left + 9, b1.Top + 9});
    EXPECT_EQ(me.Grid().CurrentPage, 1);
    EXPECT_TRUE(PixelNear(dc, b0.Left + 9, b0.Top + 9, kKnobNormal, 0));
    EXPECT_TRUE(PixelNear(dc, b1.Left + 9, b1.Top + 9, kKnobCurrent, 0));
    const GridRect c0 = me.Grid().GameCells[0].PicRect, c1 = me.Grid().GameCells[1].PicRect;
    EXPECT_TRUE(PixelNear(dc, c0.Left + 10, c0.Top + 10, kPage, 0));  // a game without a picture file
    EXPECT_TRUE(PixelNear(dc, c1.Left + 10, c1.Top + 10, kOriginFill, 0));
    // The click on that game runs it: a Flash game whose name becomes the command's.
    LeftClick(me, CellCentre(me, 0));
    EXPECT_EQ(me.G_GameName, L"g1");
    // Clicking an empty slot does nothing.
    me.G_GameName.clear();
    LeftClick(me, CellCentre(me, 1));
    EXPECT_TRUE(me.G_GameName.empty());
}

TEST_F(MainMeTest, WithoutTheSlotAndKnobPicturesPlainFallbacksArePainted) {
    DeleteFileW(prog.dir.File(L"Skin\\DefaultSkin\\origin.bmp").c_str());
    DeleteFileW(prog.dir.File(L"Skin\\DefaultSkin\\knob.bmp").c_str());
    AddGames(21);
    for (int i = 2; i <= 21; ++i) prog.Thumb(L"g" + std::to_wstring(i), L"red.jpg");  // the whole first page
    MainMe& me = Open();
    // What the window shows once it has painted.
    const auto shown = [&](int x, int y) {
        PumpUntil([&] { return !GetUpdateRect(me.hwnd(), nullptr, FALSE); });
        HDC dc = GetDC(me.hwnd());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(me.hwnd(), dc);
        return c;
    };
    const GridRect b0 = me.Grid().PageButtons[0].Rect, b1 = me.Grid().PageButtons[1].Rect, b2 = me.Grid().PageButtons[2].Rect;
    const COLORREF current = shown(b0.Left + 9, b0.Top + 9), normal = shown(b1.Left + 9, b1.Top + 9);
    EXPECT_NE(current, kPage) << "the current page's button shows";
    EXPECT_NE(normal, kPage) << "the other page's button shows";
    EXPECT_NE(current, normal) << "and looks unlike the current one";
    EXPECT_EQ(shown(b2.Left + 9, b2.Top + 9), kPage) << "no page, no button";
    const POINT cell1 = CellCentre(me, 1);
    ASSERT_TRUE(Near(shown(cell1.x, cell1.y), kRed));

    // The second page: one game, then empty slots in the page's colour,
    // nothing left of the first page's pictures.
    LeftClick(me, {b1.Left + 9, b1.Top + 9});
    ASSERT_EQ(me.Grid().CurrentPage, 1);
    for (int cell = 1; cell < kCellsPerPage; ++cell) {
        const POINT c = CellCentre(me, cell);
        EXPECT_EQ(shown(c.x, c.y), kPage) << "slot " << cell;
    }
    EXPECT_EQ(shown(b0.Left + 9, b0.Top + 9), normal);
    EXPECT_EQ(shown(b1.Left + 9, b1.Top + 9), current);
    // Under the pointer the button looks unlike both.
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(b0.Left + 9, b0.Top + 9));
    const COLORREF hover = shown(b0.Left + 9, b0.Top + 9);
    EXPECT_NE(hover, normal);
    EXPECT_NE(hover, current);
    EXPECT_NE(hover, kPage);
}

TEST_F(MainMeTest, PicturesAreScaledFramedAndMissingOrForeignOnesAreLeftOut) {
    prog.Thumb(L"红色", L"red.jpg");
    prog.Thumb(L"wide one", L"wide.jpg");
    prog.Thumb(L"bad", L"bad.jpg");
    prog.Thumb(L"O'Neil", L"red.jpg");
    // A picture one folder up that a hand-edited name would reach.
    CopyFileW((std::wstring(kThumbDir) + L"red.jpg").c_str(), prog.dir.File(L"escape.jpg").c_str(), FALSE);
    env.Exec({Insert(L"..\\escape", 1, 1), Insert(L"O'Neil", 1, 1), Insert(L"bad", 1, 1), Insert(L"wide one", 1, 1),
              Insert(L"红色", 1, 1)});
    MainMe& me = Open();
    EXPECT_EQ(Names(me), (std::vector<std::wstring>{L"红色", L"wide one", L"bad", L"O'Neil", L"..\\escape", L"更多游戏"}));
    HDC dc = me.hDC();
    auto cell = [&](int i) { return me.Grid().GameCells[i].PicRect; };
    EXPECT_TRUE(PixelNear(dc, cell(0).Left + 37, cell(0).Top + 37, kRed));
    // Inside the frame's half-transparent ring the picture shows through lighter.
    const COLORREF ring = GetPixel(dc, cell(0).Left + 2, cell(0).Top + 37);
    EXPECT_TRUE(Near(ring, RGB(128 + 220 * 127 / 255, 128 + 30 * 127 / 255, 128 + 30 * 127 / 255), 8)) << std::hex << ring;
    EXPECT_TRUE(PixelNear(dc, cell(0).Left, cell(0).Top + 37, kBedOuter, 0));
    // 144 x 72 squeezed into 72 x 72: green left, yellow right.
    EXPECT_TRUE(PixelNear(dc, cell(1).Left + 15, cell(1).Top + 37, kGreen));
    EXPECT_TRUE(PixelNear(dc, cell(1).Left + 60, cell(1).Top + 37, kYellow));
    EXPECT_TRUE(PixelNear(dc, cell(2).Left + 37, cell(2).Top + 37, kPage, 0));  // unreadable file
    EXPECT_TRUE(PixelNear(dc, cell(3).Left + 37, cell(3).Top + 37, kRed));      // apostrophe in the name
    EXPECT_TRUE(PixelNear(dc, cell(4).Left + 37, cell(4).Top + 37, kPage, 0));  // never read outside Jpgs
    // The names are written under the pictures, on the page's colour.
    const GridRect text = me.Grid().GameCells[1].TextRect;
    int dark = 0;
    for (int y = text.Top; y < text.Bottom; ++y)
        for (int x = text.Left; x < text.Right; ++x)
            if (GetRValue(GetPixel(dc, x, y)) < 128) ++dark;
    EXPECT_GT(dark, 10);
}

// A thumbnail of a few hundred bytes declaring 12000 x 12000 pixels: drawn
// as a missing picture, its neighbours as they are, and never decoded (which
// would take gigabytes and seconds).
TEST_F(MainMeTest, AThumbnailDeclaringAHugeSizeIsLeftOutWithoutBeingDecoded) {
    prog.Thumb(L"huge", L"huge.jpg");
    prog.Thumb(L"red", L"red.jpg");
    env.Exec({Insert(L"red", 1, 1), Insert(L"huge", 1, 1)});
    PROCESS_MEMORY_COUNTERS before{sizeof before};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    MainMe& me = Open();
    PROCESS_MEMORY_COUNTERS after{sizeof after};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    ASSERT_EQ(Names(me), (std::vector<std::wstring>{L"huge", L"red", L"更多游戏"}));
    HDC dc = me.hDC();
    auto cell = [&](int i) { return me.Grid().GameCells[i].PicRect; };
    EXPECT_TRUE(PixelNear(dc, cell(0).Left + 37, cell(0).Top + 37, kPage, 0));
    EXPECT_TRUE(PixelNear(dc, cell(1).Left + 37, cell(1).Top + 37, kRed));
    EXPECT_LT(after.PeakWorkingSetSize - before.PeakWorkingSetSize, SIZE_T{64} << 20)
        << "the peak grew by " << ((after.PeakWorkingSetSize - before.PeakWorkingSetSize) >> 20) << " MiB";
}

TEST_F(MainMeTest, LongNamesStayInsideTheirCaptionStrip) {
    env.Exec(Insert(L"a very long name of a game that goes on and on and on", 1, 1));
    MainMe& me = Open();
    HDC dc = me.hDC();
    const GridRect t = me.Grid().GameCells[0].TextRect;
    auto darkIn = [&](int top, int bottom, int left, int right) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (GetRValue(GetPixel(dc, x, y)) < 128) ++n;
        return n;
    };
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    EXPECT_GT(darkIn(t.Top, t.Top + tm.tmHeight, t.Left, t.Right), 5) << "first line";
    // Only whole lines are shown: a second one when two fit into the strip.
    if (2 * tm.tmHeight <= t.Bottom - t.Top) EXPECT_GT(darkIn(t.Top + tm.tmHeight, t.Bottom, t.Left, t.Right), 5);
    EXPECT_EQ(darkIn(t.Bottom, t.Bottom + 5, t.Left - 5, t.Right + 5), 0) << "nothing below the strip";
    EXPECT_EQ(darkIn(t.Top, t.Bottom, t.Right, t.Right + 20), 0) << "nothing right of it";
}

TEST_F(MainMeTest, HoverVeilComesAndGoesOneCellAtATime) {
    prog.Thumb(L"a", L"red.jpg");
    prog.Thumb(L"b", L"blue.jpg");
    env.Exec({Insert(L"b", 1, 1), Insert(L"a", 1, 1)});
    MainMe& me = Open();
    HDC dc = me.hDC();
    const POINT c0 = CellCentre(me, 0), c1 = CellCentre(me, 1);
    const COLORREF red = GetPixel(dc, c0.x, c0.y), blue = GetPixel(dc, c1.x, c1.y);
    ASSERT_TRUE(Near(red, kRed));

    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(c0.x, c0.y));
    EXPECT_TRUE(PixelNear(dc, c0.x, c0.y, Veiled(red), 2));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    // The window shows what was drawn.
    HDC wdc = GetDC(me.hwnd());
    EXPECT_TRUE(PixelNear(wdc, c0.x, c0.y, Veiled(red), 2));
    ReleaseDC(me.hwnd(), wdc);

    // Into the gap between cells: the veil goes, the arrow comes back.
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(c0.x + 50, c0.y));
    EXPECT_TRUE(PixelNear(dc, c0.x, c0.y, red, 0));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));

    // Straight from one cell onto the next: each keeps its own state.
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(c0.x, c0.y));
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(c1.x, c1.y));
    EXPECT_TRUE(PixelNear(dc, c0.x, c0.y, red, 0));
    EXPECT_TRUE(PixelNear(dc, c1.x, c1.y, Veiled(blue), 2));
    // The caption under a hovered cell is not repainted.
    EXPECT_EQ(me.Grid().GameCells[1].Hover, 1);

    // Empty slots take no veil.
    const POINT empty = CellCentre(me, 5);
    const COLORREF before = GetPixel(dc, empty.x, empty.y);
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(empty.x, empty.y));
    EXPECT_EQ(GetPixel(dc, empty.x, empty.y), before);
    EXPECT_TRUE(PixelNear(dc, c1.x, c1.y, blue, 0));

    // A reloaded list shows its own games, also under the pointer.
    me.G_GameName = L"a";
    me.Image_Del();
    const GridRect more = me.Grid().GameCells[1].PicRect;
    EXPECT_TRUE(PixelNear(dc, c0.x, c0.y, blue, 0));
    EXPECT_TRUE(PixelNear(dc, more.Left + 10, more.Top + 10, kMoreFill, 0));
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(c1.x, c1.y));
    EXPECT_TRUE(PixelNear(dc, more.Left + 10, more.Top + 10, Veiled(kMoreFill), 2));
}

TEST_F(MainMeTest, EveryPageShowsItsOwnGamesWhenShownAgainOrPreparedBeforehand) {
    // Game i has a red picture, a blue one or none by i modulo 3: twenty
    // cells a page make each page's pattern its own.
    constexpr int kGames = 190;  // ten pages, more than are kept composed
    std::vector<std::wstring> sql;
    for (int i = 1; i <= kGames; ++i) {
        const std::wstring name = L"g" + std::to_wstring(i);
        if (i % 3 != 2) prog.Thumb(name, i % 3 ? L"blue.jpg" : L"red.jpg");
        sql.push_back(Insert(name, 1, 1));
    }
    env.Exec(sql);
    MainMe& me = Open();
    HDC dc = me.hDC();
    auto expectPage = [&](int page) {
        SCOPED_TRACE(testing::Message() << "page " << page);
        ASSERT_EQ(me.Grid().CurrentPage, page);
        for (int cell = 0; cell < kCellsPerPage; ++cell) {
            const int game = kGames - (page * kCellsPerPage + cell);  // newest first
            const POINT c = CellCentre(me, cell);
            const COLORREF want = game < 1 ? kOriginFill : game % 3 == 2 ? kPage : game % 3 ? kBlue : kRed;
            EXPECT_TRUE(PixelNear(dc, c.x, c.y, want, want == kBlue || want == kRed ? 6 : 0)) << cell;
        }
    };
    auto flip = [&](int page) {
        const GridRect& b = me.Grid().PageButtons[page].Rect;
        LeftClick(me, {b.Left + 9, b.Top + 9});
        expectPage(page);
    };
    expectPage(0);
    PumpFor(300);  // the next page is composed while the program is idle
    flip(1);
    for (int page : {2, 3, 4, 5, 6, 7, 8, 9, 0, 9, 1, 4}) flip(page);
    // The veil goes over the right picture of a page shown again.
    const POINT c0 = CellCentre(me, 0);
    const COLORREF under = GetPixel(dc, c0.x, c0.y);
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(c0.x, c0.y));
    EXPECT_TRUE(PixelNear(dc, c0.x, c0.y, Veiled(under), 2));
}

TEST_F(MainMeTest, PageButtonsLightUnderThePointer) {
    AddGames(45);
    MainMe& me = Open();
    ASSERT_EQ(me.Grid().PageCount, 3);
    HDC dc = me.hDC();
    const GridRect b1 = me.Grid().PageButtons[1].Rect;
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(b1.Left + 3, b1.Top + 3));
    EXPECT_TRUE(PixelNear(dc, b1.Left + 9, b1.Top + 9, kKnobHover, 0));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(b1.Left + 3, b1.Top - 5));
    EXPECT_TRUE(PixelNear(dc, b1.Left + 9, b1.Top + 9, kKnobNormal, 0));
    // A page beyond the list has no button to light.
    const GridRect b5 = me.Grid().PageButtons[5].Rect;
    SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, At(b5.Left + 3, b5.Top + 3));
    EXPECT_TRUE(PixelNear(dc, b5.Left + 9, b5.Top + 9, kPage, 0));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(MainMeTest, FavouritesViewAndCommandsOnRows) {
    env.Exec({Insert(L"plain", 1, 1), Insert(L"liked", 1, 2), Insert(L"O'Neil", 1, 1), Insert(L"O'Neil2", 1, 1)});
    MainMe& me = Open();
    ASSERT_EQ(me.GameCellCount(), 5);

    // Marking while all games are shown writes the row and keeps the grid.
    me.G_GameName = L"O'Neil";
    me.FavoriteRun();
    EXPECT_EQ(env.QueryInt(L"Select G_Favorite From Games Where G_Name = 'O''Neil'"), 2);
    EXPECT_EQ(env.QueryInt(L"Select G_Favorite From Games Where G_Name = 'O''Neil2'"), 1);
    EXPECT_EQ(me.GameCellCount(), 5);

    ClickButton(me.Btn_GameSc.Live());
    EXPECT_TRUE(me.Btn_GameSc.Live()->Locked());
    EXPECT_FALSE(me.Btn_GameAll.Live()->Locked());
    EXPECT_EQ(Names(me), (std::vector<std::wstring>{L"O'Neil", L"liked", L"更多游戏"}));

    // Unmarking while favourites are shown takes the game off the grid.
    me.G_GameName = L"liked";
    me.FavoriteDel();
    EXPECT_EQ(Names(me), (std::vector<std::wstring>{L"O'Neil", L"更多游戏"}));

    // Deleting while favourites are shown: all games, the lock look unchanged.
    me.G_GameName = L"O'Neil";
    me.Image_Del();
    EXPECT_EQ(Names(me), (std::vector<std::wstring>{L"O'Neil2", L"liked", L"plain", L"更多游戏"}));
    EXPECT_TRUE(me.Btn_GameSc.Live()->Locked());
    EXPECT_EQ(env.QueryInt(L"Select count(*) From Games"), 3);

    ClickButton(me.Btn_GameAll.Live());
    EXPECT_TRUE(me.Btn_GameAll.Live()->Locked());
    EXPECT_FALSE(me.Btn_GameSc.Live()->Locked());
    EXPECT_EQ(me.GameCellCount(), 4);

    // A right click names the game the menu will work on and opens the game menu.
    ASSERT_TRUE(WhileModal([&] { SendMessageW(me.hwnd(), WM_RBUTTONUP, 0, At(CellCentre(me, 1).x, CellCentre(me, 1).y)); },
                           [](int) {
                               const HWND menu = OpenMenuWindow();
                               if (menu) PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                               return menu != nullptr;
                           }));
    EXPECT_EQ(me.G_GameName, L"liked");
    EXPECT_TRUE(GameMenuShown);
}

TEST_F(MainMeTest, TwoThousandGamesFillTheHundredPageButtons) {
    AddGames(2000);
    MainMe& me = Open();
    EXPECT_EQ(me.Grid().ItemCount, 2000);
    EXPECT_EQ(me.Grid().PageCount, 100);
    for (int i = 1; i < 100; ++i) ASSERT_EQ(me.Grid().PageButtons[i].State, 1) << i;
    const GridRect b17 = me.Grid().PageButtons[17].Rect;
    LeftClick(me, {b17.Left + 9, b17.Top + 9});
    EXPECT_EQ(me.Grid().CurrentPage, 17);
    LeftClick(me, CellCentre(me, 19));
    EXPECT_EQ(me.G_GameName, L"g" + std::to_wstring(2000 - (17 * 20 + 19)));
}

TEST_F(MainMeTest, LongerListsTurnWithTheWheelToTheLastGame) {
    AddGames(2021);
    MainMe& me = Open();
    EXPECT_EQ(me.Grid().PageCount, 102);
    for (int i = 0; i < 120; ++i) SendMessageW(me.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), At(300, 300));
    EXPECT_EQ(me.Grid().CurrentPage, 101);
    LeftClick(me, CellCentre(me, 0));
    EXPECT_EQ(me.G_GameName, L"g1");
    SendMessageW(me.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), At(300, 300));
    EXPECT_EQ(me.Grid().CurrentPage, 100);
    LeftClick(me, CellCentre(me, 0));
    EXPECT_EQ(me.G_GameName, L"g21");
}

}  // namespace
