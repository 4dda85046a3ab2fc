#include "GameRun.h"

#include <windows.h>

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
    if (h == INVALID_HANDLE_VALUE) return true;
    CloseHandle(h);
    return false;
}

std::wstring PlayerFile() { return ProgramFile(L"Pellow.exe"); }

std::wstring HandOffFailedMessage(const std::wstring& name) {
    return L"“" + name + L"”无法在游戏浏览器中打开：游戏浏览器没有响应。";
}

namespace {

// Starting another program reports nothing when it fails.
void StartQuietly(const std::wstring& commandLine, VbAppWinStyle style) {
    try {
        Shell(commandLine, style);
    } catch (const RaisedError&) {
    }
}

}  // namespace

void MainMe::GameRun() {
    CatalogueGroup group;
    if (!group.Open()) return;
    CatalogueQuery query(group, L"Select * From [Games]  Where [G_Name] = '" + SqlText(G_GameName) + L"'");
    while (query.Step()) {
        if (query.Int(5) == 1)
            RunFlashGame(query.Text(2), query.Text(4));
        else
            RunWebGame(query.Text(4));
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
