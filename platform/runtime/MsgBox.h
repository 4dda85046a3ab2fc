// Message boxes: text, buttons and title; the answer is the button pressed.
// They go through MsgBoxHook, which a test may replace.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Buttons and icon as MessageBox takes them (MB_OK is 0); answers IDOK, IDYES, ...
// An empty title is the program's title.
int MsgBox(const std::wstring& prompt, UINT buttons = MB_OK, const std::wstring& title = {});

using MsgBoxHandler = std::function<int(const std::wstring& prompt, UINT buttons, const std::wstring& title)>;
// By default a modal message box owned by the active window.
MsgBoxHandler& MsgBoxHook();
