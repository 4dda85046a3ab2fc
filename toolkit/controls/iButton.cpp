#include "iButton.h"

#include <windowsx.h>

#include <cstdio>

#include "ChildParams.h"
#include "DibHeader.h"
#include "MouseState.h"
#include "Rounding.h"

namespace {

constexpr double kHimetricPerPixel = 26.45836;
constexpr int kTwips = 15;

// The pixels of the rectangle that are not the mask colour, as a region.
HRGN OpaqueRegion(HDC dc, int width, int height, COLORREF mask) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width;) {
            while (x < width && GetPixel(dc, x, y) == mask) ++x;
            const int start = x;
            while (x < width && GetPixel(dc, x, y) != mask) ++x;
            if (x > start) {
                HRGN run = CreateRectRgn(start, y, x, y + 1);
                CombineRgn(region, region, run, RGN_OR);
                DeleteObject(run);
            }
        }
    }
    return region;
}

BITMAPINFO Dib24(int width, int height) { return {DibHeader(width, height, 24), {}}; }

// A picture as design-data text: "BMP24:<width>x<height>:" followed by the
// bottom-up 24-bit rows, one character per byte.
std::wstring PictureToText(const StdPicture& picture) {
    const int w = picture.PixelWidth(), h = picture.PixelHeight();
    if (w <= 0 || h <= 0) return L"";
    BITMAPINFO bi = Dib24(w, h);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) return L"";
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    picture.Render(dc, 0, 0, w, h);
    GdiFlush();
    const size_t size = static_cast<size_t>((w * 3 + 3) & ~3) * h;
    std::wstring text = L"BMP24:" + std::to_wstring(w) + L"x" + std::to_wstring(h) + L":";
    const auto* p = static_cast<const BYTE*>(bits);
    text.append(p, p + size);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return text;
}

std::shared_ptr<StdPicture> PictureFromText(const std::wstring& text) {
    int w = 0, h = 0, used = 0;
    if (swscanf(text.c_str(), L"BMP24:%dx%d:%n", &w, &h, &used) != 2 || w <= 0 || h <= 0 || used == 0)
        return nullptr;
    const size_t size = static_cast<size_t>((w * 3 + 3) & ~3) * h;
    if (text.size() != used + size) return nullptr;
    BITMAPINFO bi = Dib24(w, h);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) return nullptr;
    auto* p = static_cast<BYTE*>(bits);
    for (size_t i = 0; i < size; ++i) p[i] = static_cast<BYTE>(text[used + i]);
    return StdPicture::FromBitmap(dib, true);
}

}  // namespace

iButton::iButton(const CreateArgs& a) {
    Create(ChildParams(L"OrvaneImageButton", WS_TABSTOP, a.parent, a.x, a.y, a.cx, a.cy, a.id));
    font_ = ControlFont::OfWindow(a.parent);
    SetTimer(hwnd(), kTimer1, kTimer1Interval, nullptr);
    LoadFrames();
}

iButton::~iButton() {
    if (hwnd()) KillTimer(hwnd(), kTimer1);
}

void iButton::ReadProperties(const PropertyBag& bag) {
    backPicture_ = PictureFromText(bag.ReadProperty<std::wstring>(L"BackPicture", L""));
    if (hwnd()) EnableWindow(hwnd(), bag.ReadProperty<bool>(L"Enabled", true));
    backStyle_ = static_cast<int16_t>(bag.ReadProperty<int32_t>(L"cBackStyle", 1));
    caption_ = bag.ReadProperty<std::wstring>(L"Caption", L"");
    style_ = bag.ReadProperty<int32_t>(L"Style", 0);
    autoSize_ = bag.ReadProperty<bool>(L"AutoSize", true);
    foreColor_ = static_cast<COLORREF>(bag.ReadProperty<int32_t>(L"cForeColor", static_cast<int32_t>(foreColor_)));
    font_ = ControlFont::FromText(bag.ReadProperty<std::wstring>(L"cFont", font_.ToText()));
    SetROP2(surface_.dc(), bag.ReadProperty<int32_t>(L"cDrawMode", cDrawMode()));
}

void iButton::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty<std::wstring>(L"BackPicture", backPicture_ ? PictureToText(*backPicture_) : L"", L"");
    bag.WriteProperty<bool>(L"Enabled", Enabled(), true);
    bag.WriteProperty<int32_t>(L"Style", style_, 0);
    bag.WriteProperty<int32_t>(L"cBackStyle", backStyle_, 1);
    bag.WriteProperty<std::wstring>(L"Caption", caption_, L"");
    bag.WriteProperty<bool>(L"AutoSize", autoSize_, true);
    bag.WriteProperty<std::wstring>(L"cFont", font_.ToText());
    bag.WriteProperty<int32_t>(L"cDrawMode", cDrawMode());
    bag.WriteProperty<int32_t>(L"cForeColor", static_cast<int32_t>(foreColor_));
}

void iButton::Changed(const wchar_t* name) {
    if (PropertyChanged) PropertyChanged(name);
}

int16_t iButton::cDrawMode() const { return static_cast<int16_t>(GetROP2(surface_.dc())); }

void iButton::cDrawMode(int16_t value) {
    SetROP2(surface_.dc(), value);
    PaintButton(curState_);
    Changed(L"cDrawMode");
}

void iButton::cFont(const ControlFont& value) {
    font_ = value;
    PaintButton(curState_);
    Changed(L"cFont");
}

void iButton::cForeColor(COLORREF value) {
    foreColor_ = value;
    PaintButton(curState_);
    Changed(L"cForeColor");
}

void iButton::Locked(bool value) {
    locked_ = value;
    ForcedRepaint();
}

void iButton::Value(bool value) {
    if (style_ != 1) {
        value_ = false;
        return;
    }
    value_ = value;
    ForcedRepaint();
}

void iButton::AutoSize(bool value) {
    autoSize_ = value;
    if (value) LoadFrames();
    Changed(L"AutoSize");
}

void iButton::Style(int32_t value) {
    style_ = value;
    LoadFrames();
    Changed(L"Style");
}

void iButton::BackPicture(std::shared_ptr<StdPicture> value) {
    backPicture_ = std::move(value);
    LoadFrames();
    Changed(L"BackPicture");
}

bool iButton::Enabled() const { return hwnd() && IsWindowEnabled(hwnd()); }

void iButton::Enabled(bool value) {
    const bool changed = value != Enabled();
    EnableWindow(hwnd(), value);
    if (changed) ForcedRepaint();
    Changed(L"Enabled");
}

void iButton::cBackStyle(int16_t value) {
    backStyle_ = value;
    if (backStyle_ != 0) SetWindowRgn(hwnd(), nullptr, TRUE);
    Repaint();
    Changed(L"cBackStyle");
}

void iButton::Caption(const std::wstring& value) {
    caption_ = value;
    Repaint();
    Changed(L"Caption");
}

int iButton::FrameCount() const {
    switch (style_) {
        case 0: return 3;
        case 1: return 6;
        default: return 4;
    }
}

int32_t iButton::CurrentState() const {
    if (!Enabled()) return 3;
    if (mouseIsDown_) return IsMouseOver() ? 2 : 0;
    return IsMouseOver() ? 1 : 0;
}

bool iButton::IsMouseOver() const {
    POINT p;
    GetCursorPos(&p);
    return hwnd() && WindowFromPoint(p) == hwnd();
}

void iButton::cMouseAction(int32_t cAction, bool vComplePaint) {
    if (cAction == curState_ && !vComplePaint) return;
    curState_ = cAction;
    PaintButton(cAction);
}

void iButton::Repaint() { PaintButton(CurrentState()); }

int iButton::FrameIndex(int32_t state) const {
    if (locked_) return 2;
    const int checked = (style_ == 1 && value_) ? 3 : 0;
    // Push and toggle strips have no disabled frame: they show their normal one.
    if (state == 3 && (style_ == 0 || style_ == 1)) return checked;
    return state + checked;
}

void iButton::PaintButton(int32_t state) {
    if (!hwnd()) return;
    HDC dc = surface_.dc();
    surface_.Clear(GetSysColor(COLOR_BTNFACE));
    PaintFrame(state);
    if (!caption_.empty()) {
        ScopedFont font(font_);
        ScopedSelect select(dc, font.get());
        SIZE text{};
        GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
        // Centred in twips, rounded to whole twips, as the surface's scale is.
        int x = RoundHalfEven(surface_.Width() * kTwips / 2.0 - text.cx * kTwips / 2.0);
        int y = RoundHalfEven(surface_.Height() * kTwips / 2.0 - text.cy * kTwips / 2.0);
        if (state == 2) {
            x += kTwips;
            y += kTwips;
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, foreColor_);
        TextOutW(dc, x / kTwips, y / kTwips, caption_.c_str(), static_cast<int>(caption_.size()));
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void iButton::PaintFrame(int32_t state) {
    const int index = FrameIndex(state);
    if (!framesReady_ || index < 0 || index >= FrameCount()) return;
    HDC dc = surface_.dc();
    const int w = surface_.Width(), h = surface_.Height();
    const int sx = index * frameWidth_;
    if (backStyle_ != 0) {
        StretchBlt(dc, 0, 0, w, h, strip_.dc(), sx, 0, frameWidth_, frameHeight_, SRCCOPY);
        return;
    }
    if (autoSize_) {
        BitBlt(dc, 0, 0, frameWidth_, frameHeight_, strip_.dc(), sx, 0, SRCCOPY);
        HRGN mask = OpaqueRegion(dc, frameWidth_, frameHeight_, kMaskColor);
        SetWindowRgn(hwnd(), mask, TRUE);
        return;
    }
    StretchBlt(dc, 0, 0, w, h, strip_.dc(), sx, 0, frameWidth_, frameHeight_, SRCCOPY);
    SetWindowRgn(hwnd(), OpaqueRegion(dc, w, h, kMaskColor), TRUE);
}

void iButton::LoadFrames() {
    framesReady_ = false;
    frameWidth_ = frameHeight_ = 0;
    if (backPicture_) {
        frameWidth_ = RoundHalfEven(backPicture_->Width() / kHimetricPerPixel / FrameCount());
        frameHeight_ = RoundHalfEven(backPicture_->Height() / kHimetricPerPixel);
        const int stripWidth = frameWidth_ * FrameCount();
        strip_.Resize(stripWidth, frameHeight_);
        strip_.Clear(GetSysColor(COLOR_BTNFACE));
        backPicture_->Render(strip_.dc(), 0, 0, backPicture_->PixelWidth(), backPicture_->PixelHeight());
        framesReady_ = true;
        SnapToFrame();
    }
    ForcedRepaint();
}

void iButton::SnapToFrame() {
    if (!autoSize_ || !framesReady_ || frameWidth_ <= 0 || frameHeight_ <= 0 || !hwnd()) return;
    RECT r;
    GetClientRect(hwnd(), &r);
    if (r.right != frameWidth_ || r.bottom != frameHeight_)
        SetWindowPos(hwnd(), nullptr, 0, 0, frameWidth_, frameHeight_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void iButton::DrawFocus() {
    RECT r{3, 3, surface_.Width() - 3, surface_.Height() - 3};
    DrawFocusRect(surface_.dc(), &r);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void iButton::FlipValue() {
    if (style_ == 1) value_ = !value_;
}

void iButton::OnMouseMove(WPARAM keys, LPARAM pos) {
    int16_t button = ButtonsHeld(keys), shift = ShiftState();
    float x = static_cast<float>(GET_X_LPARAM(pos) * kTwips), y = static_cast<float>(GET_Y_LPARAM(pos) * kTwips);
    if (MouseMove) MouseMove(button, shift, x, y);
    if (!IsMouseOver()) return;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    if (!mouseIsOver_) {
        cMouseAction(1, false);
        mouseIsOver_ = true;
        SetTimer(hwnd(), kTimer1, kTimer1Interval, nullptr);
        if (MouseOver) MouseOver();
    }
}

void iButton::OnButtonDown(int16_t button, WPARAM keys, LPARAM pos) {
    SetCapture(hwnd());
    pressedHere_ = true;
    if (GetFocus() != hwnd()) SetFocus(hwnd());
    int16_t shift = ShiftState();
    float x = static_cast<float>(GET_X_LPARAM(pos) * kTwips), y = static_cast<float>(GET_Y_LPARAM(pos) * kTwips);
    if (MouseDown) MouseDown(button, shift, x, y);
    lastButton_ = button;
    if (button == 1) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        cMouseAction(2, false);
        mouseIsDown_ = true;
    }
}

void iButton::OnButtonUp(int16_t button, WPARAM keys, LPARAM pos) {
    int16_t shift = ShiftState();
    float x = static_cast<float>(GET_X_LPARAM(pos) * kTwips), y = static_cast<float>(GET_Y_LPARAM(pos) * kTwips);
    if (MouseUp) MouseUp(button, shift, x, y);
    const bool over = IsMouseOver();
    if (button == 1) {
        if (over) {
            FlipValue();
            cMouseAction(1, true);
        } else {
            cMouseAction(0, true);
        }
    }
    mouseIsDown_ = false;
    const bool clicked = pressedHere_ && over;
    pressedHere_ = false;
    if (GetCapture() == hwnd()) ReleaseCapture();
    // The platform's click: a press and a release on the control.
    if (clicked && lastButton_ == 1) {
        ForcedRepaint();
        if (Click) Click();
    }
}

void iButton::OnDoubleClick() {
    SetCapture(hwnd());
    if (lastButton_ == 1) cMouseAction(2, false);
    if (DBClick) DBClick();
}

void iButton::OnTimer() {
    const bool over = IsMouseOver();
    // A button disabled while the cursor was on it keeps its disabled look
    // when the cursor leaves, instead of falling back to the normal frame.
    const int32_t away = Enabled() ? 0 : 3;
    if (over && mouseIsDown_) {
        cMouseAction(2, false);
    } else if (!over && mouseIsDown_) {
        cMouseAction(away, false);
    } else if (!over) {
        KillTimer(hwnd(), kTimer1);
        mouseIsOver_ = false;
        if (MouseOut) MouseOut();
        cMouseAction(away, false);
    }
}

void iButton::OnCaptureLost() {
    if (!mouseIsDown_ && !pressedHere_) return;
    mouseIsDown_ = false;
    pressedHere_ = false;
    if (GetCapture() == hwnd()) ReleaseCapture();
    // The leaving poll goes on only while the cursor is still over the button.
    const int32_t away = Enabled() ? 0 : 3;
    cMouseAction(IsMouseOver() && Enabled() ? 1 : away, true);
}

void iButton::OnKeyDown(WPARAM key) {
    int16_t code = static_cast<int16_t>(key), shift = ShiftState();
    if (KeyDown) KeyDown(code, shift);
    if (code == VK_RETURN) {
        FlipValue();
        ForcedRepaint();
        if (!mouseIsOver_) DrawFocus();
        if (Click) Click();
    } else if (code == VK_SPACE) {
        cMouseAction(2, true);
        if (!mouseIsOver_) DrawFocus();
    }
}

void iButton::OnKeyUp(WPARAM key) {
    int16_t code = static_cast<int16_t>(key), shift = ShiftState();
    if (KeyUp) KeyUp(code, shift);
    if (code == VK_SPACE) {
        FlipValue();
        ForcedRepaint();
        if (!mouseIsOver_) DrawFocus();
        if (Click) Click();
    }
}

void iButton::OnChar(WPARAM ch) {
    int16_t ascii = static_cast<int16_t>(ch);
    if (KeyPress) KeyPress(ascii);
}

void iButton::OnSetFocus() {
    ForcedRepaint();
    if (!mouseIsDown_) DrawFocus();
}

void iButton::OnSize() {
    RECT r;
    GetClientRect(hwnd(), &r);
    surface_.Resize(r.right, r.bottom);
    if (autoSize_ && backPicture_) SnapToFrame();
    ForcedRepaint();
}

void iButton::OnShow(bool shown) {
    if (!shown || shown_) return;
    shown_ = true;
    LoadFrames();
}

LRESULT iButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: surface_.Paint(hwnd()); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: OnSize(); return 0;
        case WM_SHOWWINDOW: OnShow(wParam != FALSE); return Default(msg, wParam, lParam);
        case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 0;
        case WM_LBUTTONDOWN: OnButtonDown(1, wParam, lParam); return 0;
        case WM_RBUTTONDOWN: OnButtonDown(2, wParam, lParam); return 0;
        case WM_MBUTTONDOWN: OnButtonDown(4, wParam, lParam); return 0;
        case WM_LBUTTONUP: OnButtonUp(1, wParam, lParam); return 0;
        case WM_RBUTTONUP: OnButtonUp(2, wParam, lParam); return 0;
        case WM_MBUTTONUP: OnButtonUp(4, wParam, lParam); return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: OnDoubleClick(); return 0;
        case WM_TIMER: OnTimer(); return 0;
        case WM_CANCELMODE: OnCaptureLost(); return Default(msg, wParam, lParam);
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd()) OnCaptureLost();
            return 0;
        case WM_KEYDOWN: OnKeyDown(wParam); return 0;
        case WM_KEYUP: OnKeyUp(wParam); return 0;
        case WM_CHAR: OnChar(wParam); return 0;
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_SETFOCUS: OnSetFocus(); return 0;
        case WM_KILLFOCUS: ForcedRepaint(); return 0;
        case WM_SETCURSOR: return LOWORD(lParam) == HTCLIENT ? TRUE : Default(msg, wParam, lParam);
        default: return Default(msg, wParam, lParam);
    }
}
