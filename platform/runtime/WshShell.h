// The registry functions of the scripting shell object, by which the launcher
// keeps its start-with-Windows value under the machine's "Run" key: read
// (which also tells whether the value exists), write as REG_SZ, delete.
// Paths are full value paths (see RegistryPath.h). Failures raise errors.
#pragma once
#include <string>

class WshShell {
public:
    // The value's data as text (a four-byte number as its decimal digits,
    // other data empty); raises when there is no such value or key.
    std::wstring RegRead(const std::wstring& path) const;
    // Writes the value, creating its key when needed; `type` "REG_SZ".
    void RegWrite(const std::wstring& path, const std::wstring& value, const std::wstring& type = L"REG_SZ") const;
    // Deletes the value, or the key of a path ending in "\"; raises when absent.
    void RegDelete(const std::wstring& path) const;
};
