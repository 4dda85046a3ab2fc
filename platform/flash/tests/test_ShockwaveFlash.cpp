// The Flash player view in a real window: loading files and web addresses,
// replacing movies, the painted stage per scale mode, geometry, focus and
// the context menu.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "PipeServer.h"
#include "Pump.h"
#include "ReadableFolderScope.h"
#include "ShockwaveFlash.h"
#include "SwfBytes.h"
#include "TempDir.h"
#include "TestHttpServer.h"
#include "test_paths.h"

namespace {

// What the view paints, read back from a memory DC.
class Snapshot {
public:
    explicit Snapshot(HWND hwnd) {
        RECT r;
        GetClientRect(hwnd, &r);
        const HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, r.right, r.bottom);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    ~Snapshot() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // Pixels of the colour within the rectangle.
    int Count(RECT r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
        return n;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

class FlashPlayer : public ::testing::Test {
protected:
    FlashPlayer() {
        parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 600, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        flash = std::make_unique<ShockwaveFlash>(ShockwaveFlash::CreateArgs{parent_, 0, 0, 400, 400, 7});
        PumpFor(50);
    }
    ~FlashPlayer() override {
        flash.reset();
        DestroyWindow(parent_);
    }
    std::wstring MovieFile(const wchar_t* name, const std::string& bytes) {
        WriteBytes(dir.File(name), bytes);
        return dir.File(name);
    }
    std::wstring Web(const std::string& path) const { return server.BaseUrlW() + std::wstring(path.begin(), path.end()); }
    bool WaitWhileLoading() {
        return PumpUntil([this] { return flash->Movie().state != MovieFacts::Loading; });
    }

    HWND parent_;
    TempDir dir;
    ReadableFolderScope folder{dir.Path()};  // the test's movies are the program's own
    TestHttpServer server;
    std::unique_ptr<ShockwaveFlash> flash;
};

TEST_F(FlashPlayer, LoadsTheProgramFolderMoviesOneReplacingTheOther) {
    const ReadableFolderScope programFolder(kDistDir);
    EXPECT_EQ(flash->Movie().state, MovieFacts::Empty);
    flash->LoadMovie(0, std::wstring(kDistDir) + L"Games\\2.swf");
    EXPECT_EQ(flash->Movie().state, MovieFacts::Shown);
    EXPECT_EQ(flash->Movie().header->WidthPx(), 640);
    EXPECT_TRUE(flash->Playing());

    flash->LoadMovie(0, std::wstring(kDistDir) + L"Games\\1.swf");
    EXPECT_EQ(flash->Movie().address, std::wstring(kDistDir) + L"Games\\1.swf");
    EXPECT_EQ(flash->Movie().header->WidthPx(), 550);
    EXPECT_EQ(flash->Movie().header->HeightPx(), 400);
    EXPECT_EQ(flash->Movie().header->FrameRate(), 24.0);
}

TEST_F(FlashPlayer, MembersKeepWhatTheyAreGiven) {
    flash->Playing(false);
    EXPECT_FALSE(flash->Playing());
    flash->LoadMovie(0, std::wstring(kDistDir) + L"Games\\1.swf");
    EXPECT_TRUE(flash->Playing());  // a loaded movie plays
    EXPECT_TRUE(flash->Menu());
    flash->Menu(false);
    EXPECT_FALSE(flash->Menu());
    EXPECT_EQ(flash->ScaleMode(), kScaleShowAll);
    flash->ScaleMode(kScaleExactFit);
    EXPECT_EQ(flash->ScaleMode(), kScaleExactFit);
}

TEST_F(FlashPlayer, OnlyLayerZeroIsShown) {
    const std::wstring wide = MovieFile(L"wide.swf", FwsMovie(10, 800, 400, 24 << 8, 1));
    flash->LoadMovie(0, wide);
    flash->LoadMovie(1, std::wstring(kDistDir) + L"Games\\1.swf");
    EXPECT_EQ(flash->Movie().address, wide);
}

TEST_F(FlashPlayer, ShowAllPaintsBandsBesideTheStageAndExactFitStretchesIt) {
    flash->LoadMovie(0, MovieFile(L"wide.swf", FwsMovie(10, 800, 400, 24 << 8, 1)));
    EXPECT_EQ(flash->Stage(), (StageRect{0, 100, 400, 200}));
    {
        Snapshot shot(flash->hwnd());
        EXPECT_EQ(shot.Count({0, 0, 400, 100}, ShockwaveFlash::kBandColour), 400 * 100);
        EXPECT_EQ(shot.Count({0, 300, 400, 400}, ShockwaveFlash::kBandColour), 400 * 100);
        EXPECT_EQ(shot.At(3, 103), ShockwaveFlash::kStageColour);
        EXPECT_EQ(shot.At(396, 296), ShockwaveFlash::kStageColour);
        // The movie's facts are written on the stage.
        const int inked = 400 * 200 - shot.Count({0, 100, 400, 300}, ShockwaveFlash::kStageColour);
        EXPECT_GT(inked, 200);
    }
    flash->ScaleMode(kScaleExactFit);
    EXPECT_EQ(flash->Stage(), (StageRect{0, 0, 400, 400}));
    Snapshot shot(flash->hwnd());
    EXPECT_EQ(shot.Count({0, 0, 400, 100}, ShockwaveFlash::kBandColour), 0);
    EXPECT_EQ(shot.At(3, 3), ShockwaveFlash::kStageColour);
    EXPECT_EQ(shot.At(396, 396), ShockwaveFlash::kStageColour);
}

// Rows and columns of the snapshot that hold any of the text's ink.
std::pair<int, int> InkExtent(HWND hwnd) {
    Snapshot shot(hwnd);
    int rows = 0, columns = 0;
    for (int y = 0; y < 400; ++y) rows += shot.Count({0, y, 400, y + 1}, RGB(0, 0, 0)) > 0;
    for (int x = 0; x < 400; ++x) columns += shot.Count({x, 0, x + 1, 400}, RGB(0, 0, 0)) > 0;
    return {rows, columns};
}

TEST_F(FlashPlayer, AStretchedStageStretchesTheText) {
    // A wide movie stretched to a square: the text grows taller.
    flash->LoadMovie(0, MovieFile(L"wide.swf", FwsMovie(10, 800, 400, 24 << 8, 1)));
    const auto wideShowAll = InkExtent(flash->hwnd());
    flash->ScaleMode(kScaleExactFit);
    EXPECT_GT(InkExtent(flash->hwnd()).first, wideShowAll.first * 3 / 2);

    // A tall movie stretched to a square: same height, the text grows wider.
    flash->ScaleMode(kScaleShowAll);
    flash->LoadMovie(0, MovieFile(L"tall.swf", FwsMovie(10, 200, 400, 24 << 8, 1)));
    const auto tallShowAll = InkExtent(flash->hwnd());
    flash->ScaleMode(kScaleExactFit);
    const auto tallStretched = InkExtent(flash->hwnd());
    EXPECT_NEAR(tallStretched.first, tallShowAll.first, tallShowAll.first / 5);
    EXPECT_GT(tallStretched.second, tallShowAll.second * 3 / 2);
}

TEST_F(FlashPlayer, MissingAndForeignFilesShowNoStage) {
    flash->LoadMovie(0, dir.File(L"gone.swf"));
    EXPECT_EQ(flash->Movie().state, MovieFacts::Missing);
    {
        Snapshot shot(flash->hwnd());
        EXPECT_EQ(shot.Count({0, 0, 400, 400}, ShockwaveFlash::kStageColour), 0);
        EXPECT_LT(shot.Count({0, 0, 400, 400}, ShockwaveFlash::kBandColour), 400 * 400);  // the words
    }
    flash->LoadMovie(0, MovieFile(L"picture.swf", "GIF89a\x01\x00\x01\x00"));
    EXPECT_EQ(flash->Movie().state, MovieFacts::NotFlash);
}

// Web addresses and the files of the program's folder only: a share, a pipe
// or a file elsewhere is a missing movie and is never opened.
TEST_F(FlashPlayer, ReadsNoShareNoPipeAndNoFileOutsideTheProgramFolder) {
    const std::string movie = FwsMovie(10, 800, 400, 24 << 8, 1);
    PipeServer pipe(movie);
    ASSERT_TRUE(pipe.Valid());
    TempDir elsewhere;
    WriteBytes(elsewhere.File(L"outside.swf"), movie);
    for (const std::wstring& address : {pipe.Path(), elsewhere.File(L"outside.swf"),
                                        std::wstring(L"\\\\127.0.0.1\\s\\http://m.swf?nosave")}) {
        flash->LoadMovie(0, address);
        EXPECT_EQ(flash->Movie().state, MovieFacts::Missing) << std::string(address.begin(), address.end());
    }
    EXPECT_FALSE(pipe.Connected());
    flash->LoadMovie(0, MovieFile(L"inside.swf", movie));
    EXPECT_EQ(flash->Movie().state, MovieFacts::Shown);
}

TEST_F(FlashPlayer, CompressedMoviesFillTheWindowInEitherMode) {
    flash->LoadMovie(0, MovieFile(L"c.swf", CompressedMovie('C', 10, 5000)));
    EXPECT_EQ(flash->Movie().state, MovieFacts::Shown);
    EXPECT_EQ(flash->Stage(), (StageRect{0, 0, 400, 400}));
    flash->LoadMovie(0, MovieFile(L"z.swf", CompressedMovie('Z', 13, 5000)));
    EXPECT_STREQ(flash->Movie().header->Signature(), "ZWS");
    EXPECT_EQ(Snapshot(flash->hwnd()).At(2, 2), ShockwaveFlash::kStageColour);
}

TEST_F(FlashPlayer, WebMovieLoadsInTheBackground) {
    HttpResponse r = TestHttpServer::Text(FwsMovie(9, 320, 240, 30 << 8, 2) + std::string(100000, 'x'),
                                          "application/x-shockwave-flash");
    r.delayMs = 1000;
    server.Route("/swf/game.swf", r);
    const DWORD before = GetTickCount();
    flash->LoadMovie(0, Web("/swf/game.swf"));
    EXPECT_LT(GetTickCount() - before, 500u);
    EXPECT_EQ(flash->Movie().state, MovieFacts::Loading);
    ASSERT_TRUE(WaitWhileLoading());
    EXPECT_EQ(flash->Movie().state, MovieFacts::Shown);
    EXPECT_EQ(flash->Movie().header->version, 9);
    EXPECT_EQ(flash->Movie().header->WidthPx(), 320);
    EXPECT_EQ(flash->Movie().header->frameCount, 2);
}

TEST_F(FlashPlayer, UnreachableWebMoviesAreMissing) {
    flash->LoadMovie(0, Web("/swf/none.swf"));  // 404
    ASSERT_TRUE(WaitWhileLoading());
    EXPECT_EQ(flash->Movie().state, MovieFacts::Missing);

    std::wstring dead;
    {
        TestHttpServer gone;
        dead = gone.BaseUrlW() + L"/a.swf";
    }
    flash->LoadMovie(0, dead);
    ASSERT_TRUE(WaitWhileLoading());
    EXPECT_EQ(flash->Movie().state, MovieFacts::Missing);
}

TEST_F(FlashPlayer, ALaterLoadWinsOverAWebMovieStillOnItsWay) {
    const ReadableFolderScope programFolder(kDistDir);
    HttpResponse r = TestHttpServer::Text(FwsMovie(9, 320, 240, 30 << 8, 1), "application/x-shockwave-flash");
    r.delayMs = 300;
    server.Route("/swf/slow.swf", r);
    flash->LoadMovie(0, Web("/swf/slow.swf"));
    flash->LoadMovie(0, std::wstring(kDistDir) + L"Games\\1.swf");
    PumpUntil([this] { return server.RequestCount("/swf/slow.swf") > 0; });
    PumpFor(700);
    EXPECT_EQ(flash->Movie().address, std::wstring(kDistDir) + L"Games\\1.swf");
    EXPECT_EQ(flash->Movie().header->WidthPx(), 550);
}

TEST_F(FlashPlayer, DestroyedWhileAWebMovieLoads) {
    HttpResponse r;
    r.neverAnswer = true;
    server.Route("/swf/hang.swf", r);
    flash->LoadMovie(0, Web("/swf/hang.swf"));
    PumpUntil([this] { return server.RequestCount("/swf/hang.swf") > 0; });
    flash.reset();
    PumpFor(100);
}

TEST_F(FlashPlayer, MovesWithinItsParentAndTakesTheFocus) {
    const ReadableFolderScope programFolder(kDistDir);
    flash->Move(10, 20, 300, 200);
    EXPECT_EQ(flash->Left(), 10);
    EXPECT_EQ(flash->Top(), 20);
    EXPECT_EQ(flash->Width(), 300);
    EXPECT_EQ(flash->Height(), 200);
    flash->LoadMovie(0, std::wstring(kDistDir) + L"Games\\1.swf");
    EXPECT_EQ(flash->Stage(), (StageRect{12, 0, 275, 200}));

    SetForegroundWindow(parent_);
    ::SetFocus(parent_);
    flash->SetFocus();
    EXPECT_EQ(GetFocus(), flash->hwnd());
}

// Closes any popup menu and notes that one was open.
bool g_menuSeen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) g_menuSeen = true;
    EndMenu();
}

TEST_F(FlashPlayer, ContextMenuOnlyWhenMenuIsOn) {
    SetForegroundWindow(parent_);
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, CloseMenu);
    g_menuSeen = false;
    flash->Menu(false);
    SendMessageW(flash->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(flash->hwnd()), MAKELPARAM(50, 50));
    PumpFor(400);
    EXPECT_FALSE(g_menuSeen);
    flash->Menu(true);
    SendMessageW(flash->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(flash->hwnd()), MAKELPARAM(50, 50));
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_menuSeen);
}

}  // namespace

TEST_F(FlashPlayer, EveryLoadIsKeptInItsLayerInOrderAndTheWindowTextIsTheMovieShown) {
    wchar_t text[MAX_PATH] = L"?";
    GetWindowTextW(flash->hwnd(), text, MAX_PATH);
    EXPECT_STREQ(text, L"");
    EXPECT_TRUE(flash->LoadedMovies(0).empty());
    const std::wstring before = std::wstring(kDistDir) + L"Games\\2.swf";
    const std::wstring game = MovieFile(L"贪吃蛇.swf", FwsMovie(9, 300, 200, 12 << 8, 1));
    flash->LoadMovie(0, before);
    flash->LoadMovie(5, L"overlay.swf");
    flash->LoadMovie(0, game);
    EXPECT_EQ(flash->LoadedMovies(0), (std::vector<std::wstring>{before, game}));
    EXPECT_EQ(flash->LoadedMovies(5), std::vector<std::wstring>{L"overlay.swf"});
    EXPECT_TRUE(flash->LoadedMovies(1).empty());
    EXPECT_EQ(flash->Movie().address, game);
    GetWindowTextW(flash->hwnd(), text, MAX_PATH);
    EXPECT_EQ(std::wstring(text), game);
    // A web movie: its address at once, while it loads.
    flash->LoadMovie(0, Web("/later.swf"));
    GetWindowTextW(flash->hwnd(), text, MAX_PATH);
    EXPECT_EQ(std::wstring(text), Web("/later.swf"));
    EXPECT_EQ(flash->LoadedMovies(0).size(), 3u);
    EXPECT_TRUE(WaitWhileLoading());
}
