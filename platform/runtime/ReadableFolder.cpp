#include "ReadableFolder.h"

#include <optional>

#include "App.h"
#include "LocalPath.h"

namespace {

std::optional<std::wstring>& Named() {
    static std::optional<std::wstring> folder;
    return folder;
}

}  // namespace

std::wstring ReadableFolder() { return Named() ? *Named() : App::Path(); }

void ReadableFolder(const std::wstring& folder) { Named() = folder; }

bool IsReadableFile(std::wstring_view path) { return IsPlainPathInside(path, ReadableFolder()); }
