// How the test programs run under Wine (cmake/wine64.sh): with the kernel's
// address-space randomization off, for them and for the programs they
// start, so that Wine always finds the page of Windows' shared user data
// free and no program ends before its first line.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "ChildProcess.h"

namespace {

constexpr unsigned long kAddrNoRandomize = 0x0040000;  // a flag of the Linux personality

// A file of the Linux side read whole (Wine reads /proc like any folder; Z: is /).
std::string LinuxFile(const std::wstring& path) {
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char block[4096];
    DWORD read = 0;
    while (ReadFile(file, block, sizeof block, &read, nullptr) && read > 0) text.append(block, read);
    CloseHandle(file);
    return text;
}

// The Linux process whose command line has the word as one of its
// arguments, or an empty string.
std::wstring LinuxProcessWith(const std::string& word) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return L"";
    std::wstring pid;
    do {
        const std::wstring name = found.cFileName;
        if (name.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
        const std::string arguments = LinuxFile(L"Z:\\proc\\" + name + L"\\cmdline");
        if (arguments.find(std::string(1, '\0') + word + '\0') != std::string::npos) pid = name;
    } while (pid.empty() && FindNextFileW(search, &found));
    FindClose(search);
    return pid;
}

// "--role=wait <word>": waits to be found, and ended.
const bool kRolePlayed = [] {
    if (!wcsstr(GetCommandLineW(), L" --role=wait ")) return false;
    Sleep(60000);
    ExitProcess(0);
}();

TEST(WineStart, AProgramATestStartsRunsWithoutAddressRandomization) {
    // It has the layout of the test program that started it, which the test
    // wrapper started.
    const std::string word = "wine-start-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    ChildProcess started(Quoted(SelfPath()) + L" --role=wait " + std::wstring(word.begin(), word.end()));
    ASSERT_TRUE(started.Started());
    std::wstring pid;
    ASSERT_TRUE(PumpUntil([&] { return !(pid = LinuxProcessWith(word)).empty(); }, 10000));
    const unsigned long personality = std::strtoul(LinuxFile(L"Z:\\proc\\" + pid + L"\\personality").c_str(), nullptr, 16);
    EXPECT_NE(personality & kAddrNoRandomize, 0ul) << "personality " << std::hex << personality;
}

}  // namespace
