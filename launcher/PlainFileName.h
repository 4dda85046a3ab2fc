// Whether a game's name can stand as a file name inside one folder: no path
// separators, drive colons or wildcard characters, no control characters,
// not "." or "..", not ending in a dot or blank, and no reserved device
// name (CON, NUL, COM1, LPT1, ...). Pure text logic, free of windows.h.
#pragma once
#include <string>

bool IsPlainFileName(const std::wstring& name);
