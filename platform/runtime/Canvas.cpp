#include "Canvas.h"

#include <algorithm>

#include "Form.h"
#include "RaisedError.h"

Canvas::Canvas(Canvas* container) : Control(container) {}

Canvas::~Canvas() {
    Destroy();
    DropImage();
}

Window::CreateParams Canvas::CanvasParams(const std::wstring& className) const {
    CreateParams cp;
    cp.className = className;
    cp.style = WS_CLIPCHILDREN;
    // Drawing without AutoRedraw goes to the window's own DC, which must stay the same.
    cp.classStyle = CS_DBLCLKS | CS_OWNDC;
    return cp;
}

void Canvas::SaveDesign() {
    Control::SaveDesign();
    cdesign_ = c_;
}

void Canvas::RestoreDesign() {
    Control::RestoreDesign();
    c_ = cdesign_;
}

void Canvas::CopyPropertiesFrom(const Control& other) {
    Control::CopyPropertiesFrom(other);
    auto* canvas = dynamic_cast<const Canvas*>(&other);
    if (!canvas) return;
    const bool autoRedraw = canvas->c_.autoRedraw;
    c_ = canvas->c_;
    c_.autoRedraw = !autoRedraw;
    AutoRedraw(autoRedraw);
    Cls();
}

void Canvas::AddMember(ContainerMember* member) { members_.push_back(member); }

void Canvas::RemoveMember(ContainerMember* member) {
    members_.erase(std::remove(members_.begin(), members_.end(), member), members_.end());
}

void Canvas::CreateMembers() {
    // A member may add or remove others while it is created: walk a copy.
    const auto members = members_;
    for (ContainerMember* m : members)
        if (std::find(members_.begin(), members_.end(), m) != members_.end()) m->ContainerCreated();
}

void Canvas::UnloadMembers() {
    const auto members = members_;
    for (ContainerMember* m : members)
        if (std::find(members_.begin(), members_.end(), m) != members_.end()) m->ContainerUnloaded();
}

void Canvas::ContainerCreated() {
    Control::ContainerCreated();
    CreateMembers();
}

void Canvas::ContainerUnloaded() {
    UnloadMembers();
    Control::ContainerUnloaded();
    DropImage();
}

int Canvas::ScaleWidth() {
    Touch();
    if (!hwnd()) return FromPixels(p_.cx, c_.scaleMode);
    RECT rc;
    GetClientRect(hwnd(), &rc);
    return FromPixels(rc.right, c_.scaleMode);
}

int Canvas::ScaleHeight() {
    Touch();
    if (!hwnd()) return FromPixels(p_.cy, c_.scaleMode);
    RECT rc;
    GetClientRect(hwnd(), &rc);
    return FromPixels(rc.bottom, c_.scaleMode);
}

void Canvas::FillBackground(HDC dc, const RECT& area) {
    HBRUSH brush = CreateSolidBrush(TranslateColor(c_.backColor));
    RECT r{0, 0, area.right - area.left, area.bottom - area.top};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    if (c_.picture) {
        const int w = c_.picture->PixelWidth(), h = c_.picture->PixelHeight();
        c_.picture->Render(dc, -area.left, -area.top, w, h);
    }
}

void Canvas::EnsureImage() {
    if (!c_.autoRedraw || !hwnd()) return;
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const SIZE want{std::max<LONG>(rc.right, imageSize_.cx), std::max<LONG>(rc.bottom, imageSize_.cy)};
    if (imageDC_ && want.cx <= imageSize_.cx && want.cy <= imageSize_.cy) return;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max<LONG>(want.cx, 1), std::max<LONG>(want.cy, 1));
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    // A grown image keeps what was drawn; the new area shows the background.
    FillBackground(dc, RECT{0, 0, want.cx, want.cy});
    if (imageDC_) BitBlt(dc, 0, 0, imageSize_.cx, imageSize_.cy, imageDC_, 0, 0, SRCCOPY);
    DropImage();
    imageDC_ = dc;
    imageBitmap_ = bitmap;
    oldBitmap_ = old;
    imageSize_ = want;
    SetTextColor(imageDC_, TranslateColor(c_.foreColor));
    SelectObject(imageDC_, Font());
}

void Canvas::DropImage() {
    if (!imageDC_) return;
    SelectObject(imageDC_, oldBitmap_);
    DeleteDC(imageDC_);
    DeleteObject(imageBitmap_);
    imageDC_ = nullptr;
    imageBitmap_ = nullptr;
    imageSize_ = {};
}

HDC Canvas::hDC() {
    if (Form* f = Parent()) f->Load();
    if (c_.autoRedraw) {
        EnsureImage();
        return imageDC_;
    }
    if (!hwnd()) return nullptr;
    HDC dc = GetDC(hwnd());  // the class's own DC: valid for the window's life
    SetStretchBltMode(dc, COLORONCOLOR);
    SelectObject(dc, Font());
    return dc;
}

void Canvas::FontReplaced(HFONT font) {
    if (imageDC_) SelectObject(imageDC_, font);
    if (hwnd()) SelectObject(GetDC(hwnd()), font);
}

void Canvas::Cls() {
    if (c_.autoRedraw && imageDC_) FillBackground(imageDC_, RECT{0, 0, imageSize_.cx, imageSize_.cy});
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void Canvas::BackColor(OLE_COLOR value) {
    c_.backColor = value;
    Cls();
}

void Canvas::ForeColor(OLE_COLOR value) {
    c_.foreColor = value;
    if (imageDC_) SetTextColor(imageDC_, TranslateColor(value));
    if (hwnd()) SetTextColor(GetDC(hwnd()), TranslateColor(value));
}

void Canvas::Picture(std::shared_ptr<StdPicture> value) {
    c_.picture = std::move(value);
    PictureChanged();
    Cls();
}

void Canvas::AutoRedraw(bool value) {
    if (c_.autoRedraw == value) return;
    c_.autoRedraw = value;
    if (value)
        EnsureImage();
    else
        DropImage();
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void Canvas::PaintPicture(const std::shared_ptr<StdPicture>& picture, double x1, double y1, std::optional<double> width1,
                          std::optional<double> height1, std::optional<double> x2, std::optional<double> y2,
                          std::optional<double> width2, std::optional<double> height2, std::optional<DWORD> opcode) {
    if (!picture) throw RaisedError(91, "PaintPicture", "Object variable or With block variable not set");
    HDC dc = hDC();
    if (!dc) return;
    const ScaleModeConstants s = c_.scaleMode;
    const int dx = ToPixels(x1, s), dy = ToPixels(y1, s);
    const int sx = x2 ? ToPixels(*x2, s) : 0, sy = y2 ? ToPixels(*y2, s) : 0;
    const int sw = width2 ? ToPixels(*width2, s) : picture->PixelWidth() - sx;
    const int sh = height2 ? ToPixels(*height2, s) : picture->PixelHeight() - sy;
    const int dw = width1 ? ToPixels(*width1, s) : sw, dh = height1 ? ToPixels(*height1, s) : sh;
    if (opcode && picture->Type() == PictureTypeConstants::Bitmap) {
        HDC src = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(src, picture->HandleAs<HBITMAP>());
        StretchBlt(dc, dx, dy, dw, dh, src, sx, sy, sw, sh, *opcode);
        SelectObject(src, old);
        DeleteDC(src);
    } else {
        picture->Render(dc, dx, dy, dw, dh, sx, sy, sw, sh);
    }
    if (c_.autoRedraw && hwnd()) {
        RECT r{std::min(dx, dx + dw), std::min(dy, dy + dh), std::max(dx, dx + dw), std::max(dy, dy + dh)};
        InvalidateRect(hwnd(), &r, FALSE);
    }
}

std::shared_ptr<StdPicture> Canvas::PersistentImage() {
    HDC dc = hDC();
    if (!dc || !hwnd()) return nullptr;
    RECT rc;
    GetClientRect(hwnd(), &rc);
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1));
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(copy, old);
    DeleteDC(copy);
    return StdPicture::FromBitmap(bitmap, true);
}

void Canvas::PaintUnder(HDC dc, const RECT& area) {
    if (c_.autoRedraw && imageDC_)
        BitBlt(dc, 0, 0, area.right - area.left, area.bottom - area.top, imageDC_, area.left, area.top, SRCCOPY);
    else
        FillBackground(dc, area);
}

void Canvas::Paint(HDC dc, const RECT& area) {
    EnsureImage();
    PaintUnder(dc, area);
}

LRESULT Canvas::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        // The area is painted at its own place: shift the origin back.
        SetViewportOrgEx(dc, ps.rcPaint.left, ps.rcPaint.top, nullptr);
        Paint(dc, ps.rcPaint);
        SetViewportOrgEx(dc, 0, 0, nullptr);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT rc;
        GetClientRect(hwnd(), &rc);
        Paint(reinterpret_cast<HDC>(wParam), rc);
        return 0;
    }
    case WM_SIZE:
        EnsureImage();
        break;
    case WM_COMMAND:
        if (auto* c = dynamic_cast<Control*>(Window::FromHandle(reinterpret_cast<HWND>(lParam)))) {
            c->ReflectCommand(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
        if (auto* c = dynamic_cast<Control*>(Window::FromHandle(reinterpret_cast<HWND>(lParam))))
            if (HBRUSH brush = c->ReflectCtlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (auto* c = dynamic_cast<Control*>(Window::FromHandle(reinterpret_cast<HWND>(lParam)))) {
            c->ReflectScroll(LOWORD(wParam));
            return 0;
        }
        break;
    }
    return Control::WndProc(msg, wParam, lParam);
}

void Canvas::OnDestroyed() {
    Control::OnDestroyed();
    DropImage();
}
