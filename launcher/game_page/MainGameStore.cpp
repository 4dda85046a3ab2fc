#include "MainGameStore.h"

#include <windows.h>

#include "CatalogueGroup.h"
#include "DownloadErrors.h"
#include "SqlText.h"
#include "Settings.h"
#include "UtfToGb.h"
#include "mSqlite.h"

std::wstring ProgramFolder() {
    return !AppDir.empty() && AppDir.back() == L'\\' ? AppDir.substr(0, AppDir.size() - 1) : AppDir;
}

StoredGame LookUpGame(const std::wstring& name) {
    CatalogueGroup group;
    {
        CatalogueQuery exact(group, L"Select * From [Games]  Where [G_Name] = '" + SqlText(name) + L"'");
        if (exact.Step()) return {true, name, exact.Text(4)};
    }
    CatalogueQuery every(group, L"Select * From [Games]");
    while (every.Step()) {
        const std::wstring stored = Utf8UrlDecode(every.Text(1));
        if (CompareStringOrdinal(stored.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
            return {true, stored, every.Text(4)};
    }
    return {};
}

bool ExecOnLibrary(const std::wstring& statement) {
    CatalogueGroup group;
    return group.Exec(statement) == SQLITE_OK_;
}

std::wstring UnusableNameMessage(const std::wstring& name) {
    return L"游戏名称“" + name + L"”不能用作文件名，无法添加该游戏。";
}

std::wstring UnusableAddressMessage(const std::wstring& name) {
    return L"游戏“" + name + L"”的图片或影片地址不是网络地址，无法添加该游戏。";
}

namespace {

std::wstring FailedBecause(const std::wstring& name, const std::wstring& reason) {
    return L"“" + name + L"”下载失败：" + reason;
}

}  // namespace

std::wstring DownloadFailedMessage(const std::wstring& name, long code) {
    const std::wstring reason = DownErrorText(code);
    return FailedBecause(name, reason.empty() ? L"错误 " + std::to_wstring(code) : reason);
}

std::wstring NotAPictureMessage(const std::wstring& name) { return FailedBecause(name, L"游戏图片不是图片文件"); }

std::wstring NotAMovieMessage(const std::wstring& name) { return FailedBecause(name, L"游戏文件不是Flash影片"); }

std::wstring SaveFailedMessage(const std::wstring& name) { return FailedBecause(name, DownErrorText(kDownSaveFailed)); }

std::wstring NotSavedMessage(const std::wstring& name) {
    return L"“" + name + L"”无法保存到游戏库：游戏库无法打开或写入。";
}
