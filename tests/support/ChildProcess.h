// Second processes of a test: copies of the test program started with a
// role argument, or other programs, watched until they end.
#pragma once
#include <windows.h>

#include <string>

#include "Pump.h"

// The running test program's file.
inline std::wstring SelfPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// A path as one argument of a command line.
inline std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// A process started from a command line, or opened by its id. One still
// running when the object goes is ended, and waited for so that the program
// file it ran can be deleted.
class ChildProcess {
public:
    explicit ChildProcess(const std::wstring& commandLine) {
        STARTUPINFOW si{sizeof si};
        PROCESS_INFORMATION pi{};
        std::wstring line = commandLine;  // CreateProcessW may write to it
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            CloseHandle(pi.hThread);
            handle_ = pi.hProcess;
            id_ = pi.dwProcessId;
        }
    }
    explicit ChildProcess(DWORD pid)
        : handle_(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, pid)),
          id_(handle_ ? pid : 0) {}
    ~ChildProcess() {
        if (!handle_) return;
        if (Running()) {
            TerminateProcess(handle_, 9);
            WaitForSingleObject(handle_, 10000);
        }
        CloseHandle(handle_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return handle_ != nullptr; }
    DWORD Id() const { return id_; }
    bool Running() const { return WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }
    // Pumps this thread's messages while waiting: the other side may talk to
    // our windows. STILL_ACTIVE when it has not ended by then.
    DWORD ExitCode(DWORD timeoutMs = 30000) const {
        PumpUntil([&] { return !Running(); }, timeoutMs);
        DWORD code = 999;
        GetExitCodeProcess(handle_, &code);
        return code;
    }

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};
