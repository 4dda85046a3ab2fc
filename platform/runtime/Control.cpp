#include "Control.h"

#include <windowsx.h>

#include "Canvas.h"
#include "CommandButton.h"
#include "Form.h"

Control::Control(Canvas* container) : container_(container) {
    if (container_) container_->AddMember(this);
}

Control::~Control() {
    if (container_) container_->RemoveMember(this);
    Destroy();
    if (font_) DeleteObject(font_);
}

void Control::Attached() {
    if (container_ && container_->hwnd()) ContainerCreated();
}

ScaleModeConstants Control::GeometryScale() const {
    return container_ ? container_->ScaleMode() : ScaleModeConstants::Twips;
}

ScaleModeConstants Control::MouseScale() const { return GeometryScale(); }

void Control::ReadGeometry() {
    const HWND h = Handle();
    if (!h) return;
    RECT r;
    GetWindowRect(h, &r);
    if (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    p_.x = r.left;
    p_.y = r.top;
    p_.cx = r.right - r.left;
    p_.cy = r.bottom - r.top;
}

void Control::ApplyGeometry() {
    p_.positioned = true;
    if (Handle()) SetWindowPos(Handle(), nullptr, p_.x, p_.y, p_.cx, p_.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Control::Left() {
    Touch();
    ReadGeometry();
    return FromPixels(p_.x, GeometryScale());
}
int Control::Top() {
    Touch();
    ReadGeometry();
    return FromPixels(p_.y, GeometryScale());
}
int Control::Width() {
    Touch();
    ReadGeometry();
    return FromPixels(p_.cx, GeometryScale());
}
int Control::Height() {
    Touch();
    ReadGeometry();
    return FromPixels(p_.cy, GeometryScale());
}

void Control::Left(int value) { Move(value); }
void Control::Top(int value) {
    ReadGeometry();
    p_.y = ToPixels(value, GeometryScale());
    ApplyGeometry();
}
void Control::Width(int value) {
    ReadGeometry();
    p_.cx = ToPixels(value, GeometryScale());
    SizeSet();
    ApplyGeometry();
}
void Control::Height(int value) {
    ReadGeometry();
    p_.cy = ToPixels(value, GeometryScale());
    SizeSet();
    ApplyGeometry();
}

void Control::Move(int left, std::optional<int> top, std::optional<int> width, std::optional<int> height) {
    ReadGeometry();
    const ScaleModeConstants s = GeometryScale();
    p_.x = ToPixels(left, s);
    if (top) p_.y = ToPixels(*top, s);
    if (width) p_.cx = ToPixels(*width, s);
    if (height) p_.cy = ToPixels(*height, s);
    if (width || height) SizeSet();
    ApplyGeometry();
}

void Control::Visible(bool value) {
    p_.visible = value;
    if (Handle()) ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE);
}

void Control::Enabled(bool value) {
    p_.enabled = value;
    if (Handle()) EnableWindow(Handle(), value);
}

void Control::ToolTipText(const std::wstring& value) {
    p_.toolTipText = value;
    ShowToolTip(value);
}

void Control::ShowToolTip(const std::wstring& text) {
    if (!Handle()) return;
    if (Form* form = Parent()) form->ToolTips().Set(form->hwnd(), Handle(), text);
}

void Control::FontName(const std::wstring& value) {
    p_.fontName = value;
    FontChanged();
}
void Control::FontSize(double points) {
    p_.fontSize = points;
    FontChanged();
}
void Control::FontBold(bool value) {
    p_.fontBold = value;
    FontChanged();
}
void Control::FontUnderline(bool value) {
    p_.fontUnderline = value;
    FontChanged();
}

HFONT Control::Font() {
    if (!font_) {
        LOGFONTW lf{};
        HDC screen = GetDC(nullptr);
        lf.lfHeight = -MulDiv(static_cast<int>(p_.fontSize * 10 + 0.5), GetDeviceCaps(screen, LOGPIXELSY), 720);
        ReleaseDC(nullptr, screen);
        lf.lfWeight = p_.fontBold ? FW_BOLD : FW_NORMAL;
        lf.lfUnderline = p_.fontUnderline;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(lf.lfFaceName, p_.fontName.c_str(), LF_FACESIZE);
        font_ = CreateFontIndirectW(&lf);
    }
    return font_;
}

void Control::FontChanged() {
    HFONT old = font_;
    font_ = nullptr;
    FontReplaced(Font());
    if (hwnd()) {
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
    if (old) DeleteObject(old);
}

HWND Control::hWnd() {
    if (Form* f = Parent()) f->LoadControls();
    return Handle();
}

void Control::Refresh() {
    if (!Handle()) return;
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

void Control::SetFocus() {
    if (Handle()) ::SetFocus(Handle());
}

Form* Control::Parent() {
    Control* c = this;
    while (c->container_) c = c->container_;
    return dynamic_cast<Form*>(c);
}

void Control::CopyPropertiesFrom(const Control& other) {
    p_ = other.p_;
    p_.visible = false;
    if (!hwnd()) return;
    ApplyGeometry();
    ShowWindow(hwnd(), SW_HIDE);
    EnableWindow(hwnd(), p_.enabled);
    FontChanged();
}

void Control::ContainerCreated() {
    if (!designSaved_) {
        SaveDesign();
        designSaved_ = true;
    }
    CreateWindowNow();
}

void Control::ContainerUnloaded() {
    ShowToolTip({});
    DropWindow();
    if (designSaved_) RestoreDesign();
    FontChanged();
}

void Control::CreateWindowNow() {
    if (Handle() || !container_ || !container_->hwnd()) return;
    CreateParams cp = WindowParams();
    cp.parent = container_->hwnd();
    cp.style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (p_.visible) cp.style |= WS_VISIBLE;
    if (!p_.enabled) cp.style |= WS_DISABLED;
    cp.x = p_.x;
    cp.y = p_.y;
    cp.cx = p_.cx;
    cp.cy = p_.cy;
    if (!MakeWindow(cp)) return;
    if (hwnd()) SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    if (!p_.toolTipText.empty()) ShowToolTip(p_.toolTipText);
    Created();
}

HCURSOR Control::Cursor() const {
    static const struct {
        MousePointerConstants pointer;
        const wchar_t* id;
    } standard[] = {
        {MousePointerConstants::Arrow, IDC_ARROW},   {MousePointerConstants::Crosshair, IDC_CROSS},
        {MousePointerConstants::IBeam, IDC_IBEAM},   {MousePointerConstants::SizeNESW, IDC_SIZENESW},
        {MousePointerConstants::SizeNS, IDC_SIZENS}, {MousePointerConstants::SizeNWSE, IDC_SIZENWSE},
        {MousePointerConstants::SizeWE, IDC_SIZEWE}, {MousePointerConstants::UpArrow, IDC_UPARROW},
        {MousePointerConstants::Hourglass, IDC_WAIT}, {MousePointerConstants::NoDrop, IDC_NO},
        {MousePointerConstants::SizeAll, IDC_SIZEALL},
    };
    if (p_.mousePointer == MousePointerConstants::Custom)
        return p_.mouseIcon ? p_.mouseIcon->HandleAs<HCURSOR>() : nullptr;
    for (const auto& s : standard)
        if (s.pointer == p_.mousePointer) return LoadCursorW(nullptr, s.id);
    return nullptr;
}

void Control::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const ScaleModeConstants s = MouseScale();
    const int x = FromPixels(GET_X_LPARAM(lParam), s), y = FromPixels(GET_Y_LPARAM(lParam), s);
    const int shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
    const int held = ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) | ((wParam & MK_MBUTTON) ? 4 : 0);
    switch (msg) {
    case WM_MOUSEMOVE:
        RaiseMouseMove(held, shift, x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const int button = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
        if (TracksMouse()) {
            if (GetCapture() != hwnd()) SetCapture(hwnd());
            if (button == 1) pressed_ = true;
        }
        RaiseMouseDown(button, shift, x, y);
        break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int button = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
        const bool click = button == 1 && pressed_;
        if (button == 1) pressed_ = false;
        if (TracksMouse() && !held && GetCapture() == hwnd()) ReleaseCapture();
        RaiseMouseUp(button, shift, x, y);
        if (click && hwnd()) {
            RECT rc;
            GetClientRect(hwnd(), &rc);
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (PtInRect(&rc, pt)) RaiseClick();
        }
        break;
    }
    }
}

bool Control::UsesKey(WPARAM key) {
    MSG keyDown{hwnd(), WM_KEYDOWN, key, 0};
    const LRESULT code = SendMessageW(hwnd(), WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&keyDown));
    return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}

bool Control::PressDefaultButton() {
    Form* form = Parent();
    CommandButton* button = form && !UsesKey(VK_RETURN) ? CommandButton::DefaultOf(*form) : nullptr;
    if (!button) return false;
    // The character the message loop made of the key is no input for this
    // control (a single-line edit beeps at it); it goes before the press,
    // which may close the form.
    MSG typed;
    if (PeekMessageW(&typed, hwnd(), WM_CHAR, WM_CHAR, PM_NOREMOVE) && typed.wParam == L'\r')
        PeekMessageW(&typed, hwnd(), WM_CHAR, WM_CHAR, PM_REMOVE);
    SendMessageW(button->hwnd(), BM_CLICK, 0, 0);
    return true;
}

LRESULT Control::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN && PressDefaultButton()) return 0;
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd() && LOWORD(lParam) == HTCLIENT)
            if (HCURSOR c = Cursor()) {
                SetCursor(c);
                return TRUE;
            }
        break;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const LRESULT r = Default(msg, wParam, lParam);
        MouseMessage(msg, wParam, lParam);
        return r;
    }
    }
    return Default(msg, wParam, lParam);
}

void Control::OnDestroyed() { pressed_ = false; }
