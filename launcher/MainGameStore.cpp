#include "MainGameStore.h"

#include <windows.h>

#include <vector>

#include "DownloadErrors.h"
#include "DownloadName.h"
#include "SqlText.h"
#include "Settings.h"
#include "mSqlite.h"

std::wstring ProgramFolder() {
    return !AppDir.empty() && AppDir.back() == L'\\' ? AppDir.substr(0, AppDir.size() - 1) : AppDir;
}

StoredGame LookUpGame(const std::wstring& name) {
    StoredGame game;
    intptr_t db = 0, stmt = 0, tail = 0;
    if (SqliteStartup(AppDir) == 0 && SqliteOpen(DbFileName, db) == 0 &&
        SqlitePrepare(db, L"Select * From [Games]  Where [G_Name] = '" + SqlText(name) + L"'", 0, stmt, tail) == 0 &&
        SqliteStep(stmt) == SQLITE_ROW_) {
        game.found = true;
        game.wUrl = SqliteColumnText(stmt, 4);
    }
    SqliteFinalize(stmt);
    SqliteClose(db);
    SqliteShutdown();
    return game;
}

void ExecOnLibrary(const std::wstring& statement) {
    intptr_t db = 0;
    if (SqliteStartup(AppDir) == 0 && SqliteOpen(DbFileName, db) == 0) SqliteExec(db, statement);
    SqliteClose(db);
    SqliteShutdown();
}

namespace {

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool GiveFinalNames(std::initializer_list<FinalName> files) {
    for (const FinalName& f : files)
        if (!IsPlainFileName(f.downloaded) || !IsFile(PathInFolder(f.folder, f.downloaded))) return false;
    std::vector<const FinalName*> done;
    for (const FinalName& f : files) {
        const std::wstring from = PathInFolder(f.folder, f.downloaded), to = PathInFolder(f.folder, f.final);
        if (from == to) {
            done.push_back(&f);
            continue;
        }
        // An older file of the game goes first; if it will not go, the rename fails below.
        DeleteFileW(to.c_str());
        if (!MoveFileW(from.c_str(), to.c_str())) {
            for (const FinalName* back : done)
                MoveFileW(PathInFolder(back->folder, back->final).c_str(),
                          PathInFolder(back->folder, back->downloaded).c_str());
            return false;
        }
        done.push_back(&f);
    }
    return true;
}

std::wstring UnusableNameMessage(const std::wstring& name) {
    return L"游戏名称“" + name + L"”不能用作文件名，无法添加该游戏。";
}

std::wstring UnusableAddressMessage(const std::wstring& name) {
    return L"游戏“" + name + L"”的图片或影片地址不是网络地址，无法添加该游戏。";
}

std::wstring DownloadFailedMessage(const std::wstring& name, long code) {
    std::wstring reason = DownErrorText(code);
    if (reason.empty()) reason = L"错误 " + std::to_wstring(code);
    return L"“" + name + L"”下载失败：" + reason;
}

std::wstring SaveFailedMessage(const std::wstring& name) {
    return L"“" + name + L"”下载失败：" + DownErrorText(kDownSaveFailed);
}
