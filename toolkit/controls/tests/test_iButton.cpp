// The image button on a real window, driven by the cursor, mouse and key
// messages and its 50 ms poll; frames are read back as pixels of its surface.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Pump.h"
#include "iButton.h"
#include "test_paths.h"

namespace {

// Frame faces of the generated skin strips: normal, hover, pressed; checked ones.
const COLORREF kFace[] = {RGB(64, 110, 170), RGB(92, 142, 205), RGB(38, 76, 128)};
const COLORREF kChecked[] = {RGB(56, 140, 72), RGB(84, 172, 100), RGB(34, 104, 50)};
const COLORREF kCaption = RGB(255, 255, 0);

class Host : public Window {
public:
    Host() {
        CreateParams p;
        p.className = L"iButtonTestHost";
        p.style = WS_POPUP | WS_VISIBLE;
        p.exStyle = WS_EX_TOPMOST;
        p.x = 300;
        p.y = 300;
        p.cx = 300;
        p.cy = 150;
        p.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        Create(p);
        SetForegroundWindow(hwnd());
    }
};

std::shared_ptr<StdPicture> Skin(const wchar_t* name) {
    return LoadPicture(std::wstring(kDistDir) + L"Skin\\DefaultSkin\\" + name);
}

// A strip of solid frames, one colour each, width x height per frame.
std::shared_ptr<StdPicture> SolidStrip(const std::vector<COLORREF>& colours, int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width * static_cast<int>(colours.size()), height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    for (size_t i = 0; i < colours.size(); ++i) {
        HBRUSH b = CreateSolidBrush(colours[i]);
        RECT r{static_cast<int>(i) * width, 0, static_cast<int>(i + 1) * width, height};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return StdPicture::FromBitmap(bmp, true);
}

class iButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        Away();
        button = std::make_unique<iButton>(iButton::CreateArgs{host.hwnd(), 20, 20, 40, 20, 1});
        button->Click = [this] { ++clicks; };
        button->MouseOut = [this] { ++outs; };
        button->MouseOver = [this] { ++overs; };
        button->DBClick = [this] { ++doubleClicks; };
        button->cForeColor(kCaption);
    }
    void Show(std::shared_ptr<StdPicture> picture, int32_t style = 0) {
        button->Style(style);
        button->BackPicture(std::move(picture));
        ShowWindow(button->hwnd(), SW_SHOW);
        UpdateWindow(host.hwnd());
        PumpFor(120);  // the creation tick: cursor elsewhere, one MouseOut
        outs = 0;
    }
    COLORREF Frame() const { return GetPixel(button->hDC(), 2, 2); }
    // Cursor to client point (x, y) of the button, and the move message it causes.
    void Over(int x = 5, int y = 5) {
        POINT p{x, y};
        ClientToScreen(button->hwnd(), &p);
        SetCursorPos(p.x, p.y);
        SendMessageW(button->hwnd(), WM_MOUSEMOVE, held ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }
    void Away() {
        SetCursorPos(5, 1000);
        if (button) SendMessageW(button->hwnd(), WM_MOUSEMOVE, held ? MK_LBUTTON : 0, MAKELPARAM(-200, 600));
    }
    void Down(UINT msg = WM_LBUTTONDOWN) {
        held = msg == WM_LBUTTONDOWN;
        SendMessageW(button->hwnd(), msg, held ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(5, 5));
    }
    void Up(UINT msg = WM_LBUTTONUP) {
        held = false;
        SendMessageW(button->hwnd(), msg, 0, MAKELPARAM(5, 5));
    }
    void Key(UINT msg, WPARAM key) { SendMessageW(button->hwnd(), msg, key, 1); }
    bool WaitFrame(COLORREF c) {
        return PumpUntil([&] { return Frame() == c; }, 2000);
    }
    int CaptionLeft() const {
        for (int x = 0; x < 75; ++x)
            for (int y = 0; y < 23; ++y)
                if (GetPixel(button->hDC(), x, y) == kCaption) return x;
        return -1;
    }

    Host host;
    std::unique_ptr<iButton> button;
    int clicks = 0, outs = 0, overs = 0, doubleClicks = 0;
    bool held = false;
};

}  // namespace

TEST_F(iButtonTest, FirstTickAfterCreationRaisesMouseOutOnce) {
    int firstOuts = 0;
    button->MouseOut = [&] { ++firstOuts; };
    PumpFor(300);
    EXPECT_EQ(firstOuts, 1);
}

TEST_F(iButtonTest, PushButtonFollowsHoverPressAndTheLeavingPoll) {
    Show(Skin(L"btn75_23.bmp"));
    EXPECT_EQ(button->FrameWidth(), 75);
    RECT r;
    GetClientRect(button->hwnd(), &r);
    EXPECT_EQ(r.right, 75);  // AutoSize: one frame
    EXPECT_EQ(r.bottom, 23);
    EXPECT_EQ(Frame(), kFace[0]);
    Over();
    EXPECT_EQ(Frame(), kFace[1]);
    EXPECT_EQ(overs, 1);
    Down();
    EXPECT_EQ(Frame(), kFace[2]);
    Up();
    EXPECT_EQ(Frame(), kFace[1]);
    EXPECT_EQ(clicks, 1);
    Away();
    EXPECT_TRUE(WaitFrame(kFace[0]));
    EXPECT_EQ(outs, 1);
    EXPECT_FALSE(button->Value());
}

TEST_F(iButtonTest, DragOffAndBackThenReleaseOutsideGivesNoClick) {
    Show(Skin(L"btn75_23.bmp"));
    Over();
    Down();
    Away();
    EXPECT_TRUE(WaitFrame(kFace[0]));
    Over();
    EXPECT_TRUE(WaitFrame(kFace[2]));
    Away();
    EXPECT_TRUE(WaitFrame(kFace[0]));
    Up();
    EXPECT_EQ(Frame(), kFace[0]);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(iButtonTest, RightButtonRaisesDownAndUpButNoClickNorPressedLook) {
    Show(Skin(L"btn75_23.bmp"));
    std::vector<int> downs, ups;
    button->MouseDown = [&](int16_t& b, int16_t&, float& x, float& y) {
        downs.push_back(b);
        EXPECT_EQ(x, 75.f);  // 5 pixels in twips
        EXPECT_EQ(y, 75.f);
    };
    button->MouseUp = [&](int16_t& b, int16_t&, float&, float&) { ups.push_back(b); };
    Over();
    Down(WM_RBUTTONDOWN);
    EXPECT_EQ(Frame(), kFace[1]);
    Up(WM_RBUTTONUP);
    EXPECT_EQ(downs, std::vector<int>{2});
    EXPECT_EQ(ups, std::vector<int>{2});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Frame(), kFace[1]);
}

TEST_F(iButtonTest, DoubleClickShowsPressedAndRaisesDBClickOnce) {
    Show(Skin(L"btn75_23.bmp"));
    Over();
    Down();
    Up();
    SendMessageW(button->hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Frame(), kFace[2]);
    Up();
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(iButtonTest, ToggleFlipsValueAndShowsCheckedFrames) {
    Show(Skin(L"pellow\\minmax.bmp"), 1);
    EXPECT_EQ(button->FrameWidth(), 25);
    Over();
    Down();
    Up();
    EXPECT_TRUE(button->Value());
    EXPECT_EQ(Frame(), kChecked[1]);
    Away();
    EXPECT_TRUE(WaitFrame(kChecked[0]));
    // Enter clicks on key down and flips back.
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(button->Value());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Frame(), kFace[0]);
    // Space shows the pressed frame on key down and clicks on key up.
    Key(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(Frame(), kFace[2]);
    EXPECT_EQ(clicks, 2);
    Key(WM_KEYUP, VK_SPACE);
    EXPECT_TRUE(button->Value());
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(Frame(), kChecked[0]);
    button->Value(false);
    EXPECT_EQ(Frame(), kFace[0]);
}

TEST_F(iButtonTest, KeyHandlersThatClearTheCodeSuppressTheKeyActions) {
    Show(Skin(L"btn75_23.bmp"));
    button->KeyDown = [](int16_t& code, int16_t&) { code = 0; };
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(clicks, 0);
    Key(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(Frame(), kFace[0]);
    button->KeyUp = [](int16_t& code, int16_t&) { code = 0; };
    Key(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(clicks, 0);
    button->KeyDown = nullptr;
    button->KeyUp = nullptr;
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(clicks, 1);
    int16_t pressed = 0;
    button->KeyPress = [&](int16_t& ascii) { pressed = ascii; };
    Key(WM_CHAR, 'a');
    EXPECT_EQ(pressed, 'a');
}

TEST_F(iButtonTest, ValueStaysFalseOnPushStyles) {
    Show(Skin(L"btn75_23.bmp"));
    button->Value(true);
    EXPECT_FALSE(button->Value());
    button->Style(2);
    button->Value(true);
    EXPECT_FALSE(button->Value());
    Over();
    Down();
    Up();
    EXPECT_FALSE(button->Value());
}

TEST_F(iButtonTest, LockedShowsThePressedFrameButMovesTheCaptionOnlyWhenPressed) {
    Show(Skin(L"btn75_23.bmp"));
    button->Caption(L"OK");
    const int normalLeft = CaptionLeft();
    ASSERT_GE(normalLeft, 0);
    button->Locked(true);
    EXPECT_EQ(Frame(), kFace[2]);
    EXPECT_EQ(CaptionLeft(), normalLeft);
    Over();
    EXPECT_EQ(Frame(), kFace[2]);
    EXPECT_EQ(CaptionLeft(), normalLeft);
    Down();
    EXPECT_EQ(CaptionLeft(), normalLeft + 1);
    Up();
    Away();
    EXPECT_TRUE(PumpUntil([&] { return CaptionLeft() == normalLeft; }, 2000));
    EXPECT_EQ(Frame(), kFace[2]);
}

TEST_F(iButtonTest, EmptyCaptionDrawsNoText) {
    Show(Skin(L"btn75_23.bmp"));
    EXPECT_EQ(CaptionLeft(), -1);
    button->Caption(L"确 定");
    EXPECT_GE(CaptionLeft(), 0);
    button->Caption(L"");
    EXPECT_EQ(CaptionLeft(), -1);
}

TEST_F(iButtonTest, PressWhoseCaptureGoesElsewhereEndsAndTheLeavingPollStops) {
    Show(Skin(L"btn75_23.bmp"));
    Over();
    Down();
    EXPECT_EQ(Frame(), kFace[2]);
    // A popup menu or a modal window takes the mouse while the button is held.
    SetCapture(host.hwnd());
    EXPECT_EQ(Frame(), kFace[1]);
    PumpFor(150);
    EXPECT_EQ(Frame(), kFace[1]);  // the poll does not bring the press back
    ReleaseCapture();
    Away();
    EXPECT_TRUE(WaitFrame(kFace[0]));
    EXPECT_TRUE(PumpUntil([&] { return outs == 1; }, 2000));
    // The release that comes later is no click.
    Over();
    Up();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Frame(), kFace[1]);
    Away();
    EXPECT_TRUE(WaitFrame(kFace[0]));

    // Disabled during the press: the press ends with the disabled look.
    const COLORREF grey = RGB(150, 150, 150);
    Show(SolidStrip({kFace[0], kFace[1], kFace[2], grey}, 30, 12), 2);
    Over();
    Down();
    EXPECT_EQ(Frame(), kFace[2]);
    outs = 0;
    button->Enabled(false);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Frame(), grey);
    Away();
    EXPECT_TRUE(PumpUntil([&] { return outs == 1; }, 2000));
    EXPECT_EQ(Frame(), grey);
}

TEST_F(iButtonTest, DisabledFrameOfStyleTwoAndNormalLookOfOthers) {
    const COLORREF grey = RGB(150, 150, 150);
    Show(SolidStrip({kFace[0], kFace[1], kFace[2], grey}, 30, 12), 2);
    EXPECT_EQ(button->FrameWidth(), 30);
    button->Enabled(false);
    EXPECT_EQ(Frame(), grey);
    // A disabled window takes no input: the press goes nowhere.
    Over();
    EXPECT_EQ(Frame(), grey);
    Away();
    button->Enabled(true);
    EXPECT_EQ(Frame(), kFace[0]);
    // Disabled while the cursor is on it (a Click handler's doing): the
    // leaving poll raises MouseOut and keeps the disabled frame.
    Over();
    EXPECT_EQ(Frame(), kFace[1]);
    button->Enabled(false);
    EXPECT_EQ(Frame(), grey);
    PumpFor(150);
    EXPECT_EQ(outs, 1);
    EXPECT_EQ(Frame(), grey);
    Away();
    button->Enabled(true);
    button->Style(0);
    button->Enabled(false);
    EXPECT_EQ(Frame(), kFace[0]);
}

TEST_F(iButtonTest, HundredPixelStripGivesThreeFramesOfThirtyThree) {
    // Columns 0..32 red, 33..65 green, 66..98 blue, 99 black.
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 100, 10);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    const COLORREF bands[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 0)};
    for (int i = 0; i < 4; ++i) {
        HBRUSH b = CreateSolidBrush(bands[i]);
        RECT r{i * 33, 0, i == 3 ? 100 : (i + 1) * 33, 10};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    Show(StdPicture::FromBitmap(bmp, true));
    EXPECT_EQ(button->FrameWidth(), 33);
    EXPECT_EQ(button->FrameHeight(), 10);
    RECT r;
    GetClientRect(button->hwnd(), &r);
    EXPECT_EQ(r.right, 33);
    EXPECT_EQ(GetPixel(button->hDC(), 32, 5), RGB(255, 0, 0));
    button->cMouseAction(2, false);
    EXPECT_EQ(GetPixel(button->hDC(), 0, 5), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(button->hDC(), 32, 5), RGB(0, 0, 255));
    // Without AutoSize the frame stretches over the control's own size.
    button->AutoSize(false);
    SetWindowPos(button->hwnd(), nullptr, 0, 0, 66, 20, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(button->hwnd(), &r);
    EXPECT_EQ(r.right, 66);
    EXPECT_EQ(GetPixel(button->hDC(), 65, 19), RGB(255, 0, 0));
    button->AutoSize(true);
    GetClientRect(button->hwnd(), &r);
    EXPECT_EQ(r.right, 33);
}

TEST_F(iButtonTest, TransparentStyleLeavesMaskPixelsOutOfTheWindow) {
    const COLORREF magenta = RGB(255, 0, 255);
    // Each 20 x 10 frame: its left 5 columns are the mask colour.
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 60, 10);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    for (int i = 0; i < 3; ++i) {
        HBRUSH face = CreateSolidBrush(kFace[i]), mask = CreateSolidBrush(magenta);
        RECT all{i * 20, 0, i * 20 + 20, 10}, left{i * 20, 0, i * 20 + 5, 10};
        FillRect(dc, &all, face);
        FillRect(dc, &left, mask);
        DeleteObject(face);
        DeleteObject(mask);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    Show(StdPicture::FromBitmap(bmp, true));
    button->cBackStyle(0);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(button->hwnd(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 2, 5));
    EXPECT_TRUE(PtInRegion(rgn, 10, 5));
    DeleteObject(rgn);
    // The see-through columns take no clicks: the point hits the host.
    POINT p{2, 5};
    ClientToScreen(button->hwnd(), &p);
    EXPECT_EQ(WindowFromPoint(p), host.hwnd());
    button->cBackStyle(1);
    EXPECT_EQ(GetWindowRgn(button->hwnd(), rgn), ERROR);
}

TEST_F(iButtonTest, PersistedPropertiesInTheirOrderAndBackAgain) {
    PropertyBag bag;
    button->WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::wstring>{L"cFont", L"cDrawMode", L"cForeColor"}));
    button->BackPicture(Skin(L"pellow\\minmax.bmp"));
    button->Style(1);
    button->cBackStyle(0);
    button->Caption(L"全屏");
    button->AutoSize(false);
    button->Enabled(false);
    button->cDrawMode(R2_NOTXORPEN);
    PropertyBag full;
    button->WriteProperties(full);
    EXPECT_EQ(full.Keys(), (std::vector<std::wstring>{L"BackPicture", L"Enabled", L"Style", L"cBackStyle",
                                                       L"Caption", L"AutoSize", L"cFont", L"cDrawMode",
                                                       L"cForeColor"}));
    iButton loaded(iButton::CreateArgs{host.hwnd(), 100, 20, 40, 20, 2});
    loaded.ReadProperties(full);
    EXPECT_EQ(loaded.Style(), 1);
    EXPECT_EQ(loaded.cBackStyle(), 0);
    EXPECT_EQ(loaded.Caption(), L"全屏");
    EXPECT_FALSE(loaded.AutoSize());
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.cForeColor(), kCaption);
    EXPECT_EQ(loaded.cDrawMode(), R2_NOTXORPEN);
    ASSERT_TRUE(loaded.BackPicture());
    EXPECT_EQ(loaded.BackPicture()->PixelWidth(), 150);
    // Reading does not cut the frames; the first showing does.
    EXPECT_EQ(loaded.FrameWidth(), 0);
    loaded.cBackStyle(1);
    loaded.Enabled(true);
    ShowWindow(loaded.hwnd(), SW_SHOW);
    EXPECT_EQ(loaded.FrameWidth(), 25);
    EXPECT_EQ(GetPixel(loaded.hDC(), 2, 2), kFace[0]);
}

TEST_F(iButtonTest, FocusDrawsTheDottedRectangleAndLosingItRemovesIt) {
    Show(Skin(L"btn75_23.bmp"));
    auto rowChanged = [&] {
        int n = 0;
        for (int x = 3; x < 72; ++x) n += GetPixel(button->hDC(), x, 3) != kFace[0];
        return n;
    };
    EXPECT_EQ(rowChanged(), 0);
    SetFocus(button->hwnd());
    ASSERT_EQ(GetFocus(), button->hwnd());
    EXPECT_GT(rowChanged(), 10);
    EXPECT_EQ(GetPixel(button->hDC(), 2, 3), kFace[0]);  // the rectangle starts 3 pixels in
    SetFocus(host.hwnd());
    EXPECT_EQ(rowChanged(), 0);
}
