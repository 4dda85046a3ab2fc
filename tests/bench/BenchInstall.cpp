#include "BenchInstall.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "CatalogueGroup.h"
#include "FileBytes.h"
#include "RaisedError.h"
#include "Settings.h"
#include "SqlText.h"

std::vector<Installation> FindInstallations(const std::wstring& libraries) {
    std::vector<Installation> found;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((libraries + L"\\lib*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            found.push_back({_wtoi(entry.cFileName + 3), libraries + L"\\" + entry.cFileName});
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(found.begin(), found.end(), [](const Installation& a, const Installation& b) { return a.games < b.games; });
    return found;
}

void UseInstallation(const std::wstring& folder) {
    WriteSettings(folder);
    SetCurrentDirectoryW(folder.c_str());
}

void FillLibrary(const Installation& installation) {
    const std::optional<std::string> names = ReadFileBytes(installation.folder + L"\\names.txt");
    if (!names) throw RaisedError(3, "bench", "no names.txt in an installation");
    const std::string& text = *names;
    UseInstallation(installation.folder);
    CatalogueGroup group;
    group.Exec(L"BEGIN");
    int added = 0;
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1, ++added) {
        const std::string utf8 = text.substr(at, end - at);
        std::wstring name(utf8.size(), L'\0');
        name.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), name.data(),
                                        static_cast<int>(name.size())));
        group.Exec(L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,G_Type,G_Favorite) Values('" + SqlText(name) +
                   L"','intro','http://127.0.0.1:8470/game/1.html',1,1)");
    }
    group.Exec(L"COMMIT");
    if (added != installation.games) throw RaisedError(3, "bench", "names.txt does not list the installation's games");
}
