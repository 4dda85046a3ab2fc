// A launcher set up for a test: the settings pointing at a program folder,
// the current directory a fresh folder with its own copy of the catalogue
// database, and process starts and the program's end recorded instead of
// done.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "App.h"
#include "CatalogueGroup.h"
#include "Settings.h"
#include "Shell.h"
#include "TempDir.h"
#include "launcher_test_files.h"
#include "test_paths.h"

// The assembled program folder, without the trailing "\".
inline std::wstring DistFolder() {
    std::wstring d = kDistDir;
    if (!d.empty() && d.back() == L'\\') d.pop_back();
    return d;
}

class LauncherEnv {
public:
    explicit LauncherEnv(const std::wstring& programFolder = DistFolder()) {
        CopyFileW((DistFolder() + L"\\npGameData.DLL").c_str(), dir.File(L"npGameData.DLL").c_str(), FALSE);
        wchar_t cwd[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, cwd);
        oldDir_ = cwd;
        SetCurrentDirectoryW(dir.Path().c_str());
        WriteSettings(programFolder);
        oldShell_ = ShellHook();
        ShellHook() = [this](const std::wstring& line, VbAppWinStyle style) {
            shells.push_back(line);
            styles.push_back(style);
            return DWORD{4242};
        };
        oldEnd_ = EndHook();
        EndHook() = [this] { ++ends; };
    }
    ~LauncherEnv() {
        ShellHook() = oldShell_;
        EndHook() = oldEnd_;
        SetCurrentDirectoryW(oldDir_.c_str());
    }
    LauncherEnv(const LauncherEnv&) = delete;
    LauncherEnv& operator=(const LauncherEnv&) = delete;

    // Runs statements on the test's database in one transaction.
    void Exec(const std::vector<std::wstring>& statements) {
        CatalogueGroup group;
        group.Exec(L"BEGIN");
        for (const auto& s : statements) group.Exec(s);
        group.Exec(L"COMMIT");
    }
    void Exec(const std::wstring& statement) { Exec(std::vector<std::wstring>{statement}); }
    // One integer read from the database (-1 without a row).
    int QueryInt(const std::wstring& sql) {
        CatalogueGroup group;
        CatalogueQuery q(group, sql);
        return q.Step() ? q.Int(0) : -1;
    }

    TempDir dir;
    std::vector<std::wstring> shells;
    std::vector<VbAppWinStyle> styles;
    int ends = 0;

private:
    std::wstring oldDir_;
    ShellHandler oldShell_;
    std::function<void()> oldEnd_;
};

// A program folder of the test's own: sqlite3.dll and the skins copied from
// the assembled one, an empty Jpgs folder, and with `player` the player
// stand-in as Pellow.exe.
class TestProgramFolder {
public:
    explicit TestProgramFolder(bool player = false) {
        CopyFileW((DistFolder() + L"\\sqlite3.dll").c_str(), dir.File(L"sqlite3.dll").c_str(), FALSE);
        std::wstring from = DistFolder() + L"\\Skin" + L'\0';
        std::wstring to = dir.Path() + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_COPY;
        op.pFrom = from.c_str();
        op.pTo = to.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
        CreateDirectoryW(dir.File(L"Jpgs").c_str(), nullptr);
        if (player) CopyFileW((std::wstring(kLauncherTestDir) + L"fake_pellow.exe").c_str(), dir.File(L"Pellow.exe").c_str(), FALSE);
    }
    const std::wstring& Path() const { return dir.Path(); }
    // Puts one of the test thumbnails in place as Jpgs\<name>.jpg.
    void Thumb(const std::wstring& name, const std::wstring& file) {
        CopyFileW((std::wstring(kThumbDir) + file).c_str(), dir.File(L"Jpgs\\" + name + L".jpg").c_str(), FALSE);
    }

    TempDir dir;
};
