#include "ProgressBar.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ChildParams.h"
#include "DibHeader.h"
#include "Rounding.h"

namespace {

// Nine fixed palettes: B1s, B1e, B2s, B2e, F1s, F1e, F2s, F2e, O.
const COLORREF kThemes[9][9] = {
    {RGB(248, 246, 242), RGB(233, 227, 211), RGB(226, 215, 182), RGB(239, 233, 215), RGB(251, 244, 223),
     RGB(239, 213, 133), RGB(203, 166, 57), RGB(237, 224, 187), RGB(204, 168, 62)},
    {RGB(247, 248, 242), RGB(231, 233, 211), RGB(222, 226, 182), RGB(237, 239, 215), RGB(249, 251, 223),
     RGB(230, 239, 133), RGB(190, 203, 57), RGB(233, 237, 187), RGB(192, 204, 62)},
    {RGB(242, 248, 243), RGB(211, 233, 213), RGB(182, 226, 186), RGB(215, 239, 217), RGB(223, 251, 225),
     RGB(133, 239, 142), RGB(57, 203, 70), RGB(187, 237, 191), RGB(62, 204, 74)},
    {RGB(242, 248, 247), RGB(211, 233, 231), RGB(182, 226, 222), RGB(215, 239, 237), RGB(223, 251, 249),
     RGB(133, 239, 230), RGB(57, 203, 190), RGB(187, 237, 233), RGB(62, 204, 192)},
    {RGB(243, 242, 248), RGB(213, 211, 233), RGB(186, 182, 226), RGB(217, 215, 239), RGB(225, 223, 251),
     RGB(142, 133, 239), RGB(70, 57, 203), RGB(191, 187, 237), RGB(74, 62, 204)},
    {RGB(248, 242, 247), RGB(233, 211, 231), RGB(226, 182, 222), RGB(239, 215, 237), RGB(251, 223, 249),
     RGB(239, 133, 230), RGB(203, 57, 190), RGB(237, 187, 233), RGB(204, 62, 192)},
    {RGB(248, 242, 242), RGB(233, 211, 211), RGB(226, 182, 182), RGB(239, 215, 215), RGB(251, 223, 223),
     RGB(239, 133, 133), RGB(203, 57, 57), RGB(237, 187, 187), RGB(204, 62, 62)},
    {RGB(250, 253, 254), RGB(228, 243, 252), RGB(199, 230, 249), RGB(237, 247, 253), RGB(225, 247, 255),
     RGB(67, 208, 255), RGB(63, 112, 233), RGB(63, 226, 246), RGB(23, 139, 211)},
    {RGB(231, 243, 232), RGB(225, 219, 225), RGB(179, 189, 179), RGB(226, 238, 226), RGB(223, 251, 223),
     RGB(108, 255, 108), RGB(26, 228, 26), RGB(217, 244, 217), RGB(188, 184, 188)},
};

// n added to each byte of c, a byte passing 255 staying at 255.
COLORREF Lighter(COLORREF c, int n) {
    auto up = [n](int b) { return static_cast<BYTE>(std::min(255, b + n)); };
    return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

COLORREF Grey(COLORREF c) {
    const auto g = static_cast<BYTE>(RoundHalfEven((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3.0));
    return RGB(g, g, g);
}

// n + 1 colours from start to end, each channel stepped in single precision.
std::vector<COLORREF> Interpolate(COLORREF start, COLORREF end, int n) {
    auto step = [n](int a, int b) { return (b - a == 0 || n == 0) ? 0.0f : static_cast<float>(b - a) / n; };
    const float sr = step(GetRValue(start), GetRValue(end)), sg = step(GetGValue(start), GetGValue(end)),
                sb = step(GetBValue(start), GetBValue(end));
    std::vector<COLORREF> out;
    for (int i = 0; i <= n; ++i) {
        auto at = [i](int s, float st) { return static_cast<BYTE>(std::clamp(RoundHalfEven(s + st * i), 0, 255)); };
        out.push_back(RGB(at(GetRValue(start), sr), at(GetGValue(start), sg), at(GetBValue(start), sb)));
    }
    return out;
}

}  // namespace

ProgressBar::ProgressBar(const CreateArgs& a) : name_(a.name), ambientFont_(ControlFont::OfWindow(a.parent)) {
    textFont_ = ambientFont_;
    Create(ChildParams(L"OrvaneProgressBar", WS_VISIBLE, a.parent, a.x, a.y, a.cx, a.cy, a.id));
    Redraw();
}

void ProgressBar::InitProperties() {
    Max(100);
    Min(0);
    Value(50);
    RoundedValue(5);
    Enabled(true);
    Theme(1);
    TextForeColor(0);
    Text(L"Yaltic ProgressBar");
    TextAlignment(5);
    TextEffect(5);
    TextEffectColor(RGB(255, 255, 255));
    TextStyle(3);
    Orientations(1);
    TextFont(ambientFont_);
}

void ProgressBar::ReadProperties(const PropertyBag& bag) {
    Max(bag.ReadProperty<int32_t>(L"Max", 100));
    Min(bag.ReadProperty<int32_t>(L"Min", 0));
    Value(bag.ReadProperty<int32_t>(L"Value", 50));
    RoundedValue(bag.ReadProperty<int32_t>(L"RoundedValue", 5));
    Enabled(bag.ReadProperty<bool>(L"Enabled", true));
    Theme(bag.ReadProperty<int32_t>(L"Theme", 1));
    TextStyle(bag.ReadProperty<int32_t>(L"TextStyle", 1));
    Orientations(bag.ReadProperty<int32_t>(L"Orientations", 1));
    Text(bag.ReadProperty<std::wstring>(L"Text", name_));
    TextEffectColor(static_cast<COLORREF>(bag.ReadProperty<int32_t>(L"TextEffectColor", RGB(200, 200, 200))));
    TextEffect(bag.ReadProperty<int32_t>(L"TextEffect", 1));
    TextAlignment(bag.ReadProperty<int32_t>(L"TextAlignment", 5));
    TextFont(ControlFont::FromText(bag.ReadProperty<std::wstring>(L"TextFont", ambientFont_.ToText())));
    TextForeColor(static_cast<COLORREF>(bag.ReadProperty<int32_t>(L"TextForeColor", 0)));
    PBSCustomeColor2(static_cast<COLORREF>(bag.ReadProperty<int32_t>(L"PBSCustomeColor2", 0)));
    PBSCustomeColor1(static_cast<COLORREF>(bag.ReadProperty<int32_t>(L"PBSCustomeColor1", 0)));
}

void ProgressBar::WriteProperties(PropertyBag& bag) const {
    auto colour = [&bag](const wchar_t* key, COLORREF v, COLORREF def) {
        bag.WriteProperty<int32_t>(key, static_cast<int32_t>(v), static_cast<int32_t>(def));
    };
    bag.WriteProperty<int32_t>(L"Orientations", orientations_, 1);
    bag.WriteProperty<int32_t>(L"Max", max_, 100);
    bag.WriteProperty<int32_t>(L"Min", min_, 0);
    bag.WriteProperty<int32_t>(L"Value", value_, 50);
    bag.WriteProperty<int32_t>(L"RoundedValue", roundedValue_, 5);
    bag.WriteProperty<bool>(L"Enabled", enabled_, true);
    bag.WriteProperty<int32_t>(L"Theme", theme_, 1);
    bag.WriteProperty<int32_t>(L"TextStyle", textStyle_, 1);
    bag.WriteProperty<std::wstring>(L"TextFont", textFont_.ToText(), ambientFont_.ToText());
    colour(L"TextForeColor", textForeColor_, 0);
    bag.WriteProperty<int32_t>(L"TextAlignment", textAlignment_, 5);
    bag.WriteProperty<std::wstring>(L"Text", text_, L"");
    colour(L"TextEffectColor", textEffectColor_, RGB(200, 200, 200));
    bag.WriteProperty<int32_t>(L"TextEffect", textEffect_, 1);
    colour(L"PBSCustomeColor2", custom2_, 0);
    colour(L"PBSCustomeColor1", custom1_, 0);
}

void ProgressBar::Changed(const wchar_t* name) {
    if (PropertyChanged) PropertyChanged(name);
    Redraw();
}

void ProgressBar::Value(int32_t v) {
    value_ = std::max(std::min(v, max_), min_);
    Changed(L"Value");
}

void ProgressBar::Max(int32_t v) {
    if (v < 1) v = 1;
    if (v <= min_) v = min_ + 1;
    max_ = v;
    Changed(L"Max");
    if (value_ > max_) Value(max_);
}

void ProgressBar::Min(int32_t v) {
    if (v >= max_) v = max_ - 1;
    if (v < 0) v = 0;
    min_ = v;
    Changed(L"Min");
    if (value_ < min_) Value(min_);
}

void ProgressBar::RoundedValue(int32_t v) { roundedValue_ = v; Changed(L"RoundedValue"); }
void ProgressBar::Enabled(bool v) { enabled_ = v; Changed(L"Enabled"); }
void ProgressBar::Theme(int32_t v) { theme_ = v; Changed(L"Theme"); }
void ProgressBar::TextStyle(int32_t v) { textStyle_ = v; Changed(L"TextStyle"); }
void ProgressBar::Orientations(int32_t v) { orientations_ = v; Changed(L"Orientations"); }
void ProgressBar::TextAlignment(int32_t v) { textAlignment_ = v; Changed(L"TextAlignment"); }
void ProgressBar::Text(const std::wstring& v) { text_ = v; Changed(L"Text"); }
void ProgressBar::TextEffectColor(COLORREF v) { textEffectColor_ = v; Changed(L"TextEffectColor"); }
void ProgressBar::TextEffect(int32_t v) { textEffect_ = v; Changed(L"TextEffect"); }
void ProgressBar::TextForeColor(COLORREF v) { textForeColor_ = v; Changed(L"TextForeColor"); }
void ProgressBar::TextFont(const ControlFont& v) { textFont_ = v; Changed(L"TextFont"); }
void ProgressBar::PBSCustomeColor1(COLORREF v) { custom1_ = v; Changed(L"PBSCustomeColor1"); }
void ProgressBar::PBSCustomeColor2(COLORREF v) { custom2_ = v; Changed(L"PBSCustomeColor2"); }

void ProgressBar::GradientTwoColour(HDC dc, int Direction, COLORREF StartColor, COLORREF EndColor, int Left,
                                    int Top, int Width, int Height) {
    auto vertex = [](int x, int y, COLORREF c) {
        TRIVERTEX v{};
        v.x = x;
        v.y = y;
        v.Red = static_cast<COLOR16>(GetRValue(c) * 256);
        v.Green = static_cast<COLOR16>(GetGValue(c) * 256);
        v.Blue = static_cast<COLOR16>(GetBValue(c) * 256);
        v.Alpha = 0;
        return v;
    };
    TRIVERTEX v[2] = {vertex(Left, Top, StartColor), vertex(Width, Height, EndColor)};
    GRADIENT_RECT r{0, 1};
    GradientFill(dc, v, 2, &r, 1, Direction == 0 ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void ProgressBar::DrawGradientFourColour(HDC dc, int Left, int Top, int Width, int Height, COLORREF TopLeftColour,
                                         COLORREF TopRightColour, COLORREF BottomLeftColour,
                                         COLORREF BottomRightColour) {
    if (Width <= 0 || Height <= 0) return;
    const auto left = Interpolate(TopLeftColour, BottomLeftColour, Height);
    const auto right = Interpolate(TopRightColour, BottomRightColour, Height);
    const int stride = (Width * 3 + 3) & ~3;
    std::vector<BYTE> row(stride);
    const BITMAPINFO bi{DibHeader(Width, 1, 24), {}};
    for (int r = 0; r < Height; ++r) {
        const auto line = Interpolate(left[r], right[r], Width);
        for (int x = 0; x < Width; ++x) {
            row[x * 3] = GetBValue(line[x]);
            row[x * 3 + 1] = GetGValue(line[x]);
            row[x * 3 + 2] = GetRValue(line[x]);
        }
        SetDIBitsToDevice(dc, Left, Top + r, Width, 1, 0, 0, 0, 1, row.data(), &bi, DIB_RGB_COLORS);
    }
}

void ProgressBar::FillPalette() {
    if (theme_ >= 1 && theme_ <= 9) {
        std::copy(std::begin(kThemes[theme_ - 1]), std::end(kThemes[theme_ - 1]), palette_.begin());
    } else if (theme_ == 10) {
        palette_ = {Lighter(custom2_, 180), Lighter(custom2_, 50), custom2_, Lighter(custom2_, 80),
                    Lighter(custom1_, 180), Lighter(custom1_, 50), custom1_, Lighter(custom1_, 80), custom1_};
    }
}

std::wstring ProgressBar::DisplayText() const {
    switch (textStyle_) {
        case 1: return std::to_wstring(value_);
        case 2: {
            wchar_t buf[64];
            swprintf(buf, 64, L"%.15g%%", 100.0 * value_ / max_);
            return buf;
        }
        case 3: return text_;
        default: return L"";
    }
}

void ProgressBar::Redraw() {
    if (!hwnd()) return;
    RECT client;
    GetClientRect(hwnd(), &client);
    const int W = client.right, H = client.bottom;
    const int halfW = RoundHalfEven(W / 2.0), halfH = RoundHalfEven(H / 2.0);
    SetWindowRgn(hwnd(), CreateRoundRectRgn(0, 0, W, H, roundedValue_, roundedValue_), TRUE);
    const double percent = 100.0 * value_ / max_;
    surface_.Resize(W, H);
    HDC dc = surface_.dc();

    FillPalette();
    auto colour = [this](Slot s) { return enabled_ ? palette_[s] : Grey(palette_[s]); };
    surface_.Clear(GetSysColor(COLOR_BTNFACE));
    if (orientations_ == 1) {
        const int length = RoundHalfEven(W * percent / 100);
        GradientTwoColour(dc, 1, colour(B1s), colour(B1e), 0, 0, W, halfH);
        GradientTwoColour(dc, 1, colour(B2s), colour(B2e), 0, halfH, W, H);
        if (value_ >= 1) {
            GradientTwoColour(dc, 1, colour(F1s), colour(F1e), 0, 0, length, halfH);
            GradientTwoColour(dc, 1, colour(F2s), colour(F2e), 0, halfH, length, H);
        }
    } else if (orientations_ == 2) {
        const int length = RoundHalfEven(H * percent / 100);
        GradientTwoColour(dc, 0, colour(B1s), colour(B1e), 0, 0, halfW, H);
        GradientTwoColour(dc, 0, colour(B2s), colour(B2e), halfW, 0, W, H);
        if (value_ >= 1) {
            GradientTwoColour(dc, 0, colour(F1s), colour(F1e), 0, 0, halfW, length);
            GradientTwoColour(dc, 0, colour(F2s), colour(F2e), halfW, 0, W, length);
        }
    }
    {
        HPEN pen = CreatePen(PS_SOLID, 1, colour(O));
        ScopedSelect selectPen(dc, pen);
        ScopedSelect selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 0, 0, W - 1, H - 1, roundedValue_, roundedValue_);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }
    DrawText(DisplayText(), W, H);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void ProgressBar::DrawText(const std::wstring& text, int W, int H) {
    if (text.empty()) return;
    HDC dc = surface_.dc();
    ScopedFont font(textFont_);
    ScopedSelect selectFont(dc, font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int TW = size.cx, TH = size.cy;
    const int halfW = RoundHalfEven(W / 2.0), halfH = RoundHalfEven(H / 2.0);
    const int halfTW = RoundHalfEven(TW / 2.0), halfTH = RoundHalfEven(TH / 2.0);
    int x = 0, y = 0;
    switch (textAlignment_) {
        case 1: case 2: case 3: x = 1; break;
        case 4: case 5: case 6: x = halfW - halfTW - 1; break;
        case 7: case 8: case 9: x = W - TW - 3; break;
    }
    switch (textAlignment_) {
        case 2: case 5: case 8: y = halfH - halfTH - 1; break;
        case 3: case 6: case 9: y = H - TH - 1; break;
    }
    const COLORREF fore = enabled_ ? textForeColor_ : Grey(textForeColor_);
    const COLORREF effect = enabled_ ? textEffectColor_ : Grey(textEffectColor_);
    const COLORREF midGrey = RGB(128, 128, 128);
    struct Print { COLORREF colour; int dx, dy; };
    std::vector<Print> prints;
    switch (textEffect_) {
        case 1: prints = {{fore, 0, 0}}; break;
        case 2: prints = {{effect, -1, -1}, {midGrey, 1, 1}, {fore, 0, 0}}; break;
        case 3: prints = {{effect, 1, 1}, {midGrey, -1, 0}, {fore, 0, 0}}; break;
        case 4: prints = {{effect, 1, 0}, {effect, -1, 0}, {effect, 0, -1}, {effect, 0, 1}, {fore, 0, 0}}; break;
        case 5: prints = {{effect, 1, 1}, {fore, 0, 0}}; break;
    }
    SetBkMode(dc, TRANSPARENT);
    for (const auto& p : prints) {
        SetTextColor(dc, p.colour);
        TextOutW(dc, x + p.dx, y + p.dy, text.c_str(), static_cast<int>(text.size()));
    }
}

LRESULT ProgressBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: surface_.Paint(hwnd()); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: Redraw(); return 0;
        default: return Default(msg, wParam, lParam);
    }
}
