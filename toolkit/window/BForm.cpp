#include "BForm.h"

#include <windowsx.h>

#include <cwchar>

#include "ChildParams.h"
#include "App.h"
#include "MouseState.h"
#include "Twips.h"

namespace {

constexpr int kBarHeight = 500;
constexpr int kPiece = 300;          // repeatable middle piece: x 300 to 600
constexpr int kTitleHeight = 545;
constexpr int kLeftCap = 545;
constexpr int kRightCap = 1000;
constexpr int kBorder = 60;
constexpr int kBorderTop = 800;
constexpr int kBorderHeight = 500;
constexpr int kCaptionX = 120, kCaptionY = 100;

int Px(int twips) { return TwipsToPixels(twips); }

}  // namespace

BForm::BForm(const CreateArgs& a) {
    const std::wstring folder = a.programFolder.empty() ? App::Path() : a.programFolder;
    try {
        if (auto picture = LoadPicture(folder + L"\\Skin\\DefaultSkin\\pellow\\bgpf.bmp")) {
            skin_.Resize(picture->PixelWidth(), picture->PixelHeight());
            picture->Render(skin_.dc(), 0, 0, picture->PixelWidth(), picture->PixelHeight());
        }
    } catch (...) {
        // No skin: the bar shows its background and caption only.
    }
    font_ = ControlFont::OfWindow(a.parent);
    Create(ChildParams(L"OrvaneTitleBar", WS_VISIBLE, a.parent, a.x, a.y, a.cx, Px(kBarHeight), a.id));
    PaintBar();
}

void BForm::InitProperties() {
    frmHwnd_ = nullptr;
    PaintBar();
}

void BForm::ReadProperties(const PropertyBag& bag) {
    backColor_ = static_cast<COLORREF>(std::wcstol(bag.ReadProperty<std::wstring>(L"BackColor", L"14346732").c_str(),
                                                   nullptr, 10));
    caption_ = bag.ReadProperty<std::wstring>(L"Caption", L"NewForm");
    frmHwnd_ = reinterpret_cast<HWND>(static_cast<intptr_t>(bag.ReadProperty<int32_t>(L"frmHwnd", 0)));
    PaintBar();
}

void BForm::WriteProperties(PropertyBag& bag) {
    PaintBar();
    bag.WriteProperty<std::wstring>(L"BackColor", BackColor(), L"14346732");
    bag.WriteProperty<std::wstring>(L"Caption", caption_, L"NewForm");
    bag.WriteProperty<int32_t>(L"frmHwnd", static_cast<int32_t>(reinterpret_cast<intptr_t>(frmHwnd_)), 0);
}

std::wstring BForm::BackColor() const { return std::to_wstring(backColor_); }

void BForm::BackColor(const std::wstring& value) {
    backColor_ = static_cast<COLORREF>(std::wcstol(value.c_str(), nullptr, 10));
    PaintBar();
    Changed(L"BackColor");
}

void BForm::Caption(const std::wstring& value) {
    caption_ = value;
    PaintBar();
    Changed(L"Caption");
}

void BForm::frmHwnd(HWND value) {
    frmHwnd_ = value;
    Changed(L"frmHwnd");
}

void BForm::Changed(const wchar_t* name) {
    if (PropertyChanged) PropertyChanged(name);
}

int BForm::SkinWidth() const { return PixelsToTwips(skin_.Width()); }
int BForm::SkinHeight() const { return PixelsToTwips(skin_.Height()); }

int BForm::BarWidth() const {
    RECT r{};
    if (hwnd()) GetClientRect(hwnd(), &r);
    return PixelsToTwips(r.right);
}

void BForm::CopySkin(HDC dc, int x, int y, int w, int h, int sx, int sy) const {
    if (skin_.dc()) BitBlt(dc, Px(x), Px(y), Px(w), Px(h), skin_.dc(), Px(sx), Px(sy), SRCCOPY);
}

void BForm::PaintBar() {
    if (!hwnd()) return;
    RECT r;
    GetClientRect(hwnd(), &r);
    surface_.Resize(r.right, r.bottom);
    surface_.Clear(backColor_);
    const int width = BarWidth();
    HDC dc = surface_.dc();
    for (int i = 1; i <= width / kPiece + 1; ++i) CopySkin(dc, i * kPiece, 0, kPiece, kTitleHeight, kPiece, 0);
    CopySkin(dc, 0, 0, kLeftCap, kTitleHeight, 0, 0);
    CopySkin(dc, width - kRightCap, 0, kRightCap, kTitleHeight, SkinWidth() - kRightCap, 0);
    PrintCaption();
}

void BForm::PrintCaption() {
    HDC dc = surface_.dc();
    ScopedFont font(font_);
    ScopedSelect select(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutW(dc, Px(kCaptionX), Px(kCaptionY), caption_.c_str(), static_cast<int>(caption_.size()));
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void BForm::Nomin() {
    CopySkin(surface_.dc(), BarWidth() - 830, 0, 400, kTitleHeight, SkinWidth() - 1200, 0);
    PrintCaption();
}

void BForm::Printform(Form& form) {
    form.Cls();
    HDC dc = form.hDC();
    const int width = form.Width(), height = form.Height();
    const int skinW = SkinWidth(), skinH = SkinHeight();
    for (int i = 1; i <= width / kPiece + 1; ++i)
        CopySkin(dc, i * kPiece, height - kBorder, kPiece, kBorder, kPiece, skinH - kBorder);
    for (int i = 1; i <= height / kPiece + 1; ++i) {
        CopySkin(dc, 0, i * kPiece, kBorder, kBorderHeight, 0, kBorderTop);
        CopySkin(dc, width - kBorder, i * kPiece, kBorder, kBorderHeight, skinW - kBorder, kBorderTop);
    }
    CopySkin(dc, 0, height - kBorder, kLeftCap, kBorder, 0, skinH - kBorder);
    CopySkin(dc, width - 500, height - kBorder, 500, kBorder, skinW - 500, skinH - kBorder);
    form.Refresh();
}

void BForm::OnSize() {
    RECT r;
    GetClientRect(hwnd(), &r);
    if (r.bottom != Px(kBarHeight)) {
        SetWindowPos(hwnd(), nullptr, 0, 0, r.right, Px(kBarHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;  // the size message of the corrected height repaints
    }
    PaintBar();
}

void BForm::OnMouse(int16_t button, WPARAM keys, LPARAM pos, bool press) {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (press && button == 1) {
        // The system moves frmHwnd as if its caption had been pressed.
        ReleaseCapture();
        if (frmHwnd_) SendMessageW(frmHwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
    int16_t shift = ShiftState();
    float x = static_cast<float>(PixelsToTwips(GET_X_LPARAM(pos)));
    float y = static_cast<float>(PixelsToTwips(GET_Y_LPARAM(pos)));
    auto& event = press ? MouseDown : MouseMove;
    if (event) event(button, shift, x, y);
}

LRESULT BForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: surface_.Paint(hwnd()); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: OnSize(); return 0;
        case WM_LBUTTONDOWN: OnMouse(1, wParam, lParam, true); return 0;
        case WM_RBUTTONDOWN: OnMouse(2, wParam, lParam, true); return 0;
        case WM_MBUTTONDOWN: OnMouse(4, wParam, lParam, true); return 0;
        case WM_MOUSEMOVE: OnMouse(ButtonsHeld(wParam), wParam, lParam, false); return 0;
        case WM_LBUTTONDBLCLK: if (DblClick) DblClick(); return 0;
        default: return Default(msg, wParam, lParam);
    }
}
