// Where a download lands: the file name taken from the address and the
// full path inside the target folder.
#pragma once
#include <string>

// The last "/"-separated segment of the address, taken as it is (an address
// ending in "/" names no file and gives empty text).
std::wstring FileNameFromAddress(const std::wstring& address);

// True when name stands for one file directly inside a folder: not empty,
// not "." or "..", and free of "\", "/" and ":", which would lead into
// another folder or a stream of another file.
bool IsPlainFileName(const std::wstring& name);

// folder and name joined by exactly one backslash, whether or not the folder
// ends with one.
std::wstring PathInFolder(const std::wstring& folder, const std::wstring& name);
