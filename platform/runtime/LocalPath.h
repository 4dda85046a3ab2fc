// Local paths the program's views may read: plain drive paths inside one
// folder. Pure text logic, free of windows.h.
#pragma once
#include <string_view>

// True when `path` names something below `folder` (a drive path such as
// "C:\Games\Orvane", with or without its last "\") and is written plainly:
// a drive path, "\" or "/" between segments, no "." or ".." segment, no
// stream name (":") and no segment ending in a dot or a blank, which Windows
// would drop so that the path names another file. A network, device or
// relative path is never below a folder. Letter case is ignored.
bool IsPlainPathInside(std::wstring_view path, std::wstring_view folder);
