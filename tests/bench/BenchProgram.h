// A program started from an installation as a user starts it, timed from
// the moment it is asked for to its window answering once it has painted;
// its working set; and the steps of its start that it wrote down.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "BenchMemory.h"

// A step of a start and its time in milliseconds from the process's start.
using StartupSteps = std::vector<std::pair<std::string, double>>;

class Program {
public:
    Program(const std::wstring& exe, const std::wstring& args, const std::wstring& folder, const std::wstring& caption);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    double StartMs() const { return startMs_; }
    double WorkingSetMB() const;
    MemoryByOrigin Memory() const { return MemoryOf(exe_); }
    // The steps from the folder's "startup.marks", waiting for the file a
    // while; empty when the program wrote none.
    StartupSteps Steps(DWORD timeoutMs = 15000) const;

private:
    HWND FindWindowOf() const;

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    std::wstring exe_, folder_, caption_;
    HWND window_ = nullptr;
    long long started_ = 0;  // performance-counter ticks just before the start
    double startMs_ = 0;
};
