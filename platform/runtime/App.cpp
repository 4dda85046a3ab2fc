#include "App.h"

#include <windows.h>

#include "Form.h"

namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring& TitleValue() {
    static std::wstring title;
    return title;
}

}  // namespace

std::wstring App::Path() {
    std::wstring p = ModulePath();
    p.resize(p.find_last_of(L"\\/") + 1);
    if (p.size() > 3 && p.back() == L'\\') p.pop_back();
    return p;
}

std::wstring App::EXEName() {
    std::wstring p = ModulePath();
    p.erase(0, p.find_last_of(L"\\/") + 1);
    const size_t dot = p.find_last_of(L'.');
    if (dot != std::wstring::npos) p.resize(dot);
    return p;
}

std::wstring App::Title() { return TitleValue().empty() ? EXEName() : TitleValue(); }

void App::Title(const std::wstring& value) { TitleValue() = value; }

bool App::PrevInstance() {
    static const bool previous = [] {
        std::wstring name = L"Orvane.PrevInstance." + EXEName();
        CharUpperW(name.data());
        // Kept open for the life of the process: later instances find it.
        HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
        return mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    }();
    return previous;
}

void App::DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void App::Run() {
    MSG msg;
    while (Form::LoadedCount() > 0) {
        const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r <= 0) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring CommandArguments(const std::wstring& commandLine) {
    size_t i = 0;
    const size_t n = commandLine.size();
    while (i < n && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
    if (i < n && commandLine[i] == L'"') {
        const size_t close = commandLine.find(L'"', i + 1);
        i = close == std::wstring::npos ? n : close + 1;
    } else {
        while (i < n && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
    }
    while (i < n && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
    return commandLine.substr(i);
}

std::wstring Command() { return CommandArguments(GetCommandLineW()); }

std::function<void()>& EndHook() {
    static std::function<void()> hook = [] { ExitProcess(0); };
    return hook;
}

void End() { EndHook()(); }

EndUnlessDone::EndUnlessDone(unsigned long ms)
    : watch_([this, ms] {
          std::unique_lock lock(mutex_);
          if (!doneChanged_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return done_; })) End();
      }) {}

EndUnlessDone::~EndUnlessDone() {
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    doneChanged_.notify_one();
    watch_.join();
}
