#include "Window.h"

#include <map>
#include <unordered_map>

#include "HandlerScope.h"

namespace {

// The object of each window, for the thread that made the window (its
// procedure runs there). Kept in the process: a window property is a
// request to the window server under Wine, at every message.
std::unordered_map<HWND, Window*>& Objects() {
    thread_local std::unordered_map<HWND, Window*> objects;
    return objects;
}

// Registers the class once; returns the procedure of the system class it
// extends (nullptr when it extends none).
WNDPROC RegisterOnce(const Window::CreateParams& p, WNDPROC proc) {
    static std::map<std::wstring, WNDPROC> registered;
    if (auto it = registered.find(p.className); it != registered.end()) return it->second;
    WNDCLASSEXW wc{sizeof wc};
    WNDPROC base = nullptr;
    if (!p.baseClass.empty()) {
        if (!GetClassInfoExW(nullptr, p.baseClass.c_str(), &wc)) return nullptr;
        base = wc.lpfnWndProc;
        wc.cbSize = sizeof wc;
    } else {
        wc.style = p.classStyle;
        wc.hCursor = p.cursor ? p.cursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = p.background;
    }
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = p.className.c_str();
    if (RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
        registered[p.className] = base;
    return base;
}

}  // namespace

Window::~Window() { Destroy(); }

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    const auto found = Objects().find(hwnd);
    return found != Objects().end() ? found->second : nullptr;
}

Window::CreateParams Window::MessageOnly(const wchar_t* className) {
    CreateParams p;
    p.className = className;
    p.style = 0;
    p.parent = HWND_MESSAGE;
    p.x = p.y = p.cx = p.cy = 0;
    return p;
}

bool Window::Create(const CreateParams& p) {
    baseProc_ = RegisterOnce(p, &Window::StaticWndProc);
    CreateWindowExW(p.exStyle, p.className.c_str(), p.title.c_str(), p.style, p.x, p.y, p.cx, p.cy,
                    p.parent, p.menuOrId, GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return baseProc_ ? CallWindowProcW(baseProc_, hwnd_, msg, wParam, lParam)
                     : DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope;
    Window* self = FromHandle(hwnd);
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        Objects()[hwnd] = self;
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->WndProc(msg, wParam, lParam);
    } catch (...) {
        // A handler's failure must not unwind through the system's dispatcher.
        result = self->Default(msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        Objects().erase(hwnd);
        self->hwnd_ = nullptr;
        self->OnDestroyed();
    }
    return result;
}
