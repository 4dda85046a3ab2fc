// A fresh folder under the system temporary folder, removed with its
// contents when the object goes away.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

class TempDir {
public:
    TempDir() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static LONG counter = 0;
        path_ = std::wstring(base) + L"orvane_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(InterlockedIncrement(&counter)) + L"_" + std::to_wstring(GetTickCount());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempDir() {
        std::wstring from = path_ + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::wstring& Path() const { return path_; }                   // without trailing "\"
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};
