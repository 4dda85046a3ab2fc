// A named pipe of the test's own ("\\.\pipe\..."): it tells whether any code
// opened it, and hands its first client the given bytes before closing, so
// that code which should never have opened the path does not hang on it.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class PipeServer {
public:
    explicit PipeServer(std::string answer) : answer_(std::move(answer)) {
        static LONG counter = 0;
        path_ = L"\\\\.\\pipe\\orvane_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(InterlockedIncrement(&counter));
        pipe_ = CreateNamedPipeW(path_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                 65536, 65536, 0, nullptr);
        connectEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this] { Serve(); });
    }
    ~PipeServer() {
        SetEvent(stopEvent_);
        thread_.join();
        if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
        CloseHandle(connectEvent_);
        CloseHandle(stopEvent_);
    }
    PipeServer(const PipeServer&) = delete;
    PipeServer& operator=(const PipeServer&) = delete;

    bool Valid() const { return pipe_ != INVALID_HANDLE_VALUE; }
    const std::wstring& Path() const { return path_; }
    bool Connected() const { return connected_; }

private:
    void Serve() {
        OVERLAPPED connect{};
        connect.hEvent = connectEvent_;
        if (!ConnectNamedPipe(pipe_, &connect)) {
            const DWORD error = GetLastError();
            if (error == ERROR_PIPE_CONNECTED) {
                SetEvent(connectEvent_);
            } else if (error != ERROR_IO_PENDING) {
                return;
            }
        }
        const HANDLE events[] = {connectEvent_, stopEvent_};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIo(pipe_);
            return;
        }
        connected_ = true;
        OVERLAPPED write{};
        write.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        DWORD written = 0;
        if (WriteFile(pipe_, answer_.data(), static_cast<DWORD>(answer_.size()), &written, &write) ||
            GetLastError() == ERROR_IO_PENDING) {
            const HANDLE wait[] = {write.hEvent, stopEvent_};
            if (WaitForMultipleObjects(2, wait, FALSE, INFINITE) != WAIT_OBJECT_0) CancelIo(pipe_);
        }
        CloseHandle(write.hEvent);
        // Closed after the answer: the client reads it, then the end of the pipe.
        CloseHandle(pipe_);
        pipe_ = INVALID_HANDLE_VALUE;
    }

    std::string answer_;
    std::wstring path_;
    HANDLE pipe_ = INVALID_HANDLE_VALUE;
    HANDLE connectEvent_ = nullptr, stopEvent_ = nullptr;
    std::atomic<bool> connected_{false};
    std::thread thread_;
};
