// Two real launcher processes: the second start hands "Show" to the first
// over DDE and ends; the first window comes back from minimised or hidden
// with its pages as they were. A second start ends even when some window
// of the desktop does not answer.
#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "LauncherEnv.h"
#include "Pump.h"

namespace {

struct Found {
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectBrisco(HWND h, LPARAM p) {
    auto* f = reinterpret_cast<Found*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t title[32] = {};
    GetWindowTextW(h, title, 32);
    if (pid == f->pid && std::wstring(title) == L"Brisco") f->windows.push_back(h);
    return TRUE;
}

std::vector<HWND> MainWindowsOf(DWORD pid) {
    Found f{pid, {}};
    EnumWindows(CollectBrisco, reinterpret_cast<LPARAM>(&f));
    return f.windows;
}

BOOL CALLBACK CountChild(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

int Descendants(HWND h) {
    int n = 0;
    EnumChildWindows(h, CountChild, reinterpret_cast<LPARAM>(&n));
    return n;
}

class Launcher {
public:
    Launcher(const std::wstring& folder, const std::wstring& args) {
        std::wstring line = L"\"" + DistFolder() + L"\\Orvane.exe\"" + (args.empty() ? L"" : L" " + args);
        STARTUPINFOW si{sizeof si};
        CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi_);
    }
    ~Launcher() {
        if (!pi_.hProcess) return;
        TerminateProcess(pi_.hProcess, 0);
        WaitForSingleObject(pi_.hProcess, 10000);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    DWORD Pid() const { return pi_.dwProcessId; }
    bool Ended(DWORD ms) const { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION pi_{};
};

// The first launcher, started in a folder with its own database, and its main window once shown.
struct FirstLauncher {
    FirstLauncher() {
        CopyFileW((DistFolder() + L"\\npGameData.DLL").c_str(), dir.File(L"npGameData.DLL").c_str(), FALSE);
        process = std::make_unique<Launcher>(dir.Path(), L"");
        PumpUntil(
            [&] {
                auto w = MainWindowsOf(process->Pid());
                if (w.empty() || !IsWindowVisible(w[0])) return false;
                main = w[0];
                return true;
            },
            30000);
    }
    TempDir dir;
    std::unique_ptr<Launcher> process;
    HWND main = nullptr;
};

TEST(Handoff, ASecondStartShowsTheFirstWindowAndEnds) {
    FirstLauncher f;
    const TempDir& dir = f.dir;
    const Launcher& first = *f.process;
    HWND main = f.main;
    ASSERT_TRUE(main);
    PumpFor(500);
    const int children = Descendants(main);
    EXPECT_GT(children, 5);

    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(main) != 0; }, 5000));
    {
        Launcher second(dir.Path(), L"-from test");
        ASSERT_TRUE(second.Ended(30000));
        EXPECT_EQ(second.ExitCode(), 0u);
    }
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(main) && IsWindowVisible(main); }, 10000));

    ShowWindow(main, SW_HIDE);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }, 5000));
    {
        Launcher third(dir.Path(), L"");
        ASSERT_TRUE(third.Ended(30000));
    }
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(main) != 0; }, 10000));
    EXPECT_EQ(MainWindowsOf(first.Pid()).size(), 1u);
    EXPECT_EQ(Descendants(main), children) << "the pages are as they were";
    EXPECT_FALSE(first.Ended(0));
}

// A program whose window has stopped answering (here a thread of the test
// that made a window and then waits) holds up every DDE search of the
// desktop: the second start still ends, long before that program recovers.
TEST(Handoff, ASecondStartEndsWhileAnotherProgramDoesNotAnswer) {
    FirstLauncher f;
    ASSERT_TRUE(f.main);
    HANDLE recover = CreateEventW(nullptr, TRUE, FALSE, nullptr), made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread stuck([&] {
        HWND w = CreateWindowW(L"STATIC", L"not answering", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
        SetEvent(made);
        WaitForSingleObject(recover, 120000);
        DestroyWindow(w);
    });
    WaitForSingleObject(made, 10000);
    {
        Launcher second(f.dir.Path(), L"");
        EXPECT_TRUE(second.Ended(60000)) << "the second start waits for the stuck window";
    }
    SetEvent(recover);
    stuck.join();
    CloseHandle(recover);
    CloseHandle(made);
    EXPECT_EQ(MainWindowsOf(f.process->Pid()).size(), 1u) << "the first launcher runs on";
}

}  // namespace
