#include "uTab.h"

#include <windowsx.h>

#include "ITabForm.h"
#include "StbTabSkin.h"

namespace {

short ShiftState(WPARAM wParam) {
    return static_cast<short>(((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) |
                              ((GetKeyState(VK_MENU) < 0) ? 4 : 0));
}

short HeldButtons(WPARAM wParam) {
    return static_cast<short>(((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) |
                              ((wParam & MK_MBUTTON) ? 4 : 0));
}

}  // namespace

uTab::uTab() : uTab(Variant{}) {}

uTab::uTab(Variant variant)
    : skin_(variant.skin ? std::move(variant.skin) : std::make_unique<StbTabSkin>()),
      tabItems_(std::make_unique<CTabItems>(std::move(variant.releaseStyle))),
      c_Subclass(std::make_unique<CSubclass>()) {
    tabItems_->SetTabHost(this);
    c_Subclass->WindowProc = [this](bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM,
                                    LPARAM, LONG&) { c_Subclass_WindowProc(bBefore, bHandled, lReturn, hWnd, uMsg); };
    LOGFONTW lf{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = 100;
    normalFont_.reset(CreateFontIndirectW(&lf));
    lf.lfWeight = 700;
    boldFont_.reset(CreateFontIndirectW(&lf));
}

uTab::~uTab() {
    // The owner is going away with its strip: no event reaches it any more.
    OnDblClick = OnMouseDown = OnMouseHover = OnMouseMove = OnMouseUp = nullptr;
    OnMouseLeave = nullptr;
    OnItemColose = nullptr;
    OnDrawBackground = nullptr;
    // The pages unload while the strip and its collection are whole, so a
    // page that touches its host's TabItems during its unload finds them.
    tabItems_->Clear();
    c_Subclass.reset();
    Destroy();
    tabItems_.reset();
}

bool uTab::Create(HWND parent, int x, int y, int width, const PropertyBag& saved) {
    CreateParams p;
    p.className = L"Orvane.uTab";
    p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    p.parent = parent;
    p.x = x;
    p.y = y;
    p.cx = width;
    p.cy = StripHeight();
    if (!Window::Create(p)) return false;
    ReadProperties(saved);
    Resize();
    return true;
}

void uTab::ReadProperties(const PropertyBag& bag) {
    tabStyle_ = bag.ReadProperty<int32_t>(L"TabStyle", tabStyle_);
    tabLeftSize_ = bag.ReadProperty<int32_t>(L"TabLeftSize", tabLeftSize_);
    tabRightSize_ = bag.ReadProperty<int32_t>(L"TabRightSize", tabRightSize_);
    c_Subclass->ssc_Subclass(hwnd(), 0, 1, true, nullptr, false);
    c_Subclass->ssc_AddMsg(hwnd(), CSubclass::ALL_MESSAGES, CSubclass::MSG_BEFORE);
}

void uTab::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty<int32_t>(L"TabStyle", tabStyle_, 0);
    bag.WriteProperty<int32_t>(L"TabLeftSize", tabLeftSize_, 40);
    bag.WriteProperty<int32_t>(L"TabRightSize", tabRightSize_, 0);
}

void uTab::Refresh() { Draw(true); }

void uTab::LockReDraw(bool bLock) {
    drawEnabled_ = !bLock;
    if (bLock) return;
    CalcTabWidth();
    LayoutTabs();
    Draw(true);
}

void uTab::hContainerWnd(HWND value) {
    if (container_ && container_ != value) c_Subclass->ssc_UnSubclass(container_);
    container_ = value;
    c_Subclass->ssc_Subclass(container_, 0, 1, true, nullptr, false);
    c_Subclass->ssc_AddMsg(container_, WM_SIZE, CSubclass::MSG_AFTER);
}

void uTab::Selected(long NewValue) {
    if (NewValue < 0) {
        selected_ = -1;
        Draw(true);
        return;
    }
    if (NewValue > tabItems_->Count() - 1) return;
    selected_ = NewValue;
    FitActiveForm();
    Draw(true);
}

void uTab::Add(const std::wstring&, ITabForm* Form, const std::wstring&, const std::optional<TabIndex>&) {
    AttachForm(Form->hwnd());
    if (selected_ > tabItems_->Count() || selected_ < 0) selected_ = 0;
    CalcTabWidth();
    LayoutTabs();
    DrawTabs(true);
}

void uTab::ChangeForm(CTabItem*, ITabForm* Form) {
    try {
        if (Form) AttachForm(Form->hwnd());
        FitActiveForm();
    } catch (...) {
    }
}

void uTab::Clear() {
    CalcTabWidth();
    selected_ = 0;
    DrawTabs(true);
}

HWND uTab::hParent() const { return hwnd() ? GetParent(hwnd()) : nullptr; }

void uTab::Redraw(bool bUpdate) { Draw(bUpdate); }

bool uTab::BeforeRemove(long index) {
    bool cancel = false;
    // A copy: the handler may end the owner and destroy the strip.
    if (const auto handler = OnItemColose) handler(index, cancel);
    return !cancel;
}

void uTab::Remove(const TabIndex& index) {
    const long* removed = std::get_if<long>(&index);
    CalcTabWidth();
    LayoutTabs();
    if (removed && *removed == selected_)
        selected_ = 0;
    else if (removed && selected_ > *removed)
        --selected_;
    FitActiveForm();
    DrawTabs(true);
}

void uTab::AttachForm(HWND page) {
    // Without a container the page stays where it is until one is given.
    if (!container_) return;
    RECT rc;
    GetClientRect(container_, &rc);
    SetParent(page, container_);
    ModifyWindowLong(page, GWL_STYLE, kCaptionAndFrame, WS_CHILD, SWP_FRAMECHANGED);
    SetWindowPos(page, nullptr, 0, 0, rc.right, rc.bottom, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
}

void uTab::FitActiveForm() {
    if (selected_ < 0 || selected_ >= tabItems_->Count() || !container_) return;
    const std::shared_ptr<ITabForm>& page = tabItems_->Item(selected_)->Form();
    if (!page) return;
    RECT rc;
    GetClientRect(container_, &rc);
    SetWindowPos(page->hwnd(), HWND_TOP, 0, 0, rc.right, rc.bottom, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

LRESULT uTab::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const float x = static_cast<float>(GET_X_LPARAM(lParam)), y = static_cast<float>(GET_Y_LPARAM(lParam));
    switch (msg) {
    case WM_SIZE: Resize(); return 0;
    case WM_LBUTTONDOWN: MouseDown(1, ShiftState(wParam), x, y); return 0;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: MouseDown(2, ShiftState(wParam), x, y); return 0;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: MouseDown(4, ShiftState(wParam), x, y); return 0;
    case WM_LBUTTONDBLCLK: DblClick(); return 0;
    case WM_MOUSEMOVE: MouseMove(HeldButtons(wParam), ShiftState(wParam), x, y); return 0;
    case WM_LBUTTONUP: MouseUp(1, wParam, x, y); return 0;
    case WM_RBUTTONUP: MouseUp(2, wParam, x, y); return 0;
    case WM_MBUTTONUP: MouseUp(4, wParam, x, y); return 0;
    default: return Default(msg, wParam, lParam);
    }
}

void uTab::c_Subclass_WindowProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT uMsg) {
    if (hWnd == container_ && !bBefore && uMsg == WM_SIZE) {
        FitActiveForm();
        return;
    }
    if (hWnd != hwnd() || !bBefore) return;
    switch (uMsg) {
    case WM_ERASEBKGND: bHandled = true; lReturn = 0; break;
    case WM_PAINT: Paint(); bHandled = true; lReturn = 0; break;
    case WM_MOUSELEAVE: PointerLeft(); break;
    }
}

bool uTab::Raise(const MouseEvent& event, long ItemIndex, short Button, short Shift, float X, float Y) {
    const std::weak_ptr<char> alive = alive_;
    // A copy: the handler may destroy the strip, and the member with it.
    if (const MouseEvent handler = event) handler(ItemIndex, Button, Shift, X, Y);
    return StillHere(alive);
}

void uTab::MouseDown(short Button, short Shift, float X, float Y) {
    // Like any control, the strip keeps the mouse while a button is held.
    SetCapture(hwnd());
    downButton_ = Button;
    downShift_ = Shift;
    downX_ = X;
    downY_ = Y;
    long i = 0;
    if (Button == 1) {
        const TabStripLayout::Hit hit = HitTest(X, Y);
        i = hit.index;
        if (i >= 0 && i < tabItems_->Count()) {
            if (i != selected_ && !hit.onClose) {
                selected_ = i;
                FitActiveForm();
                DrawTabs(true);
            } else if (hit.onClose && closeState_ != 2) {
                closeState_ = 2;
                DrawTabs(true);
            }
        }
    }
    Raise(OnMouseDown, i, Button, Shift, X, Y);
}

void uTab::MouseMove(short Button, short Shift, float X, float Y) {
    long i = 0;
    if (Button == 0) {
        c_Subclass->TrackMouseTracking(hwnd());
        const TabStripLayout::Hit hit = HitTest(X, Y);
        i = hit.index;
        const long c = hit.onClose ? 1 : 0;
        if (i != hoverIndex_ || c != closeState_) {
            if (i != hoverIndex_ && !Raise(OnMouseHover, i, Button, Shift, X, Y)) return;
            hoverIndex_ = i;
            closeState_ = c;
            DrawTabs(true);
        }
    }
    Raise(OnMouseMove, i, Button, Shift, X, Y);
}

void uTab::MouseUp(short Button, WPARAM keys, float X, float Y) {
    if (HeldButtons(keys) == 0 && GetCapture() == hwnd()) ReleaseCapture();
    const short Shift = ShiftState(keys);
    long i = 0;
    if (Button == 1) {
        const TabStripLayout::Hit hit = HitTest(X, Y);
        i = hit.index;
        closeState_ = 0;
        if (i >= 0 && i < tabItems_->Count() && i == hoverIndex_ && hit.onClose &&
            !tabItems_->Item(i)->HideButton()) {
            // The owner's close handler may end the owner and the strip with it.
            const std::weak_ptr<char> alive = alive_;
            tabItems_->Remove(i, true);
            if (!StillHere(alive)) return;
        }
        Draw(true);
    }
    Raise(OnMouseUp, i, Button, Shift, X, Y);
}

void uTab::DblClick() {
    const long i = HitTest(downX_, downY_).index;
    const short button = downButton_, shift = downShift_;
    const float x = downX_, y = downY_;
    const std::weak_ptr<char> alive = alive_;
    MouseDown(button, shift, x, y);
    if (!StillHere(alive)) return;
    Raise(OnDblClick, i, button, shift, x, y);
}

void uTab::PointerLeft() {
    if (hoverIndex_ != -1) {
        hoverIndex_ = -1;
        DrawTabs(true);
    }
    if (OnMouseLeave) OnMouseLeave();
}
