// Names the folder whose files the views may read, for one test, and puts
// the earlier one back after it. For tests that link platform_runtime.
#pragma once
#include <string>

#include "ReadableFolder.h"

class ReadableFolderScope {
public:
    explicit ReadableFolderScope(const std::wstring& folder) : old_(ReadableFolder()) { ReadableFolder(folder); }
    ~ReadableFolderScope() { ReadableFolder(old_); }
    ReadableFolderScope(const ReadableFolderScope&) = delete;
    ReadableFolderScope& operator=(const ReadableFolderScope&) = delete;

private:
    std::wstring old_;
};
