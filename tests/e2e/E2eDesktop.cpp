#include "E2eDesktop.h"

#include <shellapi.h>
#include <tlhelp32.h>
#include <wininet.h>

#include <algorithm>

#include "Pump.h"

namespace e2e {

Paths& Where() {
    static Paths paths;
    return paths;
}

std::vector<DWORD> ProcessesOf(const wchar_t* exe) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry{sizeof entry};
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, exe) == 0) ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

namespace {

bool HasWindows(const std::vector<DWORD>& ids) {
    struct Search {
        const std::vector<DWORD>* ids;
        bool found;
    } s{&ids, false};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            s->found = std::find(s->ids->begin(), s->ids->end(), pid) != s->ids->end();
            return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Ended processes' windows go a moment after the processes themselves.
void WaitWindowsGone(const std::vector<DWORD>& ids) { WaitFor([&] { return !HasWindows(ids); }, 10000); }

}  // namespace

void EndAll(const wchar_t* exe) {
    const std::vector<DWORD> ids = ProcessesOf(exe);
    for (DWORD id : ids) {
        HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!p) continue;
        TerminateProcess(p, 1);
        WaitForSingleObject(p, 10000);
        CloseHandle(p);
    }
    WaitWindowsGone(ids);
}

Started::Started(const std::wstring& exe, const std::wstring& args, const std::wstring& folder) {
    std::wstring line = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        id_ = pi.dwProcessId;
    }
}

Started::~Started() {
    if (process_) CloseHandle(process_);
}

bool Started::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void Started::End() {
    if (!process_) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
    WaitWindowsGone({id_});
}

DWORD Started::ExitCode(DWORD waitMs) {
    WaitFor([&] { return !Running(); }, waitMs);
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) { return PumpUntil(condition, timeoutMs); }

bool WaitClosed(HWND hwnd, DWORD timeoutMs) {
    return WaitFor([&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }, timeoutMs);
}

namespace {

struct TopSearch {
    const std::wstring* caption;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK VisitTop(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<TopSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (IsWindowVisible(hwnd) && (s->pid == 0 || s->pid == pid) && Text(hwnd) == *s->caption) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    const std::wstring* className;
    std::vector<HWND>* found;
};

BOOL CALLBACK VisitChild(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<ChildSearch*>(lParam);
    wchar_t name[128] = L"";
    GetClassNameW(hwnd, name, 128);
    if (s->className->empty() || *s->className == name) s->found->push_back(hwnd);
    return TRUE;
}

struct ClassSearch {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK VisitClass(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<ClassSearch*>(lParam);
    wchar_t name[64] = L"";
    GetClassNameW(hwnd, name, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd) && std::wstring(name) == s->className) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of a process by its class, or nullptr.
HWND TopOfClass(DWORD pid, const wchar_t* className) {
    ClassSearch s{pid, className, nullptr};
    EnumWindows(VisitClass, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND MessageBoxOf(DWORD pid) { return TopOfClass(pid, L"#32770"); }

}  // namespace

HWND MenuWindow(DWORD pid) { return TopOfClass(pid, L"#32768"); }

HWND TopWindow(const std::wstring& caption, DWORD pid) {
    TopSearch s{&caption, pid, nullptr};
    EnumWindows(VisitTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::vector<HWND> Descendants(HWND parent, const std::wstring& className) {
    std::vector<HWND> found;
    ChildSearch s{&className, &found};
    EnumChildWindows(parent, VisitChild, reinterpret_cast<LPARAM>(&s));
    return found;
}

std::wstring Text(HWND hwnd) {
    const LRESULT n = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

std::vector<DWORD> ScreenPixels(const RECT& screen) {
    const int width = screen.right - screen.left, height = screen.bottom - screen.top;
    if (width <= 0 || height <= 0) return {};
    HDC desktop = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(desktop);
    HBITMAP copy = CreateCompatibleBitmap(desktop, width, height);
    HGDIOBJ old = SelectObject(mem, copy);
    const bool copied = copy && BitBlt(mem, 0, 0, width, height, desktop, screen.left, screen.top, SRCCOPY);
    SelectObject(mem, old);
    std::vector<DWORD> colours(static_cast<size_t>(width) * height);
    BITMAPINFO rows{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};  // 32 bits, from the top
    if (!copied || !GetDIBits(mem, copy, 0, height, colours.data(), &rows, DIB_RGB_COLORS)) colours.clear();
    for (DWORD& c : colours) c &= 0xFFFFFF;
    if (copy) DeleteObject(copy);
    DeleteDC(mem);
    ReleaseDC(nullptr, desktop);
    return colours;
}

void Key(HWND hwnd, UINT vk) {
    SendMessageW(hwnd, WM_KEYDOWN, vk, 1);
    SendMessageW(hwnd, WM_KEYUP, vk, 0xC0000001);
}

void Type(HWND hwnd, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(hwnd, WM_CHAR, c, 1);
}

void Click(HWND hwnd, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, at);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

void ClickOnScreen(POINT at) {
    SetCursorPos(at.x, at.y);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
}

void PostKey(HWND hwnd, UINT vk) {
    PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
    PostMessageW(hwnd, WM_KEYUP, vk, 0xC0000001);
}

std::string Fetch(const std::wstring& url) {
    std::string body;
    HINTERNET session = InternetOpenW(L"e2e", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session) return body;
    HINTERNET request = InternetOpenUrlW(session, url.c_str(), nullptr, 0,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    DWORD status = 0, size = sizeof status;
    if (request && HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
        status == 200) {
        char chunk[16384];
        DWORD got = 0;
        while (InternetReadFile(request, chunk, sizeof chunk, &got) && got > 0) body.append(chunk, got);
    }
    if (request) InternetCloseHandle(request);
    InternetCloseHandle(session);
    return body;
}

bool HasTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
    probe.hWnd = owner;
    probe.uID = id;
    probe.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

std::wstring MessageBoxText(DWORD pid) {
    HWND box = MessageBoxOf(pid);
    if (!box) return {};
    std::wstring text;
    for (HWND child : Descendants(box, L"Static")) text += Text(child);
    return text;
}

bool DismissMessageBox(DWORD pid) {
    HWND box = MessageBoxOf(pid);
    if (!box) return false;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return WaitClosed(box, 10000);
}

void Screenshot(const std::wstring& caption, const std::wstring& name) {
    CreateDirectoryW(Where().shots.c_str(), nullptr);
    Started shot(Where().tools + L"window_shot.exe", L"\"" + caption + L"\" \"" + Where().shots + name + L".png\" 10",
                 Where().shots);
    shot.ExitCode(30000);
}

}  // namespace e2e
