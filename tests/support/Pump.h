// Test helpers for the user-interface thread: pump messages until a
// condition holds or a deadline passes.
#pragma once
#include <windows.h>

#include <functional>

// Dispatches messages of this thread until pred() is true (returns true) or
// timeoutMs elapse (returns false).
inline bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (pred()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Dispatches messages for a fixed time.
inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}
