// The one folder whose files the views (the browser view, the Flash player)
// read when an address names a local file: the program folder with its
// skins, help and animations. It is App::Path() unless the program names
// its folder (the launcher names the folder of its settings).
#pragma once
#include <string>
#include <string_view>

std::wstring ReadableFolder();
void ReadableFolder(const std::wstring& folder);

// A plain path below the readable folder (IsPlainPathInside): never a
// network, device or relative path.
bool IsReadableFile(std::wstring_view path);
