#include "Form.h"

#include <algorithm>
#include <vector>

#include "Dde.h"
#include "HandlerScope.h"
#include "RaisedError.h"

namespace {

std::vector<Form*>& AllForms() {
    static std::vector<Form*> forms;
    return forms;
}

// The loaded forms that are owned by shared_ptr: this set keeps them alive.
std::vector<std::shared_ptr<Form>>& KeptForms() {
    static std::vector<std::shared_ptr<Form>> forms;
    return forms;
}

constexpr DWORD kBorderMask = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The name is valid only during the enumeration: the icon is loaded there.
BOOL CALLBACK LoadFirstIcon(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR icon) {
    *reinterpret_cast<HICON*>(icon) = LoadIconW(module, name);
    return FALSE;
}

// One picture of the program's icon, shared by every form.
std::shared_ptr<StdPicture> ProgramIcon() {
    static const std::shared_ptr<StdPicture> picture = [] {
        HICON icon = nullptr;
        EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, LoadFirstIcon, reinterpret_cast<LONG_PTR>(&icon));
        return StdPicture::FromIcon(icon ? icon : LoadIconW(nullptr, IDI_APPLICATION), false);
    }();
    return picture;
}

struct ModalContext {
    HWND self;
    std::vector<HWND> disabled;
};

// Disables the other enabled, visible windows of the thread for a modal form.
BOOL CALLBACK DisableOther(HWND h, LPARAM p) {
    auto* c = reinterpret_cast<ModalContext*>(p);
    if (h != c->self && IsWindowVisible(h) && IsWindowEnabled(h)) {
        EnableWindow(h, FALSE);
        c->disabled.push_back(h);
    }
    return TRUE;
}

}  // namespace

Form::Form() : Canvas(nullptr) {
    p_.visible = false;
    p_.positioned = false;
    p_.cx = 320;  // 4800 x 3600 twips
    p_.cy = 240;
    AllForms().push_back(this);
}

Form::~Form() {
    AllForms().erase(std::remove(AllForms().begin(), AllForms().end(), this), AllForms().end());
    state_ = State::Unloading;
    Destroy();
}

int Form::LoadedCount() {
    return static_cast<int>(std::count_if(AllForms().begin(), AllForms().end(), [](Form* f) { return f->Loaded(); }));
}

Form* Form::SourceFor(const std::wstring& topic) {
    for (Form* f : AllForms())
        if (f->Loaded() && f->linkMode_ == 1 && !f->linkTopic_.empty() && lstrcmpiW(f->linkTopic_.c_str(), topic.c_str()) == 0)
            return f;
    return nullptr;
}

DWORD Form::BorderBits() const {
    switch (border_) {
    case FormBorderStyleConstants::None:
        return WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    case FormBorderStyleConstants::FixedSingle:
    case FormBorderStyleConstants::FixedDialog:
        return WS_CAPTION | WS_SYSMENU;
    case FormBorderStyleConstants::Sizable:
        break;
    }
    return WS_OVERLAPPEDWINDOW;
}

Window::CreateParams Form::WindowParams() {
    CreateParams cp = CanvasParams(L"Orvane.Form");
    cp.style |= BorderBits();
    if (border_ == FormBorderStyleConstants::FixedDialog) cp.exStyle |= WS_EX_DLGMODALFRAME;
    cp.title = caption_;
    if (parentWindow_) {
        // Pages lie on one another: each keeps to its own place in the order.
        cp.style = (cp.style & ~kBorderMask) | WS_CHILD | WS_CLIPSIBLINGS;
        cp.exStyle &= ~WS_EX_DLGMODALFRAME;
        cp.parent = parentWindow_;
        cp.x = cp.y = 0;
    }
    return cp;
}

void Form::SaveDesign() {
    Canvas::SaveDesign();
    design_ = {caption_, icon_, border_, clientTwips_, linkTopic_, linkMode_};
}

void Form::RestoreDesign() {
    Canvas::RestoreDesign();
    caption_ = design_.caption;
    icon_ = design_.icon;
    border_ = design_.border;
    clientTwips_ = design_.clientTwips;
    linkTopic_ = design_.linkTopic;
    linkMode_ = design_.linkMode;
}

void Form::Load() {
    if (state_ != State::Unloaded) return;
    if (!designSaved_) {
        SaveDesign();
        designSaved_ = true;
    }
    CreateParams cp = WindowParams();
    if (clientTwips_) {
        RECT r{0, 0, TwipsToPixels(clientTwips_->cx), TwipsToPixels(clientTwips_->cy)};
        AdjustWindowRectEx(&r, cp.style, FALSE, cp.exStyle);
        p_.cx = r.right - r.left;
        p_.cy = r.bottom - r.top;
    }
    if (p_.positioned) {
        cp.x = p_.x;
        cp.y = p_.y;
    }
    cp.cx = p_.cx;
    cp.cy = p_.cy;
    if (!p_.enabled) cp.style |= WS_DISABLED;
    if (!Create(cp)) throw RaisedError(7, "Form", "CreateWindowEx failed, error " + std::to_string(GetLastError()));
    state_ = State::Loading;
    KeepWhileLoaded();
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    ApplyIcon();
    if (linkMode_ == 1) DdeServer::Start();
    controlsMade_ = !controlsLater_;
    if (controlsMade_) CreateMembers();
    Form_Load();
    if (state_ == State::Loading) state_ = State::Loaded;
}

void Form::LoadControls() {
    Load();
    if (controlsMade_ || !Loaded()) return;
    controlsMade_ = true;
    CreateMembers();
}

void Form::Show(FormShowConstants style, Form* owner) {
    LoadControls();
    if (!Loaded()) return;
    const bool child = GetWindowLongW(hwnd(), GWL_STYLE) & WS_CHILD;
    if (owner && owner != this && !child) SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->hWnd()));
    if (!shown_) {
        shown_ = true;
        RaiseResize(true);
        if (!Loaded()) return;
    }
    int cmd = SW_SHOW;
    if (pendingState_) {
        cmd = *pendingState_ == FormWindowStateConstants::Minimized   ? SW_SHOWMINIMIZED
              : *pendingState_ == FormWindowStateConstants::Maximized ? SW_SHOWMAXIMIZED
                                                                      : SW_SHOWNORMAL;
        pendingState_.reset();
    }
    ShowWindow(hwnd(), cmd);
    p_.visible = true;
    if (style == FormShowConstants::Modal) RunModal();
}

void Form::RunModal() {
    ModalContext ctx{hwnd(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&ctx));
    MSG msg;
    while (Loaded() && hwnd() && IsWindowVisible(hwnd())) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    for (HWND h : ctx.disabled)
        if (IsWindow(h)) EnableWindow(h, TRUE);
}

void Form::Hide() {
    Load();
    if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
    p_.visible = false;
}

bool Form::Visible() { return hwnd() && IsWindowVisible(hwnd()); }

void Form::Visible(bool value) {
    if (value)
        Show();
    else
        Hide();
}

void Form::Unload() {
    if (!Loaded()) return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel || !Loaded()) return;
    Release();
}

void Form::Release() {
    state_ = State::Unloading;
    Destroy();
    UnloadMembers();
    controlsMade_ = false;
    RestoreDesign();
    FontChanged();
    shown_ = false;
    pendingState_.reset();
    lastResize_ = {};
    state_ = State::Unloaded;
    LetGoAfterUnload();  // may free this form: nothing may follow
}

void Form::KeepWhileLoaded() {
    if (std::shared_ptr<Form> self = weak_from_this().lock()) KeptForms().push_back(std::move(self));
}

void Form::LetGoAfterUnload() {
    auto& kept = KeptForms();
    const auto it = std::find_if(kept.begin(), kept.end(), [this](const std::shared_ptr<Form>& f) { return f.get() == this; });
    if (it == kept.end()) return;
    std::shared_ptr<Form> self = std::move(*it);
    kept.erase(it);
    HandlerScope::ReleaseAfterHandlers(std::move(self));
}

void Form::DestroyedFromOutside() {
    // Its owner or parent window went away: the form unloads with it, and
    // its unload handler cannot cancel.
    state_ = State::Unloading;
    destroyedOutside_ = true;
    int cancel = 0;
    Form_Unload(cancel);
}

void Form::OnDestroyed() {
    toolTips_.Drop();
    Canvas::OnDestroyed();
    if (!destroyedOutside_) return;
    destroyedOutside_ = false;
    Release();
}

void Form::Caption(const std::wstring& value) {
    caption_ = value;
    if (hwnd()) SetWindowTextW(hwnd(), value.c_str());
}

std::shared_ptr<StdPicture> Form::Icon() {
    if (!icon_) icon_ = ProgramIcon();
    return icon_;
}

void Form::Icon(std::shared_ptr<StdPicture> value) {
    icon_ = std::move(value);
    ApplyIcon();
}

void Form::ApplyIcon() {
    if (!hwnd()) return;
    const auto icon = Icon();
    const LPARAM h = static_cast<LPARAM>(icon->Handle());
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, h);
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, h);
}

FormWindowStateConstants Form::WindowState() {
    Load();
    if (pendingState_) return *pendingState_;
    if (IsIconic(hwnd())) return FormWindowStateConstants::Minimized;
    if (IsZoomed(hwnd())) return FormWindowStateConstants::Maximized;
    return FormWindowStateConstants::Normal;
}

void Form::WindowState(FormWindowStateConstants value) {
    Load();
    if (!IsWindowVisible(hwnd())) {
        pendingState_ = value;
        return;
    }
    switch (value) {
    case FormWindowStateConstants::Normal:
        // Restores without bringing the window to the front.
        if (IsIconic(hwnd()) || IsZoomed(hwnd())) ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
        break;
    case FormWindowStateConstants::Minimized:
        ShowWindow(hwnd(), SW_MINIMIZE);
        break;
    case FormWindowStateConstants::Maximized:
        ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
        break;
    }
}

void Form::BorderStyle(FormBorderStyleConstants value) {
    border_ = value;
    if (!hwnd()) return;
    LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    DWORD bits = BorderBits();
    if (style & WS_CHILD) bits &= ~WS_POPUP;
    style = (style & ~kBorderMask) | bits;
    SetWindowLongW(hwnd(), GWL_STYLE, style);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::ClientSize(int width, int height) {
    if (!hwnd()) {
        clientTwips_ = SIZE{width, height};
        return;
    }
    RECT r{0, 0, TwipsToPixels(width), TwipsToPixels(height)};
    AdjustWindowRectEx(&r, GetWindowLongW(hwnd(), GWL_STYLE), FALSE, GetWindowLongW(hwnd(), GWL_EXSTYLE));
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form::DeliverLinkExecute(const std::wstring& command) {
    int cancel = -1;
    Form_LinkExecute(command, cancel);
    return cancel == 0;
}

void Form::RaiseResize(bool always) {
    if (!hwnd()) return;
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const bool minimized = IsIconic(hwnd());
    if (!always && rc.right == lastResize_.cx && rc.bottom == lastResize_.cy && minimized == lastResize_.minimized) return;
    lastResize_ = {rc.right, rc.bottom, minimized};
    Form_Resize();
}

LRESULT Form::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_DESTROY:
        if (Loaded()) DestroyedFromOutside();
        break;
    case WM_SIZE: {
        const LRESULT r = Canvas::WndProc(msg, wParam, lParam);
        if (Loaded()) RaiseResize(false);
        return r;
    }
    case WM_WINDOWPOSCHANGED:
        // A form never shows without its controls.
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) LoadControls();
        break;
    }
    return Canvas::WndProc(msg, wParam, lParam);
}
