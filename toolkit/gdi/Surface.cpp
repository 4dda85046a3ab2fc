#include "Surface.h"

Surface::~Surface() { Release(); }

void Surface::Release() {
    if (!dc_) return;
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
}

void Surface::Resize(int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    if (dc_ && width == size_.cx && height == size_.cy) return;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH fill = CreateSolidBrush(background_);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, fill);
    DeleteObject(fill);
    if (dc_) {
        BitBlt(dc, 0, 0, width, height, dc_, 0, 0, SRCCOPY);
        // Text colour, font, mode and the like stay as the control set them.
        SetTextColor(dc, GetTextColor(dc_));
        SetBkMode(dc, GetBkMode(dc_));
        SetROP2(dc, GetROP2(dc_));
    }
    Release();
    dc_ = dc;
    bitmap_ = bitmap;
    oldBitmap_ = old;
    size_ = {width, height};
}

void Surface::Clear(COLORREF colour) {
    if (!dc_) return;
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, size_.cx, size_.cy};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

void Surface::Paint(HWND hwnd) const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc_) BitBlt(dc, 0, 0, size_.cx, size_.cy, dc_, 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
}
