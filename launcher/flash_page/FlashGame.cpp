#include "FlashGame.h"

#include "CTabItems.h"
#include "FlashGameLayout.h"
#include "FlashGameMovie.h"
#include "HandlerScope.h"
#include "IuTab.h"
#include "MainFrm.h"
#include "MsgBox.h"
#include "Settings.h"
#include "SqlText.h"
#include "mSqlite.h"
#include "mdlTabAPI.h"

FlashGame::FlashGame() {
    Caption(L"FlashGame");
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(11880, 9270);
    DesignControls();
}

FlashGame::~FlashGame() = default;

std::wstring FlashGame::ProgramFolder() const {
    std::wstring folder = AppDir;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

void FlashGame::Form_Load() {
    FlashReplay.Move(0, 0, 11895, 7465);
    // Children lie in the order they were made; each of these goes on top, so
    // the later over the earlier: the caption buttons over the title bar, the
    // movie over both (a page in its tab does not show them), the tool bar and
    // help panel over the movie, and the help panel's scroll buttons over its
    // browser, whose right edge reaches under them.
    for (HWND above : {web_min.hwnd(), web_close.hwnd(), FlashReplay.hwnd(), Pic_Btn.hWnd(), Pic_Say.hWnd(),
                       PicUp.hwnd(), PicDown.hwnd()})
        SetWindowPos(above, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The browser view does not clip its siblings: it would paint over the
    // scroll buttons it lies under.
    ModifyWindowLong(WebBrowser1.hwnd(), GWL_STYLE, 0, WS_CLIPSIBLINGS, 0);
}

void FlashGame::Initialize(IuTab* Implement, CTabItem* Item) {
    tabHost_ = Implement;
    tabItem_ = Item;
}

void FlashGame::URL(const std::wstring& UrlValue, const std::wstring& IntroduceValue, const std::wstring& Swf_Url) {
    gameName_ = UrlValue;
    Caption(gameName_);
    Icon(TheMainFrm().Icon());

    objStyle = std::make_shared<cSetStyle>();
    objStyle->CloseClick = [this] { objStyle_CloseClick(); };
    objStyle->objForm(this);
    objStyle->MinimumSize(FlashGameLayout::kPopMinWidth, FlashGameLayout::kPopMinHeight);
    objStyle->SetWindowStyle(hWnd());

    WebBForm->Caption(Caption());
    WebBForm->frmHwnd(hWnd());
    popMode_ = 0;

    const std::wstring folder = ProgramFolder();
    FlashReplay->LoadMovie(0, LeadInMovie(folder));
    FlashReplay->LoadMovie(0, GameMovie(folder, gameName_, Swf_Url, GetGameUrl()));
    FlashReplay->Playing(true);
    FlashReplay->Menu(false);
    FlashReplay->ScaleMode(2);

    Skin();
    WriteHelpPage(IntroduceValue);
}

void FlashGame::Eject_Tool_Replay_Click() {
    const std::wstring folder = ProgramFolder();
    FlashReplay->LoadMovie(0, ReplayMovie(folder));
    FlashReplay->LoadMovie(0, SavedMovie(folder, gameName_));
    FlashReplay->Playing(true);
}

void FlashGame::Eject_Tool_Filling_Click() { FlashReplay->ScaleMode(Eject_Tool_Filling->Value() ? 0 : 2); }

void FlashGame::Eject_Tool_Favorite_Click() {
    bool ran = false;
    int32_t changed = 0;
    if (SqliteStartup(AppDir) == SQLITE_OK_ && SqliteOpen(DbFileName, db_) == SQLITE_OK_) {
        // The name goes in quoted by the catalogue's own rule, so an
        // apostrophe in it cannot end the literal and touch other rows.
        const std::wstring sql = L"Update [Games] Set [G_Favorite] = 2 Where [G_Name] = '" + SqlText(gameName_) + L"'";
        ran = SqliteExec(db_, sql) == SQLITE_OK_;
        if (ran) changed = SqliteChanges(db_);
    }
    SqliteClose(db_);
    db_ = 0;
    SqliteShutdown();
    // Only now: while the box is up, other work on the catalogue may start
    // and shut the library down.
    if (!ran) return;
    if (changed > 0) MsgBox(L"收藏成功", MB_OK);
    else MsgBox(L"“" + gameName_ + L"”已不在游戏库中，无法收藏。", MB_OK | MB_ICONEXCLAMATION);
}

void FlashGame::web_close_Click() { Unload(); }

void FlashGame::web_min_Click() { WindowState(FormWindowStateConstants::Minimized); }

void FlashGame::Form_Unload(int& Cancel) {
    // The system close command reaches this unload from inside objStyle's own
    // message handling: it goes when that handler has returned.
    if (objStyle) HandlerScope::ReleaseAfterHandlers(std::move(objStyle));
    // Without a host the page has already left its tab.
    if (popMode_ != 1 && tabHost_) tabHost_->TabItems().Selected(1);
}
