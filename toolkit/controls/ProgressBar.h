// Owner-drawn progress bar: two-band gradient background and fill, rounded
// outline that also shapes the window, text in styles, alignments and effects.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "ControlFont.h"
#include "PropertyBag.h"
#include "Surface.h"
#include "Window.h"

class ProgressBar : public Window {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        int x = 0, y = 0, cx = 200, cy = 20;  // pixels in the parent's client area
        int id = 0;
        std::wstring name = L"ProgressBar1";  // the control's name on its window
    };
    explicit ProgressBar(const CreateArgs& args);

    // A newly placed control: the new-control values, each assignment redrawing.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    int32_t Value() const { return value_; }
    void Value(int32_t v);
    int32_t Max() const { return max_; }
    void Max(int32_t v);
    int32_t Min() const { return min_; }
    void Min(int32_t v);
    int32_t RoundedValue() const { return roundedValue_; }
    void RoundedValue(int32_t v);
    bool Enabled() const { return enabled_; }
    void Enabled(bool v);
    int32_t Theme() const { return theme_; }
    void Theme(int32_t v);
    int32_t TextStyle() const { return textStyle_; }
    void TextStyle(int32_t v);
    int32_t Orientations() const { return orientations_; }
    void Orientations(int32_t v);
    int32_t TextAlignment() const { return textAlignment_; }
    void TextAlignment(int32_t v);
    const std::wstring& Text() const { return text_; }
    void Text(const std::wstring& v);
    COLORREF TextEffectColor() const { return textEffectColor_; }
    void TextEffectColor(COLORREF v);
    int32_t TextEffect() const { return textEffect_; }
    void TextEffect(int32_t v);
    COLORREF TextForeColor() const { return textForeColor_; }
    void TextForeColor(COLORREF v);
    const ControlFont& TextFont() const { return textFont_; }
    void TextFont(const ControlFont& v);
    COLORREF PBSCustomeColor1() const { return custom1_; }
    void PBSCustomeColor1(COLORREF v);
    COLORREF PBSCustomeColor2() const { return custom2_; }
    void PBSCustomeColor2(COLORREF v);

    // Fills Width x Height at (Left, Top) with colours interpolated between four corners.
    static void DrawGradientFourColour(HDC ObjectHDC, int Left, int Top, int Width, int Height,
                                       COLORREF TopLeftColour, COLORREF TopRightColour,
                                       COLORREF BottomLeftColour, COLORREF BottomRightColour);
    // Two-colour linear gradient over (Left, Top)-(Width, Height): the last two
    // are the right and bottom edges. Direction 0 left to right, 1 top to bottom.
    static void GradientTwoColour(HDC ObjectHDC, int Direction, COLORREF StartColor, COLORREF EndColor,
                                  int Left, int Top, int Width, int Height);

    // The bar's picture as last drawn.
    HDC hDC() const { return surface_.dc(); }
    // Notifies the host that a persisted property changed (its key).
    std::function<void(const wchar_t* name)> PropertyChanged;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum Slot { B1s, B1e, B2s, B2e, F1s, F1e, F2s, F2e, O, kSlots };

    void Changed(const wchar_t* name);
    void Redraw();
    void FillPalette();
    std::wstring DisplayText() const;
    void DrawText(const std::wstring& text, int W, int H);

    std::wstring name_;
    Surface surface_;
    ControlFont ambientFont_;
    std::array<COLORREF, kSlots> palette_{};

    int32_t value_ = 0, max_ = 1, min_ = 0, roundedValue_ = 0;
    bool enabled_ = false;
    int32_t theme_ = 0, textStyle_ = 0, orientations_ = 0, textAlignment_ = 0, textEffect_ = 0;
    std::wstring text_;
    COLORREF textEffectColor_ = 0, textForeColor_ = 0, custom1_ = 0, custom2_ = 0;
    ControlFont textFont_;
};
