// Full screen, pop-out and layout of the Flash game page on real windows, in
// twips: every state of the page, the rounded region, the tool bar's
// background in each, the buttons a user can reach in each, and the life of
// a popped-out page.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "FlashGameHost.h"

namespace {

class FlashGameScreen : public FlashHostTest {
protected:
    void Toggle(iButton& button, bool value) {
        button.Value(value);
        button.Click();
        PumpFor(30);
    }
    int PageWidth() { return Twips(page->hwnd()).right; }
    int PageHeight() { return Twips(page->hwnd()).bottom; }
    // Twips as a window keeps them: rounded to whole pixels.
    static int Snap(int twips) { return TwipsToPixels(twips) * 15; }
    // Left, top, width, height in twips (the RECT's fields in that order);
    // -1 leaves a size unchecked.
    static void ExpectBox(HWND control, int left, int top, int width, int height, const char* what) {
        const RECT r = Twips(control);
        EXPECT_EQ(r.left, Snap(left)) << what;
        EXPECT_EQ(r.top, Snap(top)) << what;
        if (width >= 0) {
            EXPECT_EQ(r.right, Snap(width)) << what;
        }
        if (height >= 0) {
            EXPECT_EQ(r.bottom, Snap(height)) << what;
        }
    }
    void PopOut() {
        page->Eject_Tool_Popping->Click();
        PumpFor(30);
    }
    // The window a click at a screen point reaches within the page's top-level
    // window, as the system finds it: the visible child on top, level by level.
    static HWND WindowAt(HWND top, POINT screen) {
        HWND at = top;
        for (;;) {
            POINT p = screen;
            ScreenToClient(at, &p);
            HWND child = ChildWindowFromPointEx(at, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
            if (!child || child == at) return at;
            at = child;
        }
    }
    // Whether clicks anywhere on the button (its centre and just inside each edge) reach it.
    static ::testing::AssertionResult Reachable(HWND button, const char* what) {
        RECT r;
        GetWindowRect(button, &r);
        if (r.right - r.left < 4 || r.bottom - r.top < 4) return ::testing::AssertionFailure() << what << " has no size";
        const POINT points[] = {{(r.left + r.right) / 2, (r.top + r.bottom) / 2},
                                {r.left + 1, (r.top + r.bottom) / 2},
                                {r.right - 2, (r.top + r.bottom) / 2},
                                {(r.left + r.right) / 2, r.top + 1},
                                {(r.left + r.right) / 2, r.bottom - 2}};
        for (const POINT& p : points) {
            HWND got = WindowAt(GetAncestor(button, GA_ROOT), p);
            if (got != button) {
                wchar_t name[64] = L"";
                GetClassNameW(got, name, 64);
                return ::testing::AssertionFailure() << what << ": " << p.x - r.left << "," << p.y - r.top
                                                     << " of it reaches a window of class "
                                                     << std::string(name, name + wcslen(name));
            }
        }
        return ::testing::AssertionSuccess();
    }
    // Whether the button's window shows its picture where it can be seen:
    // the frame of its state (normal, or checked for a checked toggle), pixel
    // for pixel as the screen has it.
    static ::testing::AssertionResult ShowsItsPicture(iButton& b, const char* what) {
        if (!IsWindowVisible(b.hwnd())) return ::testing::AssertionFailure() << what << " is hidden";
        if (!b.BackPicture() || b.FrameWidth() <= 0) return ::testing::AssertionFailure() << what << " has no picture";
        const int w = b.FrameWidth(), h = b.FrameHeight(), frame = b.Style() == 1 && b.Value() ? 3 : 0;
        HDC screen = GetDC(nullptr);
        HDC strip = CreateCompatibleDC(screen);
        HBITMAP bits = CreateCompatibleBitmap(screen, w * b.FrameCount(), h);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(strip, bits);
        b.BackPicture()->Render(strip, 0, 0, b.BackPicture()->PixelWidth(), b.BackPicture()->PixelHeight());
        HDC shown = GetDC(b.hwnd());
        RECT seen{};  // what the page around it leaves visible
        GetClipBox(shown, &seen);
        int differing = 0, compared = 0;
        for (int y = seen.top; y < std::min<int>(seen.bottom, h); ++y)
            for (int x = seen.left; x < std::min<int>(seen.right, w); ++x, ++compared)
                differing += GetPixel(shown, x, y) != GetPixel(strip, frame * w + x, y) ? 1 : 0;
        ReleaseDC(b.hwnd(), shown);
        SelectObject(strip, old);
        DeleteObject(bits);
        DeleteDC(strip);
        if (compared < w * h / 2) return ::testing::AssertionFailure() << what << ": only " << compared << " pixels can be seen";
        if (differing == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << what << ": " << differing << " of " << compared
                                             << " pixels are not its picture's";
    }
    // Messages pumped until no window of the page has anything left to paint.
    void PumpUntilPainted() {
        PumpUntil([&] {
            bool waiting = GetUpdateRect(page->hwnd(), nullptr, FALSE);
            EnumChildWindows(
                page->hwnd(),
                [](HWND child, LPARAM waiting) CALLBACK -> BOOL {
                    *reinterpret_cast<bool*>(waiting) |= GetUpdateRect(child, nullptr, FALSE) != FALSE;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&waiting));
            return !waiting;
        });
    }
    // Every button the tool bar and the help panel show has its picture.
    void ExpectButtonsShowTheirPictures() {
        SetCursorPos(0, 0);  // no button under the pointer
        PumpUntilPainted();
        const std::pair<iButton*, const char*> bar[] = {
            {page->Eject_Tool_Closed.Live(), "help"},          {page->Eject_Tool_Replay.Live(), "replay"},
            {page->Eject_Tool_Favorite.Live(), "favourite"},   {page->Eject_Tool_Filling.Live(), "scale"},
            {page->Eject_Tool_Pop.Live(), "full screen"},
        };
        for (const auto& [button, what] : bar) EXPECT_TRUE(ShowsItsPicture(*button, what));
        if (page->PopMode() == 0) EXPECT_TRUE(ShowsItsPicture(*page->Eject_Tool_Popping, "pop-out"));
        page->Eject_Tool_Closed->Click();
        PumpUntilPainted();
        const std::pair<iButton*, const char*> panel[] = {
            {page->Eject_Tool_Trigger.Live(), "help off"}, {page->PicUp.Live(), "scroll up"}, {page->PicDown.Live(), "scroll down"}};
        for (const auto& [button, what] : panel) EXPECT_TRUE(ShowsItsPicture(*button, what));
        page->Eject_Tool_Trigger->Click();
    }
    // The help panel shown, then both its scroll buttons reachable. Nothing
    // is pumped: see FullScreenInTheTabAndBack.
    void ExpectScrollButtonsReachable() {
        page->Eject_Tool_Closed->Click();
        ASSERT_TRUE(IsWindowVisible(page->Pic_Say.hWnd()));
        EXPECT_TRUE(Reachable(page->PicUp->hwnd(), "scroll up"));
        EXPECT_TRUE(Reachable(page->PicDown->hwnd(), "scroll down"));
        page->Eject_Tool_Trigger->Click();
    }
};

TEST_F(FlashGameScreen, FullScreenInTheTabAndBack) {
    Open(L"Full");
    // Read before any message is pumped: under Wine without a window manager
    // a maximised window of the main window's style gets its old size back
    // from the X server shortly afterwards.
    page->Eject_Tool_Pop->Value(true);
    page->Eject_Tool_Pop->Click();
    EXPECT_EQ(main.IsResize, L"1");
    EXPECT_EQ(main.WindowState(), FormWindowStateConstants::Maximized);
    const int w = main.Width(), h = main.Height();
    EXPECT_EQ(w, Screen::Width());
    EXPECT_EQ(PageWidth(), w);
    EXPECT_EQ(PageHeight(), h);
    ExpectBox(page->FlashReplay->hwnd(), 0, 0, w, h - 780, "movie");
    ExpectBox(page->Pic_Btn.hWnd(), 0, h - 780, w, 780, "tool bar");
    ExpectBox(page->Pic_Say.hWnd(), 0, h - 780, w, 780, "help panel");
    ExpectBox(page->ImgRight.hWnd(), w - 120, 0, -1, -1, "right cap");
    ExpectBox(page->PicUp->hwnd(), w - 765, 80, -1, -1, "scroll up");
    ExpectBox(page->PicDown->hwnd(), w - 765, 440, -1, -1, "scroll down");
    EXPECT_EQ(Twips(page->WebBrowser1->hwnd()).right, Snap(w - 2650));
    EXPECT_TRUE(IsWindowVisible(main.hWnd()));
    // The strip shows the .gif unstretched: its stripes every 8 pixels.
    HDC bar = page->Pic_Btn.hDC();
    EXPECT_NE(GetPixel(bar, 4, 2), GetPixel(bar, 12, 2));
    EXPECT_EQ(GetPixel(bar, 4, 2), GetPixel(bar, 20, 2));

    page->Eject_Tool_Pop->Value(false);
    page->Eject_Tool_Pop->Click();
    EXPECT_EQ(main.IsResize, L"0");
    EXPECT_EQ(main.WindowState(), FormWindowStateConstants::Normal);
    EXPECT_EQ(PageWidth(), 11865);
    EXPECT_EQ(PageHeight(), 9195);
    ExpectBox(page->Pic_Btn.hWnd(), 0, 9195 - 1720, 11865, 780, "tool bar");
    ExpectBox(page->Pic_Say.hWnd(), 0, 9195 - 1720, 11865, 780, "help panel");
    ExpectBox(page->FlashReplay->hwnd(), 0, 0, 11865, 9195 - 1720, "movie");
    ExpectBox(page->PicUp->hwnd(), 11865 - 765, 80, -1, -1, "scroll up");
    EXPECT_EQ(Twips(page->WebBrowser1->hwnd()).right, Snap(11865 - 2650));
}

TEST_F(FlashGameScreen, PopOutTakesThePageOutOfItsTabIntoARoundedFrame) {
    Open(L"Pop");
    const long tabsBefore = Tabs().Count();
    PopOut();
    EXPECT_EQ(page->PopMode(), 1);
    EXPECT_EQ(Tabs().Count(), tabsBefore - 1);
    EXPECT_EQ(GetParent(page->hwnd()), nullptr);
    EXPECT_FALSE(GetWindowLongW(page->hwnd(), GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(page->hwnd()));
    EXPECT_FALSE(IsWindowVisible(page->Eject_Tool_Popping->hwnd()));
    EXPECT_EQ(PageWidth(), 10500);
    EXPECT_EQ(PageHeight(), 9195) << "9200 twips are 613 pixels";
    // Centred on the screen (at the size it had when it left the tab).
    RECT r;
    GetWindowRect(page->hwnd(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 60);
    // Title bar, movie in its frame, tool bar and help panel under it.
    ExpectBox(page->WebBForm->hwnd(), 0, 0, 10500, 495, "title bar");
    ExpectBox(page->FlashReplay->hwnd(), 60, 495, 10380, 7860, "movie");
    ExpectBox(page->Pic_Btn.hWnd(), 60, 495 + 7860, 10380, 780, "tool bar");
    ExpectBox(page->Pic_Say.hWnd(), 60, 495 + 7860, 10380, 780, "help panel");
    ExpectBox(page->web_close->hwnd(), 10500 - 730, 15, -1, -1, "close");
    ExpectBox(page->web_min->hwnd(), 10500 - 730 - 360, 15, -1, -1, "minimise");
    ExpectBox(page->ImgRight.hWnd(), 10500 - 120 - 125, 0, -1, -1, "right cap");
    ExpectBox(page->PicUp->hwnd(), 10500 - 120 - 645, 80, -1, -1, "scroll up");
    EXPECT_EQ(Twips(page->WebBrowser1->hwnd()).right, Snap(10500 - 2650));
    // The rounded region: given the inner size in pixels plus one, it covers
    // the window exactly (a rounded region ends one pixel inside its box).
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(page->hwnd(), rgn), ERROR);
    RECT box;
    GetRgnBox(rgn, &box);
    EXPECT_EQ(box.right, 700);
    EXPECT_EQ(box.bottom, 613);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(PtInRegion(rgn, 5, 5));
    DeleteObject(rgn);
    // After the resize the strip's picture is the stretched .bmp again.
    HDC bar = page->Pic_Btn.hDC();
    EXPECT_EQ(GetPixel(bar, 4, 2), GetPixel(bar, 12, 2));
}

TEST_F(FlashGameScreen, PopOutOfFullScreenRestoresTheMainWindowFirstAndKeepsTheButtonChecked) {
    Open(L"FullPop");
    page->Eject_Tool_Pop->Value(true);
    page->Eject_Tool_Pop->Click();
    ASSERT_EQ(main.WindowState(), FormWindowStateConstants::Maximized);
    PopOut();
    EXPECT_EQ(main.WindowState(), FormWindowStateConstants::Normal);
    EXPECT_EQ(main.IsResize, L"0");
    EXPECT_TRUE(page->Eject_Tool_Pop->Value());
    EXPECT_EQ(PageWidth(), 10500);

    // Its next click takes the off path of a popped-out page: nothing of the main window.
    Toggle(*page->Eject_Tool_Pop, false);
    EXPECT_EQ(main.IsResize, L"0");
    EXPECT_EQ(page->WindowState(), FormWindowStateConstants::Normal);
    EXPECT_EQ(page->Pic_Btn.Left(), 60);
}

TEST_F(FlashGameScreen, FullScreenOfAPoppedOutPageMaximisesItAndBack) {
    Open(L"PopFull");
    PopOut();
    Toggle(*page->Eject_Tool_Pop, true);
    EXPECT_EQ(page->WindowState(), FormWindowStateConstants::Maximized);
    EXPECT_EQ(main.IsResize, L"0") << "the main window is left alone";
    const int w = PageWidth(), h = PageHeight();
    EXPECT_GT(w, 10500);
    ExpectBox(page->FlashReplay->hwnd(), 0, 0, w, h - 780, "movie");
    ExpectBox(page->Pic_Btn.hWnd(), 0, h - 780, w, 780, "tool bar");
    ExpectBox(page->ImgRight.hWnd(), w - 120, 0, -1, -1, "right cap");

    Toggle(*page->Eject_Tool_Pop, false);
    EXPECT_EQ(page->WindowState(), FormWindowStateConstants::Normal);
    EXPECT_EQ(PageWidth(), 10500);
    ExpectBox(page->FlashReplay->hwnd(), 60, 495, 10380, 7860, "movie");
    ExpectBox(page->Pic_Btn.hWnd(), 60, 495 + 7860, 10380, 780, "tool bar");
}

TEST_F(FlashGameScreen, EveryButtonOfEachLayoutTakesItsClicks) {
    Open(L"Reach");
    ExpectScrollButtonsReachable();
    for (const bool full : {true, false, true}) {
        page->Eject_Tool_Pop->Value(full);
        page->Eject_Tool_Pop->Click();
        ExpectScrollButtonsReachable();
    }

    // Popped out (of full screen), its caption buttons above the title bar.
    PopOut();
    EXPECT_TRUE(Reachable(page->web_min->hwnd(), "minimise"));
    EXPECT_TRUE(Reachable(page->web_close->hwnd(), "close"));
    ExpectScrollButtonsReachable();
    Toggle(*page->Eject_Tool_Pop, true);
    ExpectScrollButtonsReachable();
    Toggle(*page->Eject_Tool_Pop, false);
    EXPECT_TRUE(Reachable(page->web_min->hwnd(), "minimise"));
    EXPECT_TRUE(Reachable(page->web_close->hwnd(), "close"));
    ExpectScrollButtonsReachable();

    // Real clicks on them, the pointer over them.
    SetForegroundWindow(page->hwnd());
    ClickButton(page->web_min.Live());
    EXPECT_EQ(page->WindowState(), FormWindowStateConstants::Minimized);
    page->WindowState(FormWindowStateConstants::Normal);
    SetForegroundWindow(page->hwnd());
    ClickButton(page->web_close.Live());
    EXPECT_FALSE(page->Loaded());
}

TEST_F(FlashGameScreen, ButtonsKeepTheirPicturesThroughPopOutFullScreenAndBack) {
    Open(L"Pictures");
    ExpectButtonsShowTheirPictures();
    PopOut();
    ExpectButtonsShowTheirPictures();

    Toggle(*page->Eject_Tool_Pop, true);
    ExpectButtonsShowTheirPictures();
    Toggle(*page->Eject_Tool_Pop, false);
    ExpectButtonsShowTheirPictures();
}

TEST_F(FlashGameScreen, MinimisingAPoppedOutPageKeepsItsLayout) {
    Open(L"Min");
    PopOut();
    page->web_min->Click();
    PumpFor(30);
    EXPECT_EQ(page->WindowState(), FormWindowStateConstants::Minimized);
    ExpectBox(page->FlashReplay->hwnd(), 60, 495, 10380, 7860, "movie");
    page->WindowState(FormWindowStateConstants::Normal);
    PumpFor(30);
    EXPECT_EQ(PageWidth(), 10500);
    ExpectBox(page->Pic_Btn.hWnd(), 60, 495 + 7860, 10380, 780, "tool bar");
}

TEST_F(FlashGameScreen, PoppedOutPageOutlivesItsTabAndClosesByTheSystemCommand) {
    Open(L"Lives");
    Strip().Selected(0);
    PopOut();
    Strip().Selected(0);
    const long selectedBefore = Strip().Selected();
    // The strip moves on without it; the page stays open.
    Tabs().Remove(1L);
    PumpFor(30);
    EXPECT_TRUE(page->Loaded());
    EXPECT_TRUE(IsWindowVisible(page->hwnd()));
    SendMessageW(page->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpFor(30);
    EXPECT_FALSE(page->Loaded());
    EXPECT_EQ(Strip().Selected(), selectedBefore) << "a popped-out page selects nothing";
}

TEST_F(FlashGameScreen, CloseButtonOfAPoppedOutPageUnloadsIt) {
    Open(L"Closer");
    Strip().Selected(0);
    PopOut();
    Strip().Selected(0);
    page->web_close->Click();
    PumpFor(30);
    EXPECT_FALSE(page->Loaded());
    EXPECT_EQ(Strip().Selected(), 0);
}

}  // namespace
