// Persistent drawing surface of an owner-drawn control: a memory bitmap as
// large as the window, drawn on at any time and copied to the window on paint.
#pragma once
#include <windows.h>

class Surface {
public:
    // New area of a grown surface starts in `background`.
    explicit Surface(COLORREF background = RGB(255, 255, 255)) : background_(background) {}
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Makes the surface width x height pixels; what was drawn is kept where it fits.
    void Resize(int width, int height);
    // Fills the whole surface with colour.
    void Clear(COLORREF colour);
    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    int Width() const { return size_.cx; }
    int Height() const { return size_.cy; }
    // Answers WM_PAINT of hwnd with the surface's picture.
    void Paint(HWND hwnd) const;

private:
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    SIZE size_{};
    COLORREF background_;
};
