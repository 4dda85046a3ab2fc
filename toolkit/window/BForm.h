// Title bar of the skinned borderless windows: paints itself from the skin
// bitmap pellow\bgpf.bmp with the caption, drags the window frmHwnd, and
// paints the rest of the frame (sides, bottom, corners) onto its host form.
// Positions and sizes are in twips (15 per pixel).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ControlFont.h"
#include "Form.h"
#include "PropertyBag.h"
#include "StdPicture.h"
#include "Surface.h"
#include "Window.h"

class BForm : public Window {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        int x = 0, y = 0, cx = 400;  // pixels; the height is always 500 twips
        int id = 0;
        std::wstring programFolder;  // empty: the folder of the running program
    };
    explicit BForm(const CreateArgs& args);

    // A newly placed bar, and design data read and written.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag);

    // Background colour as the decimal text of the colour number.
    std::wstring BackColor() const;
    const std::wstring& Caption() const { return caption_; }
    void BackColor(const std::wstring& value);
    void Caption(const std::wstring& value);
    // Covers the minimise area of the right cap with plain skin.
    void Nomin();
    // Paints the side and bottom borders with their corners onto form's surface.
    void Printform(Form& form);
    HWND frmHwnd() const { return frmHwnd_; }
    void frmHwnd(HWND value);

    std::function<void()> DblClick;
    std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseDown;
    std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseMove;
    std::function<void(const wchar_t* name)> PropertyChanged;

    // The bar's picture as last painted.
    HDC hDC() const { return surface_.dc(); }
    bool HasSkin() const { return skin_.dc() != nullptr; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintBar();
    void PrintCaption();
    // Copies the skin's (sx, sy, w, h) to (x, y) of dc, all in twips, unscaled.
    void CopySkin(HDC dc, int x, int y, int w, int h, int sx, int sy) const;
    int SkinWidth() const;
    int SkinHeight() const;
    int BarWidth() const;
    void OnSize();
    void OnMouse(int16_t button, WPARAM keys, LPARAM pos, bool press);
    void Changed(const wchar_t* name);

    Surface surface_;
    Surface skin_;  // the skin bitmap; empty when the file could not be loaded
    COLORREF backColor_ = 14346732;
    std::wstring caption_ = L"NewForm";
    HWND frmHwnd_ = nullptr;
    ControlFont font_;
};
