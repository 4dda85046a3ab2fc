// What this process holds that a leak makes grow: its top-level windows and
// its GDI objects. Wine answers GetGuiResources with 0; there the objects are
// counted in the process's GDI handle table, which Wine keeps where Windows
// does (the PEB's GdiSharedHandleTable) in entries of its own layout.
#pragma once
#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>

// Top-level windows of this process, hidden ones included.
inline int TopLevelWindowCount() {
    int count = 0;
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL __attribute__((stdcall)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == GetCurrentProcessId()) ++*reinterpret_cast<int*>(p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

inline int GdiObjectCount() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    // Wine's entry: the object, its owner, a generation, the type (0 when
    // the entry is free), flags and a user pointer; 64-bit fields on both
    // pointer widths.
    struct Entry {
        uint64_t object;
        uint32_t owner;
        uint16_t unique;
        uint8_t type;
        uint8_t flags;
        uint64_t user;
    };
    static_assert(sizeof(Entry) == 24);
    constexpr size_t kEntries = 0x10000;
    constexpr size_t kTableAt = sizeof(void*) == 8 ? 0xF8 : 0x94;  // offset in the PEB
    const auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const Entry* const*>(peb + kTableAt);
    if (!table) return -1;
    int count = 0;
    for (size_t i = 0; i < kEntries; ++i)
        if (table[i].type) ++count;
    return count;
}
