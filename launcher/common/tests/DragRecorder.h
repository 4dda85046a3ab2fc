// Caption drags a window is asked for, counted instead of started, so that a
// test can click a drag zone without the window following the cursor.
#pragma once
#include <windows.h>

// Subclasses the window while the object lives.
class DragRecorder {
public:
    explicit DragRecorder(HWND hwnd) : hwnd_(hwnd) {
        self() = this;
        old_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~DragRecorder() {
        if (IsWindow(hwnd_)) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        self() = nullptr;
    }
    DragRecorder(const DragRecorder&) = delete;
    DragRecorder& operator=(const DragRecorder&) = delete;
    int drags = 0;

private:
    static DragRecorder*& self() {
        static DragRecorder* s = nullptr;
        return s;
    }
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        DragRecorder* r = self();
        if (m == WM_NCLBUTTONDOWN && w == HTCAPTION) {
            ++r->drags;
            return 0;
        }
        return CallWindowProcW(r->old_, h, m, w, l);
    }
    HWND hwnd_;
    WNDPROC old_;
};
