#include "BenchMemory.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "FileBytes.h"

const char* const kMemoryOrigins[5] = {"Wine's libraries", "system libraries and fonts", "window surfaces (shared with X)",
                                       "program files", "private memory"};

namespace {

std::string ReadAll(const std::wstring& path) { return ReadFileBytes(path).value_or(""); }

// The Linux process whose command line starts with the program's path.
std::wstring ProcFolderOf(const std::wstring& exePath) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, exePath.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string want(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, exePath.c_str(), -1, want.data(), n, nullptr, nullptr);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::wstring folder;
    do {
        if (!iswdigit(found.cFileName[0])) continue;
        const std::wstring candidate = std::wstring(L"Z:\\proc\\") + found.cFileName;
        const std::string line = ReadAll(candidate + L"\\cmdline");
        if (_stricmp(line.c_str(), want.c_str()) == 0) folder = candidate;
    } while (folder.empty() && FindNextFileW(search, &found));
    FindClose(search);
    return folder;
}

const char* OriginOf(const std::string& mapped) {
    auto ends = [&](const char* tail) {
        const size_t n = strlen(tail);
        return mapped.size() >= n && _stricmp(mapped.c_str() + mapped.size() - n, tail) == 0;
    };
    if (mapped.empty() || mapped[0] == '[') return kMemoryOrigins[4];
    if (mapped.rfind("/SYSV", 0) == 0) return kMemoryOrigins[2];
    if (mapped.find("/wine/") != std::string::npos || mapped.find("/wine-") != std::string::npos) return kMemoryOrigins[0];
    if (ends(".exe") || ends(".dll")) return kMemoryOrigins[3];
    return kMemoryOrigins[1];
}

}  // namespace

MemoryByOrigin MemoryOf(const std::wstring& exePath) {
    MemoryByOrigin by;
    const std::wstring folder = ProcFolderOf(exePath);
    if (folder.empty()) return by;
    const std::string smaps = ReadAll(folder + L"\\smaps");
    const char* origin = kMemoryOrigins[4];
    size_t at = 0;
    while (at < smaps.size()) {
        size_t end = smaps.find('\n', at);
        if (end == std::string::npos) end = smaps.size();
        const std::string line = smaps.substr(at, end - at);
        at = end + 1;
        unsigned long long lo, hi;
        char perms[8];
        int consumed = 0;
        if (sscanf(line.c_str(), "%llx-%llx %7s %*s %*s %*s%n", &lo, &hi, perms, &consumed) == 3) {
            std::string mapped = line.substr(consumed);
            mapped.erase(0, mapped.find_first_not_of(' '));
            origin = OriginOf(mapped);
        } else if (line.rfind("Rss:", 0) == 0) {
            by[origin] += std::strtod(line.c_str() + 4, nullptr) / 1024.0;
        }
    }
    return by;
}
