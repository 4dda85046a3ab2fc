#include "BenchInstall.h"

#include <windows.h>
#include <shellapi.h>

#include "CatalogueGroup.h"
#include "Settings.h"
#include "SqlText.h"

bool CopyFolder(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    std::wstring source = from + L"\\*" + L'\0';
    std::wstring target = to + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_COPY;
    op.pFrom = source.c_str();
    op.pTo = target.c_str();
    op.fFlags = FOF_NO_UI;
    return SHFileOperationW(&op) == 0;
}

void UseInstallation(const std::wstring& folder) {
    WriteSettings(folder);
    SetCurrentDirectoryW(folder.c_str());
}

std::wstring BenchGameName(int i) {
    static const wchar_t* const words[] = {L"疯狂赛车", L"宝石消除", L"森林探险", L"海底世界",
                                           L"功夫小子", L"泡泡龙",   L"三国战记", L"魔法城堡"};
    return words[i % 8] + std::to_wstring(i);
}

void FillLibrary(const std::wstring& folder, const std::wstring& photos, int photoCount, int games) {
    UseInstallation(folder);
    CatalogueGroup group;
    group.Exec(L"BEGIN");
    for (int i = 1; i <= games; ++i) {
        const std::wstring name = BenchGameName(i);
        group.Exec(L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,G_Type,G_Favorite) Values('" + SqlText(name) +
                   L"','intro','http://127.0.0.1:8470/game/1.html',1,1)");
        // Links cost little where a library has tens of thousands of pictures.
        const std::wstring photo = photos + L"\\" + std::to_wstring((i - 1) % photoCount) + L".jpg";
        const std::wstring thumb = folder + L"\\Jpgs\\" + name + L".jpg";
        if (!CreateHardLinkW(thumb.c_str(), photo.c_str(), nullptr)) CopyFileW(photo.c_str(), thumb.c_str(), FALSE);
    }
    group.Exec(L"COMMIT");
}
