#include "Image.h"

#include "Canvas.h"

Image::Image(Canvas& container) : Control(&container) { Attached(); }

Image::~Image() { Destroy(); }

Window::CreateParams Image::WindowParams() {
    CreateParams cp;
    cp.className = L"Orvane.Image";
    cp.style = 0;
    return cp;
}

void Image::SaveDesign() {
    Control::SaveDesign();
    design_ = i_;
}

void Image::RestoreDesign() {
    Control::RestoreDesign();
    i_ = design_;
}

void Image::Picture(std::shared_ptr<StdPicture> value) {
    i_.picture = std::move(value);
    if (i_.picture && !i_.stretch) {
        const ScaleModeConstants s = GeometryScale();
        Move(Left(), Top(), FromPixels(i_.picture->PixelWidth(), s), FromPixels(i_.picture->PixelHeight(), s));
    }
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void Image::Stretch(bool value) {
    i_.stretch = value;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void Image::Paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    RECT area = rc;
    MapWindowPoints(hwnd(), GetParent(hwnd()), reinterpret_cast<POINT*>(&area), 2);
    Container()->PaintUnder(dc, area);
    if (i_.picture) {
        SetStretchBltMode(dc, COLORONCOLOR);
        if (i_.stretch)
            i_.picture->Render(dc, 0, 0, rc.right, rc.bottom);
        else
            i_.picture->Render(dc, 0, 0, i_.picture->PixelWidth(), i_.picture->PixelHeight());
    }
}

LRESULT Image::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        Paint(BeginPaint(hwnd(), &ps));
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    return Control::WndProc(msg, wParam, lParam);
}
