// A whole file as bytes, for tests and the benchmark reading what a
// program wrote.
#pragma once
#include <cstdio>
#include <optional>
#include <string>

// The file's bytes; nothing when it cannot be opened.
inline std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    fclose(f);
    return bytes;
}
