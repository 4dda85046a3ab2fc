// Full screen, pop-out and layout of the Flash game page on real windows, in
// twips: every state of the page, the rounded region, the tool bar's
// background in each, and the life of a popped-out page.
#include <gtest/gtest.h>

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
