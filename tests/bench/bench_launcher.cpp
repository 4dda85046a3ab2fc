// The benchmark: what a user waits for, each beside a baseline measured in
// the same run on the same machine, as medians over repeated runs. Prints a
// Markdown table. Programs are started from installations made in a
// temporary folder (copies of the program folder), as a user starts them.
//   orvane_bench <program folder> <thumbnail folder> [--tiny]
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "App.h"
#include "CatalogueGroup.h"
#include "Form.h"
#include "HtmlTree.h"
#include "MainFrm.h"
#include "MainMe.h"
#include "PictureBox.h"
#include "Pump.h"
#include "RaisedError.h"
#include "Settings.h"
#include "Shell.h"
#include "SqlText.h"
#include "TempDir.h"
#include "TestHttpServer.h"
#include "bench_paths.h"
#include "PageLayout.h"
#include "WebFonts.h"
#include "mSqlite.h"

namespace {

struct Sizes {
    int games = 2000;                // games of the large library
    int processRuns = 5;             // starts of a program per measure
    int runs = 40;                   // repetitions of an in-process measure
    size_t pageChars = 2u << 20;     // characters of the pages laid out
};

double Now() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / perMs;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Milliseconds of one call, as a median over runs.
double TimeMs(int runs, const std::function<void(int)>& work) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double t0 = Now();
        work(i);
        samples.push_back(Now() - t0);
    }
    return Median(samples);
}

struct Row {
    std::string measure, value, baseline, baselineValue, target;
};
std::vector<Row> rows;

std::string Fixed(double v, const char* unit) {
    char text[64];
    snprintf(text, sizeof text, v >= 100 ? "%.0f %s" : "%.2f %s", v, unit);
    return text;
}

void Report(const std::string& measure, double value, const std::string& baseline, double baselineValue, const char* unit,
            const std::string& target) {
    rows.push_back({measure, Fixed(value, unit), baseline, Fixed(baselineValue, unit), target});
    fprintf(stderr, "%s: %s (baseline %s)\n", measure.c_str(), rows.back().value.c_str(), rows.back().baselineValue.c_str());
}

bool CopyFolder(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    std::wstring source = from + L"\\*" + L'\0';
    std::wstring target = to + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_COPY;
    op.pFrom = source.c_str();
    op.pTo = target.c_str();
    op.fFlags = FOF_NO_UI;
    return SHFileOperationW(&op) == 0;
}

// A program started from its installation, its window found by caption.
class Program {
public:
    Program(const std::wstring& exe, const std::wstring& args, const std::wstring& folder, const std::wstring& caption) {
        std::wstring line = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
        STARTUPINFOW si{sizeof si};
        PROCESS_INFORMATION pi{};
        const double t0 = Now();
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
            throw RaisedError(1, "bench", "cannot start a program");
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        caption_ = caption;
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
    ~Program() {
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, 10000);
        CloseHandle(process_);
        // Wine takes a moment to finish with an ended program's windows, and
        // holds up the next program's start meanwhile: not part of a start.
        PumpFor(3000);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    double StartMs() const { return startMs_; }
    double WorkingSetMB() const {
        PROCESS_MEMORY_COUNTERS counters{sizeof counters};
        if (!GetProcessMemoryInfo(process_, &counters, sizeof counters)) return 0;
        return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
    }

private:
    struct Search {
        DWORD pid;
        const std::wstring* caption;
        HWND found;
    };
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM lParam) {
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
    HWND FindWindowOf() const {
        Search s{pid_, &caption_, nullptr};
        EnumWindows(&Program::Visit, reinterpret_cast<LPARAM>(&s));
        return s.found;
    }

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    std::wstring caption_;
    HWND window_ = nullptr;
    double startMs_ = 0;
};

// The launcher's settings and current directory pointed at an installation.
void UseInstallation(const std::wstring& folder) {
    WriteSettings(folder);
    SetCurrentDirectoryW(folder.c_str());
}

// Fills an installation's library with games named g1 .. gN, each with one
// of the thumbnails in Jpgs.
void FillLibrary(const std::wstring& folder, const std::wstring& thumbs, int games) {
    UseInstallation(folder);
    const wchar_t* pictures[] = {L"red.jpg", L"green.jpg", L"yellow.jpg", L"blue.jpg"};
    CatalogueGroup group;
    group.Exec(L"BEGIN");
    for (int i = 1; i <= games; ++i) {
        const std::wstring name = L"g" + std::to_wstring(i);
        group.Exec(L"Insert Into Games (G_Name, G_Introduce, G_WebUrl, W_Url, G_Type, G_Favorite) Values ('" + SqlText(name) +
                   L"', 'intro', 'http://127.0.0.1:8470/game/1.html', '', 1, 1)");
        CopyFileW((thumbs + L"\\" + pictures[i % 4]).c_str(), (folder + L"\\Jpgs\\" + name + L".jpg").c_str(), FALSE);
    }
    group.Exec(L"COMMIT");
}

// The same few pixels put on the screen without the launcher's work: what a
// paint of that area costs at the least.
double BlitMs(HWND window, int width, int height, int runs) {
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const double ms = TimeMs(runs, [&](int) {
        BitBlt(screen, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        GdiFlush();
    });
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return ms;
}

class DdeClient : public Form {
public:
    PictureBox link{*this};
};

// Median milliseconds of a DDE execute to "App|Topic" (a fresh conversation each).
double ExecuteMs(const std::wstring& topic, int runs, const std::function<std::wstring(int)>& command) {
    DdeClient client;
    client.Load();
    const double ms = TimeMs(runs, [&](int i) {
        client.link.LinkTopic(topic);
        client.link.LinkMode(2);
        client.link.LinkExecute(command(i));
        client.link.LinkMode(0);
    });
    client.Unload();
    return ms;
}

// Milliseconds to lay out a page's body text in the browser view's fonts
// at the view's usual width, as a median.
double LayoutMs(const std::wstring& text, int runs) {
    const HtmlTree tree = BuildHtmlTree(L"<body>" + text + L"</body>");
    WebFonts fonts;
    GdiTextMeasurer measurer(fonts);
    LayoutInput in;
    in.tree = &tree;
    in.viewWidth = 800;
    in.viewHeight = 600;
    return TimeMs(runs, [&](int) { LayOutPage(in, measurer); });
}

void MeasureLayout(const Sizes& n) {
    std::wstring words;
    while (words.size() < n.pageChars) words += L"network ";
    const std::string size = std::to_string(n.pageChars >> 10) + " KiB";
    const int runs = std::max(1, n.runs / 8);
    Report("page layout, one word of " + size, LayoutMs(std::wstring(n.pageChars, L'x'), runs),
           "page layout, " + size + " of short words", LayoutMs(words, runs), "ms", "-");
}

void Measure(const std::wstring& dist, const std::wstring& thumbs, const Sizes& n) {
    TempDir temp;
    const std::wstring small = temp.File(L"small"), large = temp.File(L"large");
    if (!CopyFolder(dist, small) || !CopyFolder(dist, large)) throw RaisedError(3, "bench", "cannot copy the program folder");
    const std::wstring empty = std::wstring(kBenchDir) + L"EmptyWindow.exe";
    FillLibrary(large, thumbs, n.games);
    const std::string games = std::to_string(n.games);

    // Starting the programs.
    std::vector<double> launcher, baseline, launcherSet, baselineSet, launcherLarge, player;
    TestHttpServer http;
    http.Route("/a", TestHttpServer::Text("<html><head><title>Game a</title></head><body>a</body></html>"));
    for (int i = 0; i < n.processRuns; ++i) {
        {
            Program p(small + L"\\Orvane.exe", L"", small, L"Brisco");
            launcher.push_back(p.StartMs());
            PumpFor(1000);
            launcherSet.push_back(p.WorkingSetMB());
        }
        {
            Program p(empty, L"", small, L"EmptyWindow");
            baseline.push_back(p.StartMs());
            PumpFor(1000);
            baselineSet.push_back(p.WorkingSetMB());
        }
        {
            Program p(large + L"\\Orvane.exe", L"", large, L"Brisco");
            PumpFor(1000);
            launcherLarge.push_back(p.WorkingSetMB());
        }
        {
            Program p(small + L"\\Pellow.exe", http.BaseUrlW() + L"/a", small, L"Brisco-网页游戏");
            player.push_back(p.StartMs());
        }
    }
    Report("launcher start to painted grid", Median(launcher), "empty-window program start", Median(baseline), "ms",
           "at most 2x the baseline");
    Report("launcher working set, idle after start", Median(launcherSet), "empty-window program", Median(baselineSet), "MB",
           "at most 30 MB");
    Report("launcher working set, " + games + " games", Median(launcherLarge), "empty-window program", Median(baselineSet),
           "MB", "-");
    Report("player start to first tab", Median(player), "empty-window program start", Median(baseline), "ms", "-");

    // DDE hand-off to a running player, each execute a new game address.
    {
        Program running(small + L"\\Pellow.exe", http.BaseUrlW() + L"/a", small, L"Brisco-网页游戏");
        Program emptyRunning(empty, L"", small, L"EmptyWindow");
        const double toPlayer = ExecuteMs(L"Pellow|PellowDDE", n.processRuns * 2,
                                          [&](int i) { return http.BaseUrlW() + L"/a?" + std::to_wstring(i); });
        const double toEmpty = ExecuteMs(L"EmptyWindow|EmptyDDE", n.processRuns * 2, [](int) { return std::wstring(L"x"); });
        Report("DDE hand-off to a running player", toPlayer, "DDE execute to the empty-window program", toEmpty, "ms", "-");
    }

    // One database group, on the large library.
    UseInstallation(large);
    const double group = TimeMs(n.runs, [](int) {
        CatalogueGroup g;
        CatalogueQuery q(g, L"Select * From [Install]");
        q.Step();
    });
    const double library = TimeMs(n.runs, [&](int) {
        HMODULE m = LoadLibraryW((large + L"\\sqlite3.dll").c_str());
        FreeLibrary(m);
    });
    Report("one database group (load, open, select, close, unload)", group, "load and unload of sqlite3.dll", library, "ms",
           "at most 5 ms");

    // The My box page in this process, on the large library.
    MainFrm& frm = TheMainFrm();
    frm.Show();
    MainMe& me = frm.Me();
    const double load = TimeMs(std::max(1, n.runs / 4), [&](int) { me.LoadJpgs(L"Select * From Games order by G_DateTime desc"); });
    const double loadNone =
        TimeMs(std::max(1, n.runs / 4), [&](int) { me.LoadJpgs(L"Select * From Games Where 0 order by G_DateTime desc"); });
    Report("My box list load, " + games + " games", load, "list load, no games", loadNone, "ms", "at most 300 ms");

    me.LoadJpgs(L"Select * From Games order by G_DateTime desc");
    const int pages = std::max(2, std::min(me.Grid().PageCount, kPageButtonCount));
    RECT client;
    GetClientRect(me.hwnd(), &client);
    const double flip = TimeMs(n.runs, [&](int i) {
        const GridRect& r = me.Grid().PageButtons[(i + 1) % pages].Rect;
        const LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        SendMessageW(me.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(me.hwnd(), WM_LBUTTONUP, 0, at);
        GdiFlush();
    });
    Report("page flip (first showing of a page)", flip, "blit of the page's area", BlitMs(me.hwnd(), client.right, client.bottom, n.runs),
           "ms", "at most 16 ms");

    const GridRect& cell = me.Grid().GameCells[0].PicRect;
    const LPARAM onCell = MAKELPARAM(cell.Left + 30, cell.Top + 30), offCell = MAKELPARAM(cell.Left - 5, cell.Top - 5);
    const double hover = TimeMs(n.runs, [&](int i) {
        SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, i % 2 ? offCell : onCell);
        GdiFlush();
    });
    Report("hover repaint of one cell", hover, "blit of one cell", BlitMs(me.hwnd(), kPictureSize, kPictureSize, n.runs), "ms",
           "at most 5 ms");
    frm.Unload();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: orvane_bench <program folder> <thumbnail folder> [--tiny]\n");
        return 2;
    }
    Sizes sizes;
    if (argc > 3 && std::wstring(argv[3]) == L"--tiny") sizes = {40, 1, 3, 64u << 10};
    SetDllDirectoryW(argv[1]);
    // The launcher's own window ends processes and the program when it
    // unloads; here it only unloads.
    ShellHook() = [](const std::wstring&, VbAppWinStyle) { return DWORD{0}; };
    EndHook() = [] {};
    try {
        Measure(argv[1], argv[2], sizes);
        MeasureLayout(sizes);
    } catch (const RaisedError& e) {
        fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    printf("| measure | median | baseline | baseline median | target |\n|---|---|---|---|---|\n");
    for (const Row& r : rows)
        printf("| %s | %s | %s | %s | %s |\n", r.measure.c_str(), r.value.c_str(), r.baseline.c_str(), r.baselineValue.c_str(),
               r.target.c_str());
    return 0;
}
