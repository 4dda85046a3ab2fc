#include "CatalogueFile.h"

#include <windows.h>

#include "CatalogueGroup.h"
#include "CatalogueSchema.h"
#include "Settings.h"

namespace {

// True when there is no file, or a file without a byte: what a start used
// to leave behind when the library was missing.
bool NothingToLose(const std::wstring& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
}

std::wstring FullPath(const std::wstring& file) {
    const DWORD size = GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);
    if (size == 0) return file;
    std::wstring full(size, L'\0');
    const DWORD n = GetFullPathNameW(file.c_str(), size, full.data(), nullptr);
    if (n == 0 || n >= size) return file;
    full.resize(n);
    return full;
}

}  // namespace

void MakeMissingCatalogue() {
    if (!NothingToLose(DbFileName)) return;
    CatalogueGroup group;
    group.ExecAll({kCatalogueSchema});
}

std::wstring UnreadableCatalogueMessage() {
    return L"无法读取游戏库“" + FullPath(DbFileName) +
           L"”：文件可能已损坏，或正被其他程序使用。游戏库中的游戏无法显示，也无法添加新游戏。";
}
