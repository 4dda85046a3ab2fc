// A program's working set under Wine by where its pages come from, read
// from its Linux process: /proc, which Wine shows as Z:\proc, where the
// process is found by its command line (the program's full path).
#pragma once
#include <map>
#include <string>

// Megabytes by origin; empty when the process was not found.
using MemoryByOrigin = std::map<std::string, double>;

MemoryByOrigin MemoryOf(const std::wstring& exePath);

// The origins in the order a table shows them.
extern const char* const kMemoryOrigins[5];
