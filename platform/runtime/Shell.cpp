#include "Shell.h"

#include "RaisedError.h"

namespace {

WORD ShowCommand(VbAppWinStyle style) {
    switch (style) {
    case VbAppWinStyle::Hide:
        return SW_HIDE;
    case VbAppWinStyle::NormalFocus:
        return SW_SHOWNORMAL;
    case VbAppWinStyle::MinimizedFocus:
        return SW_SHOWMINIMIZED;
    case VbAppWinStyle::MaximizedFocus:
        return SW_SHOWMAXIMIZED;
    case VbAppWinStyle::NormalNoFocus:
        return SW_SHOWNOACTIVATE;
    case VbAppWinStyle::MinimizedNoFocus:
        return SW_SHOWMINNOACTIVE;
    }
    return SW_SHOWNORMAL;
}

DWORD StartProcess(const std::wstring& commandLine, VbAppWinStyle style) {
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = ShowCommand(style);
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;  // CreateProcessW may write into it
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw RaisedError(53, "Shell", "File not found");
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return pi.dwProcessId;
}

}  // namespace

ShellHandler& ShellHook() {
    static ShellHandler hook = StartProcess;
    return hook;
}

DWORD Shell(const std::wstring& commandLine, VbAppWinStyle style) { return ShellHook()(commandLine, style); }

void TaskKill(const std::wstring& imageName) { Shell(L"cmd.exe /c taskkill /im " + imageName + L" /f", VbAppWinStyle::Hide); }
