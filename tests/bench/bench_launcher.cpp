// The benchmark: what a user waits for, each beside a baseline measured in
// the same run on the same machine, as medians over repeated runs, for
// libraries of several sizes; a start also with its fastest and slowest run.
// Prints Markdown tables: the measures with their targets, how the costs
// grow with the library, and the steps of the launcher's start. Programs are started from installations made in a
// temporary folder (copies of the program folder), as a user starts them.
//   orvane_bench <program folder> <installations folder> [--tiny]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "App.h"
#include "BenchClock.h"
#include "BenchInstall.h"
#include "BenchProgram.h"
#include "BenchSqlite.h"
#include "CatalogueGroup.h"
#include "FileBytes.h"
#include "Form.h"
#include "HtmlTree.h"
#include "MainFrm.h"
#include "MainMe.h"
#include "PageLayout.h"
#include "PictureBox.h"
#include "PlainWindow.h"
#include "Pump.h"
#include "RaisedError.h"
#include "Shell.h"
#include "TestHttpServer.h"
#include "WebBrowser.h"
#include "WebFonts.h"
#include "bench_paths.h"

namespace {

struct Sizes {
    int processRuns = 5;  // starts of a program per measure
    int runs = 40;        // repetitions of an in-process measure
    size_t pageChars = 2u << 20;  // characters of the pages laid out
    int pagePictures = 500;       // photographs on the browser view's page
};

// A number, to two places below 100; a negative one (not measured) is "-".
std::string Number(double v) {
    if (v < 0) return "-";
    char text[64];
    snprintf(text, sizeof text, v >= 100 ? "%.0f" : "%.2f", v);
    return text;
}

// A value with its unit; without one, a count.
std::string Fixed(double v, const char* unit) {
    if (v < 0) return "-";
    if (!*unit) return std::to_string(static_cast<long long>(v + 0.5));
    return Number(v) + " " + unit;
}

// A figure of several runs: its median, and the fastest and slowest run
// when it has a spread, so that a start that is sometimes slow is seen.
struct Figure {
    Figure(double v) : median(v) {}
    explicit Figure(const std::vector<double>& runs) : median(Median(runs)) {
        if (runs.empty()) return;
        const auto [low, high] = std::minmax_element(runs.begin(), runs.end());
        spread = {*low, *high};
    }
    std::string Text(const char* unit) const {
        if (!spread || median < 0) return Fixed(median, unit);
        return Fixed(median, unit) + " (" + Number(spread->first) + "–" + Number(spread->second) + ")";
    }
    double median;
    std::optional<std::pair<double, double>> spread;
};

// A count with thousands separated: "50,000".
std::string Games(int n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// ---- the tables ----

struct Row {
    std::string measure, value, baseline, baselineValue, compared, target;
};
std::vector<Row> rows;

enum class Compare { None, Ratio, Above };

void Report(const std::string& measure, const Figure& figure, const std::string& baseline, const Figure& baselineFigure,
            const char* unit, Compare compare, const std::string& target) {
    const double value = figure.median, baselineValue = baselineFigure.median;
    std::string compared = "-";
    char text[64];
    if (value >= 0 && compare == Compare::Ratio && baselineValue > 0) {
        snprintf(text, sizeof text, "%.2fx", value / baselineValue);
        compared = text;
    } else if (value >= 0 && compare == Compare::Above) {
        snprintf(text, sizeof text, "%+.2f %s", value - baselineValue, unit);
        compared = text;
    }
    rows.push_back({measure, figure.Text(unit), baseline, baselineFigure.Text(unit), compared, target});
    fprintf(stderr, "%s: %s (baseline %s)\n", measure.c_str(), rows.back().value.c_str(), rows.back().baselineValue.c_str());
}

// Per library size: start, list load, page flips, working set.
struct LibraryCosts {
    std::vector<double> start, workingSet;
    std::map<std::string, std::vector<double>> memory;  // by origin
    double listLoad = 0, coldFlip = -1, nextFlip = -1, shownFlip = -1;
};

void AddMemory(std::map<std::string, std::vector<double>>& to, const MemoryByOrigin& m) {
    for (const auto& [origin, mb] : m) to[origin].push_back(mb);
}

void PrintTables(const std::vector<int>& libraries, std::map<int, LibraryCosts>& costs,
                 const std::vector<std::pair<std::string, std::vector<StartupSteps>>>& starts,
                 std::map<std::string, std::vector<double>>& baselineMemory) {
    printf("Starts: the median of the runs, with the fastest and slowest run in brackets.\n\n");
    printf("| measure | median | baseline | baseline median | against baseline | target |\n|---|---|---|---|---|---|\n");
    for (const Row& r : rows)
        printf("| %s | %s | %s | %s | %s | %s |\n", r.measure.c_str(), r.value.c_str(), r.baseline.c_str(),
               r.baselineValue.c_str(), r.compared.c_str(), r.target.c_str());

    printf("\nHow the costs grow with the library (medians; starts with their fastest and slowest run):\n\n");
    printf("| games | start to painted grid | working set, idle | My box list load | page flip, first showing | "
           "next page after a pause | page shown before |\n|---|---|---|---|---|---|---|\n");
    for (int n : libraries) {
        LibraryCosts& c = costs[n];
        printf("| %s | %s | %s | %s | %s | %s | %s |\n", Games(n).c_str(), Figure(c.start).Text("ms").c_str(),
               Fixed(Median(c.workingSet), "MB").c_str(), Fixed(c.listLoad, "ms").c_str(), Fixed(c.coldFlip, "ms").c_str(),
               Fixed(c.nextFlip, "ms").c_str(), Fixed(c.shownFlip, "ms").c_str());
    }

    printf("\nWorking set, idle, by where the pages come from (medians):\n\n");
    printf("| origin | empty-window program | launcher, no games | launcher, %s games |\n|---|---|---|---|\n",
           Games(libraries.back()).c_str());
    for (const char* origin : kMemoryOrigins)
        printf("| %s | %s | %s | %s |\n", origin, Fixed(Median(baselineMemory[origin]), "MB").c_str(),
               Fixed(Median(costs[libraries.front()].memory[origin]), "MB").c_str(),
               Fixed(Median(costs[libraries.back()].memory[origin]), "MB").c_str());

    // Steps in the order of their median times in the first program.
    printf("\nSteps of the start, milliseconds from the start of the process (medians, with the fastest and "
           "slowest run):\n\n|step");
    for (const auto& [program, runs] : starts) printf(" | %s", program.c_str());
    printf(" |\n|---");
    for (size_t i = 0; i < starts.size(); ++i) printf("|---");
    printf("|\n");
    std::vector<std::map<std::string, double>> medians;
    std::vector<std::map<std::string, std::vector<double>>> samples;
    for (const auto& [program, runs] : starts) {
        std::map<std::string, std::vector<double>>& s = samples.emplace_back();
        for (const StartupSteps& run : runs)
            for (const auto& [step, ms] : run) s[step].push_back(ms);
        std::map<std::string, double> m;
        for (const auto& [step, v] : s) m[step] = Median(v);
        medians.push_back(m);
    }
    // The first program's steps in the order of their times; a step only
    // another program has goes after the last step it shares that came before it there.
    std::vector<std::string> order;
    for (const auto& m : medians) {
        std::vector<std::pair<double, std::string>> byTime;
        for (const auto& [step, ms] : m) byTime.emplace_back(ms, step);
        std::sort(byTime.begin(), byTime.end());
        size_t at = 0;
        for (const auto& [ms, step] : byTime) {
            const auto known = std::find(order.begin(), order.end(), step);
            if (known != order.end()) {
                at = static_cast<size_t>(known - order.begin()) + 1;
            } else {
                order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), step);
                ++at;
            }
        }
    }
    for (const std::string& step : order) {
        printf("| %s", step.c_str());
        for (const auto& s : samples) printf(" | %s", s.count(step) ? Figure(s.at(step)).Text("ms").c_str() : "-");
        printf(" |\n");
    }
}

// ---- measures ----

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
           "page layout, " + size + " of short words", LayoutMs(words, runs), "ms", Compare::Ratio, "-");
}

// A page of the browser view with a photograph beside each of its lines,
// served from 127.0.0.1 with the photographs of `photos`; its number of pictures.
int ServePictures(TestHttpServer& http, const std::wstring& photos, int wanted) {
    std::string page = "<html><body>";
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((photos + L"\\*.jpg").c_str(), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more && count < wanted; more = FindNextFileW(find, &found)) {
        const auto bytes = ReadFileBytes(photos + L"\\" + found.cFileName);
        if (!bytes) continue;
        const std::string n = std::to_string(count++), path = "/thumb/" + n + ".jpg";
        http.Route(path, TestHttpServer::Text(*bytes, "image/jpeg"));
        page += "<a href=\"/game/" + n + ".html\"><img src=\"" + path + "\"></a> Game " + n +
                ", a game of skill and luck for everyone who has a minute<br>\n";
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    http.Route("/pictures", TestHttpServer::Text(page + "</body></html>"));
    return count;
}

// The browser view showing that page in a new view (no picture decoded
// yet): the time its window's thread spends from the navigation until the
// last picture is in (taking the page and each picture, laying the page out
// again, painting) and the layouts made, beside one resize of the view on
// the finished page.
void MeasurePictureArrival(const std::wstring& photos, const Sizes& n) {
    TestHttpServer http;
    const int pictures = ServePictures(http, photos, n.pagePictures);
    HWND host = MakePlainWindow({L"pictures", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, 0, 840, 660});
    std::vector<double> busy, layouts, resize;
    for (int run = 0; run < std::max(1, n.runs / 8); ++run) {
        WebBrowser view;
        WebBrowser::Placement p;
        p.parent = host;
        p.cx = 800;
        p.cy = 600;
        if (!view.Create(p)) throw RaisedError(3, "bench", "cannot make a browser view");
        bool complete = false;
        view.DocumentComplete = [&](const std::wstring&) { complete = true; };
        const size_t asked = http.Requests().size();
        const double start = Now();
        double spent = 0, lastWork = start;
        view.Navigate(http.BaseUrlW() + L"/pictures");
        // Until every picture was asked for and the window has had nothing
        // to do for half a second.
        while (!complete || http.Requests().size() < asked + 1 + pictures || Now() - lastWork < 500) {
            if (Now() - start > 120000) throw RaisedError(3, "bench", "the pictures of the browser view's page did not arrive");
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                const double t0 = Now();
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
                lastWork = Now();
                spent += lastWork - t0;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        busy.push_back(spent);
        layouts.push_back(static_cast<double>(view.LayoutCount()));
        resize.push_back(TimeMs(4, [&](int i) {
            view.Move(0, 0, 800 - i % 2, 600);
            UpdateWindow(view.hwnd());
        }));
    }
    DestroyWindow(host);
    const std::string what = "a page's " + std::to_string(pictures) + " pictures arriving";
    Report("browser view, " + what + ": time of the window's thread", Median(busy),
           "one resize of the view on that page (layout and paint)", Median(resize), "ms", Compare::Ratio, "-");
    Report("browser view, " + what + ": layouts", Median(layouts), "pictures", pictures, "", Compare::None, "-");
}

// The My box page of this process on one library: the list load and the
// page flips as a user makes them with the page buttons.
void MeasurePage(MainMe& me, const std::wstring& folder, int runs, LibraryCosts& c) {
    UseInstallation(folder);
    c.listLoad = TimeMs(std::max(1, runs / 4), [&](int) { me.LoadJpgs(L"Select * From Games order by G_DateTime desc"); });
    me.Image_Flash_Add(L"", L"0");
    const int pages = std::min(me.Grid().PageCount, kPageButtonCount);
    if (pages < 2) return;
    auto flip = [&](int page) {
        PumpFor(100);  // a pause, as between a user's clicks: the program is idle
        const GridRect& r = me.Grid().PageButtons[page].Rect;
        const LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        const double t0 = Now();
        SendMessageW(me.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(me.hwnd(), WM_LBUTTONUP, 0, at);
        GdiFlush();
        return Now() - t0;
    };
    // From the first page on to the next ones, then pages never shown
    // before and not next to one shown, then back and forth between two
    // pages shown before.
    std::vector<double> next, cold, shown;
    int page = 0;
    while (page + 1 < pages && static_cast<int>(next.size()) < runs / 2) next.push_back(flip(++page));
    std::vector<int> coldPages;
    for (int p = page + 3; p < pages && static_cast<int>(coldPages.size()) < runs; p += 3) coldPages.push_back(p);
    for (int p : coldPages) cold.push_back(flip(p));
    const int a = coldPages.size() >= 2 ? coldPages[coldPages.size() - 2] : 0, b = coldPages.empty() ? page : coldPages.back();
    for (int i = 0; i < runs; ++i) shown.push_back(flip(i % 2 ? b : a));
    c.nextFlip = Median(next);
    c.coldFlip = cold.empty() ? -1 : Median(cold);
    c.shownFlip = Median(shown);
}

void Measure(const std::wstring& dist, const std::wstring& libraries, const Sizes& n) {
    const std::vector<Installation> installations = FindInstallations(libraries);
    if (installations.size() < 2) throw RaisedError(3, "bench", "fewer than two installations");
    // Nothing may hold the current directory in an installation when the run ends.
    struct LeaveFolder {
        ~LeaveFolder() { SetCurrentDirectoryW(kBenchDir); }
    } leave;
    std::vector<std::wstring> folders;
    std::vector<int> sizes;
    for (const Installation& i : installations) {
        const double t0 = Now();
        FillLibrary(i);
        fprintf(stderr, "library of %d games made in %.0f ms\n", i.games, Now() - t0);
        folders.push_back(i.folder);
        sizes.push_back(i.games);
    }
    // The launcher that writes down the steps of its start takes the place
    // of Orvane.exe in the smallest and the largest installation for its runs.
    const std::wstring traced = std::wstring(kBenchDir) + L"TracedLauncher.exe", plain = dist + L"\\Orvane.exe";
    auto startTraced = [&](const std::wstring& folder) {
        const std::wstring exe = folder + L"\\Orvane.exe";
        if (!CopyFileW(traced.c_str(), exe.c_str(), FALSE)) throw RaisedError(3, "bench", "cannot put the traced launcher in place");
        StartupSteps steps;
        {
            Program p(exe, L"", folder, L"Brisco");
            // The work the first paint does not need follows it for a moment.
            PumpFor(1500);
            steps = p.Steps();
        }
        if (!CopyFileW(plain.c_str(), exe.c_str(), FALSE)) throw RaisedError(3, "bench", "cannot put the launcher back");
        return steps;
    };
    const std::wstring empty = std::wstring(kBenchDir) + L"EmptyWindow.exe";
    const std::wstring& small = folders.front();
    const int largest = sizes.back();

    // Starting the programs, in turns.
    std::map<int, LibraryCosts> costs;
    std::vector<double> baseline, baselineSet, player;
    std::map<std::string, std::vector<double>> baselineMemory;
    std::vector<std::pair<std::string, std::vector<StartupSteps>>> starts{
        {"launcher, no games", {}}, {"launcher, " + Games(largest) + " games", {}}, {"empty-window program", {}}};
    TestHttpServer http;
    http.Route("/a", TestHttpServer::Text("<html><head><title>Game a</title></head><body>a</body></html>"));
    for (int i = 0; i < n.processRuns; ++i) {
        for (size_t k = 0; k < folders.size(); ++k) {
            Program p(folders[k] + L"\\Orvane.exe", L"", folders[k], L"Brisco");
            costs[sizes[k]].start.push_back(p.StartMs());
            PumpFor(1000);
            costs[sizes[k]].workingSet.push_back(p.WorkingSetMB());
            AddMemory(costs[sizes[k]].memory, p.Memory());
        }
        starts[0].second.push_back(startTraced(folders.front()));
        starts[1].second.push_back(startTraced(folders.back()));
        {
            Program p(empty, L"", small, L"EmptyWindow");
            baseline.push_back(p.StartMs());
            starts[2].second.push_back(p.Steps());
            PumpFor(1000);
            baselineSet.push_back(p.WorkingSetMB());
            AddMemory(baselineMemory, p.Memory());
        }
        {
            Program p(small + L"\\Pellow.exe", http.BaseUrlW() + L"/a", small, L"Brisco-网页游戏");
            player.push_back(p.StartMs());
        }
    }
    LibraryCosts& none = costs[0];
    LibraryCosts& most = costs[largest];
    const std::string large = Games(largest) + " games";
    Report("launcher start to painted grid, no games", Figure(none.start), "empty-window program start", Figure(baseline),
           "ms", Compare::Ratio, "at most 2.0x");
    Report("launcher start to painted grid, " + large, Figure(most.start), "launcher start, no games", Figure(none.start),
           "ms", Compare::Ratio, "at most 1.3x");
    Report("launcher working set, idle, no games", Median(none.workingSet), "empty-window program", Median(baselineSet), "MB",
           Compare::Above, "own share at most 10 MB");
    Report("launcher working set, idle, " + large, Median(most.workingSet), "launcher, no games", Median(none.workingSet), "MB",
           Compare::Above, "at most 20 MB above");
    Report("player start to first tab", Figure(player), "empty-window program start", Figure(baseline), "ms",
           Compare::Ratio, "-");

    // DDE hand-off to a running player, each execute a new game address.
    {
        Program running(small + L"\\Pellow.exe", http.BaseUrlW() + L"/a", small, L"Brisco-网页游戏");
        Program emptyRunning(empty, L"", small, L"EmptyWindow");
        const double toPlayer = ExecuteMs(L"Pellow|PellowDDE", n.processRuns * 2,
                                          [&](int i) { return http.BaseUrlW() + L"/a?" + std::to_wstring(i); });
        const double toEmpty = ExecuteMs(L"EmptyWindow|EmptyDDE", n.processRuns * 2, [](int) { return std::wstring(L"x"); });
        Report("DDE hand-off to a running player", toPlayer, "DDE execute to the empty-window program", toEmpty, "ms",
               Compare::Ratio, "at most 3x");
    }

    // The database, on the second library (2,000 games).
    const std::wstring& rowsFolder = folders.size() > 1 ? folders[1] : folders[0];
    UseInstallation(rowsFolder);
    const double group = TimeMs(n.runs, [](int) {
        CatalogueGroup g;
        CatalogueQuery q(g, L"Select * From [Install]");
        q.Step();
    });
    const double library = TimeMs(n.runs, [&](int) {
        HMODULE m = LoadLibraryW((rowsFolder + L"\\sqlite3.dll").c_str());
        FreeLibrary(m);
    });
    Report("one database group (load, open, select, close, unload)", group, "load and unload of sqlite3.dll", library, "ms",
           Compare::None, "at most 5 ms");
    const ListReadTimes read = TimeListRead(rowsFolder, n.runs);
    Report(Games(read.rows) + "-row list read through the SQLite access layer", read.layerMs,
           "the same reads on sqlite3.dll called directly", read.directMs, "ms", Compare::Ratio, "at most 1.3x");

    // The My box page in this process, on each library.
    UseInstallation(small);
    MainFrm& frm = TheMainFrm();
    frm.Show();
    MainMe& me = frm.Me();
    for (size_t k = 0; k < folders.size(); ++k) MeasurePage(me, folders[k], n.runs, costs[sizes[k]]);
    UseInstallation(small);
    const double loadNone =
        TimeMs(std::max(1, n.runs / 4), [&](int) { me.LoadJpgs(L"Select * From Games Where 0 order by G_DateTime desc"); });
    Report("My box list load, " + large, most.listLoad, "list load, no games", loadNone, "ms", Compare::None,
           "at most 150 ms");
    RECT client;
    GetClientRect(me.hwnd(), &client);
    const double pageBlit = BlitMs(me.hwnd(), client.right, client.bottom, n.runs);
    const LibraryCosts& paged = costs[sizes[std::min<size_t>(1, sizes.size() - 1)]];
    Report("page flip, first showing of a page of 20 photographic thumbnails", paged.coldFlip, "blit of the page's area",
           pageBlit, "ms", Compare::None, "at most 8 ms");
    Report("page flip, a page shown before", paged.shownFlip, "blit of the page's area", pageBlit, "ms", Compare::Ratio,
           "a blit");

    UseInstallation(folders.size() > 1 ? folders[1] : small);
    me.Image_Flash_Add(L"", L"0");
    const GridRect& cell = me.Grid().GameCells[0].PicRect;
    const LPARAM onCell = MAKELPARAM(cell.Left + 30, cell.Top + 30), offCell = MAKELPARAM(cell.Left - 5, cell.Top - 5);
    const double hover = TimeMs(n.runs, [&](int i) {
        SendMessageW(me.hwnd(), WM_MOUSEMOVE, 0, i % 2 ? offCell : onCell);
        GdiFlush();
    });
    Report("hover repaint of one cell", hover, "blit of one cell", BlitMs(me.hwnd(), kPictureSize, kPictureSize, n.runs), "ms",
           Compare::None, "at most 2 ms");
    frm.Unload();
    MeasureLayout(n);
    MeasurePictureArrival(folders.back() + L"\\Jpgs", n);
    PrintTables(sizes, costs, starts, baselineMemory);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: orvane_bench <program folder> <installations folder> [--tiny]\n");
        return 2;
    }
    Sizes sizes;
    if (argc > 3 && std::wstring(argv[3]) == L"--tiny") sizes = {1, 3, 64u << 10, 20};
    SetDllDirectoryW(argv[1]);
    // The launcher's own window ends processes and the program when it
    // unloads; here it only unloads.
    ShellHook() = [](const std::wstring&, VbAppWinStyle) { return DWORD{0}; };
    EndHook() = [] {};
    try {
        Measure(argv[1], argv[2], sizes);
    } catch (const RaisedError& e) {
        fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
