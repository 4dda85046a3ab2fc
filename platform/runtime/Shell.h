// Starting programs without waiting for them, and ending every process of a
// program file by force. Starts go through ShellHook, which a test may replace.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Window style of the started program's first window.
enum class VbAppWinStyle { Hide = 0, NormalFocus = 1, MinimizedFocus = 2, MaximizedFocus = 3, NormalNoFocus = 4, MinimizedNoFocus = 6 };

// Starts `commandLine` (a program name followed by its arguments) and returns
// its process id at once. A program that cannot be started raises error 53.
DWORD Shell(const std::wstring& commandLine, VbAppWinStyle style = VbAppWinStyle::MinimizedFocus);

using ShellHandler = std::function<DWORD(const std::wstring& commandLine, VbAppWinStyle style)>;
ShellHandler& ShellHook();

// Ends every process whose program file is `imageName` ("Pellow.exe"), this
// one included when it matches: "cmd.exe /c taskkill /im <name> /f", hidden,
// through Shell.
void TaskKill(const std::wstring& imageName);
