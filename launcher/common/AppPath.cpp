#include "AppPath.h"

#include <windows.h>

std::wstring FolderOfModulePath(const std::wstring& modulePath) {
    const size_t slash = modulePath.find_last_of(L'\\');
    if (slash == std::wstring::npos) return modulePath;
    std::wstring folder = modulePath.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring AppPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOfModulePath(path);
}
