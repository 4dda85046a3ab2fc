#include "BenchProgram.h"

#include <psapi.h>

#include <cstdio>
#include <sstream>

#include "BenchClock.h"
#include "FileBytes.h"
#include "Pump.h"
#include "RaisedError.h"
#include "StartupMarksFile.h"

Program::Program(const std::wstring& exe, const std::wstring& args, const std::wstring& folder, const std::wstring& caption)
    : exe_(exe), folder_(folder), caption_(caption) {
    DeleteFileW((folder + L"\\" + kMarksFile).c_str());
    std::wstring line = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    started_ = Ticks();
    const double t0 = Now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        throw RaisedError(1, "bench", "cannot start a program");
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    if (!PumpUntil([&] { return (window_ = FindWindowOf()) != nullptr; }, 60000))
        throw RaisedError(2, "bench", "the program's window did not show");
    const double shown = Now() - t0;
    WaitForInputIdle(process_, 20000);
    const double idle = Now() - t0;
    DWORD_PTR unused;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &unused);
    startMs_ = Now() - t0;
    fprintf(stderr, "%ls: shown %.0f, idle %.0f, answered %.0f ms\n", caption.c_str(), shown, idle, startMs_);
}

Program::~Program() {
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 10000);
    CloseHandle(process_);
    // Wine takes a moment to finish with an ended program's windows, and
    // holds up the next program's start meanwhile: not part of a start.
    PumpFor(3000);
}

double Program::WorkingSetMB() const {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    if (!GetProcessMemoryInfo(process_, &counters, sizeof counters)) return 0;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

StartupSteps Program::Steps(DWORD timeoutMs) const {
    const std::wstring path = folder_ + L"\\" + kMarksFile;
    StartupSteps steps;
    if (!PumpUntil([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs)) return steps;
    const std::optional<std::string> text = ReadFileBytes(path);
    if (!text) return steps;
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        const long long ticks = std::stoll(line.substr(tab + 1));
        steps.emplace_back(line.substr(0, tab), static_cast<double>(ticks - started_) / TicksPerMs());
    }
    return steps;
}

namespace {

struct Search {
    DWORD pid;
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t text[256] = L"";
    GetWindowTextW(hwnd, text, 256);
    if (pid == s->pid && IsWindowVisible(hwnd) && *s->caption == text) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND Program::FindWindowOf() const {
    Search s{pid_, &caption_, nullptr};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}
