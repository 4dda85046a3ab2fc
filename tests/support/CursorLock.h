// Tests that move the real mouse pointer run one at a time across test
// processes: each holds this lock (a named mutex) while it uses the pointer.
#pragma once
#include <windows.h>

class CursorLock {
public:
    CursorLock() : mutex_(CreateMutexW(nullptr, FALSE, L"Orvane.Tests.Cursor")) {
        WaitForSingleObject(mutex_, 60000);
    }
    ~CursorLock() {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    CursorLock(const CursorLock&) = delete;
    CursorLock& operator=(const CursorLock&) = delete;

private:
    HANDLE mutex_;
};
