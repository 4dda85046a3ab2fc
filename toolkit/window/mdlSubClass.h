// Simple window hook: replaces one window's procedure so that every message
// goes to a clsWndMsg sink, plus the word-splitting helpers the sinks use.
#pragma once
#include <windows.h>

#include <cstdint>

#include "clsWndMsg.h"

// Hooks hwnd for target; the sink is held without ownership and must outlive
// the window. Hooking a hooked window again only changes its sink: the
// procedure it had before the first hook stays the previous one.
void HookWindow(HWND hwnd, clsWndMsg* target);
LRESULT CALLBACK HookWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// The procedure the window had before HookWindow, with the same four values:
// what a sink calls when it wants the default handling.
LRESULT CallOldWndProc(HWND hwnd, int32_t uMsg, WPARAM wParam, LPARAM lParam);

// Truncating remainder of x / 65536 (keeps the sign of x).
int32_t LoWord(int32_t x);
// x / 65536 rounded to the nearest integer, an exact half to the even one.
int32_t HiWord(int32_t x);
