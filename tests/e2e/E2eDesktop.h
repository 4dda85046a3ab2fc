// What the end-to-end scenarios do from outside the programs, as a user and
// the user's tools would: start and end processes, find windows by caption
// and class, press keys and click with input messages, read window texts,
// rectangles and regions, and take screenshots.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

struct Paths {
    std::wstring install;  // the user's installation: a copy of the program folder
    std::wstring shots;    // where the screenshots go
    std::wstring tools;    // build folder of the helper tools (window_shot.exe)
};
Paths& Where();

// Processes of a program file ("Orvane.exe"), by id.
std::vector<DWORD> ProcessesOf(const wchar_t* exe);
void EndAll(const wchar_t* exe);

class Started {
public:
    Started(const std::wstring& exe, const std::wstring& args, const std::wstring& folder);
    ~Started();
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    bool Running() const;
    // Ends the process by force, as a crash or the task manager would, and
    // waits until the system has finished with it.
    void End();
    // Waits for the end; the exit code, or STILL_ACTIVE after the wait.
    DWORD ExitCode(DWORD waitMs);
    DWORD Id() const { return id_; }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Pumps this thread's messages until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

// Waits until a window is gone or hidden.
bool WaitClosed(HWND hwnd, DWORD timeoutMs);

// A visible top-level window with this caption (of any process when pid is 0).
HWND TopWindow(const std::wstring& caption, DWORD pid = 0);
// Every descendant window of a class (all of them when the class is empty).
std::vector<HWND> Descendants(HWND parent, const std::wstring& className);
std::wstring Text(HWND hwnd);
RECT WindowRect(HWND hwnd);

// The colours (0x00RRGGBB, rows from the top) a rectangle of the screen shows.
std::vector<DWORD> ScreenPixels(const RECT& screen);

// Keys and clicks as input messages to a window.
void Key(HWND hwnd, UINT vk);
void Type(HWND hwnd, const std::wstring& text);
void Click(HWND hwnd, int x, int y);
// A click of the mouse itself at a point of the screen: the pointer moves
// there, then the left button goes down and up, as the system's input.
void ClickOnScreen(POINT at);
// A key press posted, for keys whose handling opens a modal box or ends the
// program: a sent key would wait for the box to close.
void PostKey(HWND hwnd, UINT vk);

// The visible popup menu of a process, or nullptr.
HWND MenuWindow(DWORD pid);

// Whether the system tray holds the icon a window added under this id: the
// tray answers a change of nothing for a known icon and refuses an unknown one.
bool HasTrayIcon(HWND owner, UINT id);

// The one visible message box of a process: its text (empty when none), and OK.
std::wstring MessageBoxText(DWORD pid);
bool DismissMessageBox(DWORD pid);

// The body of an address of the demo portal, fetched as any client would
// (empty when it cannot be fetched).
std::string Fetch(const std::wstring& url);

// A PNG of the screen after the window with this caption has painted, in
// the screenshot folder under the scenario's name.
void Screenshot(const std::wstring& caption, const std::wstring& name);

}  // namespace e2e
