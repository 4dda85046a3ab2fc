// Helpers of the menu and dialog tests: message boxes recorded instead of
// shown, steps run on a timer inside a modal loop (a popup menu, a modal
// dialog), and real clicks on a control or an image button.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "MsgBox.h"
#include "iButton.h"

// Message boxes are recorded and answered with OK while the object lives;
// `whileShown` runs as the box's own message loop would run other work.
class MsgBoxRecorder {
public:
    explicit MsgBoxRecorder(std::function<void()> whileShown = {}) : old_(MsgBoxHook()) {
        MsgBoxHook() = [this, whileShown](const std::wstring& prompt, UINT, const std::wstring&) {
            prompts.push_back(prompt);
            if (whileShown) whileShown();
            return IDOK;
        };
    }
    ~MsgBoxRecorder() { MsgBoxHook() = old_; }
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;
    std::vector<std::wstring> prompts;

private:
    MsgBoxHandler old_;
};

// Calls `modal`, which returns when its loop ends; meanwhile `step(tick)`
// runs every 100 ms on this thread until it returns true. False when the
// steps never finished.
struct ModalSteps {
    const std::function<bool(int)>* step;
    int tick = 0;
    bool done = false;
    static ModalSteps*& Current() {
        static ModalSteps* current = nullptr;
        return current;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        ModalSteps* s = Current();
        if (!s || s->done) return;
        if ((*s->step)(s->tick++)) s->done = true;
    }
};

inline bool WhileModal(const std::function<void()>& modal, const std::function<bool(int tick)>& step) {
    ModalSteps state{&step};
    ModalSteps* outer = ModalSteps::Current();
    ModalSteps::Current() = &state;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &ModalSteps::OnTimer);
    modal();
    KillTimer(nullptr, timer);
    ModalSteps::Current() = outer;
    return state.done;
}

// The visible popup menu window, or nullptr.
inline HWND OpenMenuWindow() {
    HWND w = FindWindowW(L"#32768", nullptr);
    return w && IsWindowVisible(w) ? w : nullptr;
}

// A left click in the middle of `control` with the cursor really there.
inline void ClickControl(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT screen = p;
    ClientToScreen(control, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(p.x, p.y);
    SendMessageW(control, WM_MOUSEMOVE, 0, at);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(control, WM_LBUTTONUP, 0, at);
}

// A real click on an image button: the pointer over it, then the button messages.
inline void ClickButton(iButton* b) {
    POINT p{b->FrameWidth() / 2, b->FrameHeight() / 2};
    ClientToScreen(b->hwnd(), &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(b->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(b->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}
