#include "RightDown.h"

#include "ProgramFiles.h"
#include "Rounding.h"
#include "Settings.h"
#include "Twips.h"
#include "WindowRegion.h"

RightDown::RightDown()
    : Label1(*this), W_Close(*this), Picture1(*this), WB(Picture1), TimerClose(*this), iButton1(*this) {
    Caption(L"系统提示");
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(4650, 3000);
    Label1.Move(130, 90, 975, 255);
    Label1.BackStyle(Label::BackStyleConstants::Transparent);
    Label1.Caption(L"系统提示");
    Label1.FontName(L"宋体");
    Label1.FontSize(9);
    Label1.FontBold(true);
    Label1.ForeColor(kHighlightText);
    W_Close.Move(4070, 15, 570, 285);
    W_Close.Design = [this](iButton& b) { b.Click = [this] { W_Close_Click(); }; };
    Picture1.Move(35, 400, 4590, 2570);
    WB.Move(-30, -30, 4900, 2900);
    TimerClose.Interval(15000);
    TimerClose.Enabled(true);
    TimerClose.Tick = [this] { W_Close_Click(); };
    iButton1.Move(840, 22800, 30, 30);
}

RightDown::~RightDown() = default;

void RightDown::Form_Load() {
    Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\RightDwon_bg.bmp"));
    const HWND previous = GetForegroundWindow();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // The work area's bottom is converted with the horizontal factor, as the
    // screen's two factors are the same.
    Move(Screen::Width() - Width(), work.bottom * Screen::TwipsPerPixelX() - Height());
    SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    if (previous) SetForegroundWindow(previous);
    RoundOutline();
    W_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\pop_close.bmp"));
    WB->Navigate(GetAdRightUrl());
}

void RightDown::Form_Resize() {
    if (WindowState() == FormWindowStateConstants::Minimized) return;
    RoundOutline();
}

void RightDown::RoundOutline() {
    const auto pixels = [](int twips) { return static_cast<int16_t>(RoundHalfEven(twips / 15.0 + 1)); };
    RectRgn(hWnd(), pixels(ScaleWidth()), pixels(ScaleHeight()), 6, 6);
}

void RightDown::RectRgn(HWND hwnd, int16_t Top, int16_t Buttom, int16_t EllipseW, int16_t EllipseH) {
    SetRoundRectRegion(hwnd, Top, Buttom, EllipseW, EllipseH);
}

void RightDown::W_Close_Click() { Unload(); }

RightDown& TheRightDown() {
    static RightDown form;
    return form;
}
