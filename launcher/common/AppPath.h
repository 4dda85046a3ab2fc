// The program folder as the platform reports it: no trailing backslash,
// except for a drive root ("C:\").
#pragma once
#include <string>

std::wstring AppPath();
// The folder part of a full module path, by the same rule.
std::wstring FolderOfModulePath(const std::wstring& modulePath);
