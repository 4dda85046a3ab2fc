// The command line that opens an address in the user's web browser through
// Explorer. Pure logic, no windows.h.
#pragma once
#include <string>

// "Explorer.exe /s , " followed by the address. The address stays one
// argument: a double quote in it is written as %22 (it cannot be part of an
// address anyway) and an address with blanks is put in quotes.
std::wstring ExplorerCommandLine(const std::wstring& address);
