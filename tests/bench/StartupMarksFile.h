// The file "startup.marks" in which a benchmarked program leaves, in its
// current folder, the performance-counter ticks at which its start reached
// each step: one line "<step>\t<ticks>" per step, the first time only.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

inline constexpr wchar_t kMarksFile[] = L"startup.marks";

class MarkRecorder {
public:
    // False when the step was reached before.
    bool Mark(const std::string& step) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        for (const auto& m : marks_)
            if (m.first == step) return false;
        marks_.emplace_back(step, now.QuadPart);
        return true;
    }
    // Written at once as a whole, so a reader never sees half of it.
    void Save() const {
        std::string text;
        for (const auto& [step, ticks] : marks_) text += step + "\t" + std::to_string(ticks) + "\n";
        const std::wstring part = std::wstring(kMarksFile) + L".part";
        HANDLE f = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(f);
        MoveFileExW(part.c_str(), kMarksFile, MOVEFILE_REPLACE_EXISTING);
    }

private:
    std::vector<std::pair<std::string, long long>> marks_;
};
