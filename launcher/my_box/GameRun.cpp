#include "GameRun.h"

#include <windows.h>

#include <vector>

#include "BrowserCommand.h"
#include "CatalogueGroup.h"
#include "CTabItems.h"
#include "FlashGame.h"
#include "IuTab.h"
#include "MainMe.h"
#include "MsgBox.h"
#include "ProgramFiles.h"
#include "RaisedError.h"
#include "Shell.h"
#include "SqlText.h"

bool IsFileLocked(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return false;
    }
    // Only another open of the file says that a program holds it; missing
    // rights or a missing file say nothing of the kind.
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

std::wstring PlayerFile() { return ProgramFile(L"Pellow.exe"); }

std::wstring HandOffFailedMessage(const std::wstring& name) {
    return L"“" + name + L"”无法在游戏浏览器中打开：游戏浏览器没有响应。";
}

std::wstring PlayerMissingMessage(const std::wstring& name) {
    return L"“" + name + L"”无法在游戏浏览器中打开：找不到游戏浏览器程序“" + PlayerFile() + L"”。";
}

namespace {

bool IsFileMissing(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Starting another program reports nothing when it fails.
void StartQuietly(const std::wstring& commandLine, VbAppWinStyle style) {
    try {
        Shell(commandLine, style);
    } catch (const RaisedError&) {
    }
}

}  // namespace

void MainMe::GameRun() {
    struct Row {
        int32_t type;
        std::wstring introduce, address;
    };
    std::vector<Row> rows;
    {
        CatalogueGroup group;
        if (!group.Open()) return;
        CatalogueQuery query(group, L"Select * From [Games]  Where [G_Name] = '" + SqlText(G_GameName) + L"'");
        while (query.Step()) rows.push_back({query.Int(5), query.Text(2), query.Text(4)});
    }
    // The group has ended before the game runs: a message box on the way
    // runs other handlers, whose changes must not wait for this read's lock.
    for (const Row& row : rows) {
        if (row.type == 1)
            RunFlashGame(row.introduce, row.address);
        else
            RunWebGame(row.address);
    }
}

void MainMe::RunFlashGame(const std::wstring& introduce, const std::wstring& movie) {
    if (!host_) return;
    CTabItems& items = host_->TabItems();
    const long found = items.FindItem(G_GameName);
    if (found != -1) {
        items.Selected(found);  // the movie is not loaded again
        return;
    }
    auto page = std::make_shared<FlashGame>();
    page->URL(G_GameName, introduce, movie);
    items.Add(G_GameName, page, G_GameName);
    items.Selected(items.Count() - 1);
}

void MainMe::RunWebGame(const std::wstring& address) {
    if (address.find(kStudioMarker) != std::wstring::npos) {
        StartQuietly(InternetExplorerCommandLine(address), VbAppWinStyle::MaximizedFocus);
        return;
    }
    if (IsFileMissing(PlayerFile())) {
        MsgBox(PlayerMissingMessage(G_GameName), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (IsFileLocked(PlayerFile())) {
        // The player runs: the address goes to it; the conversation stays open.
        try {
            Picture3.LinkTopic(kPlayerLink);
            Picture3.LinkMode(2);
            Picture3.LinkExecute(address);
        } catch (const RaisedError&) {
            MsgBox(HandOffFailedMessage(G_GameName), MB_OK | MB_ICONEXCLAMATION);
        }
        return;
    }
    // The program path quoted, so a program folder with blanks starts the
    // right file; the player takes the rest of its command line as the address.
    StartQuietly(L"\"" + PlayerFile() + L"\" " + address, VbAppWinStyle::NormalFocus);
}
