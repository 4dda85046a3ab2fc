#include "FlashGame.h"

#include "CTabItems.h"

#include "FlashGameLayout.h"
#include "MainFrm.h"
#include "FlashGameMovie.h"
#include "IuTab.h"
#include "MsgBox.h"
#include "Settings.h"
#include "SqlText.h"
#include "Twips.h"
#include "mSqlite.h"

FlashGame::FlashGame() {
    Caption(L"FlashGame");
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(11880, 9270);

    Pic_Btn.Move(0, 7470, 11895, FlashGameLayout::kToolBarHeight);
    Pic_Btn.AutoRedraw(true);
    ImgLeft.Move(0, 0, 125, 780);
    Eject_ToolBg_L.Move(900, 0, 10, 780);
    ImgRight.Move(11760, 0, 125, 780);

    Pic_Say.Move(0, 8400, 11895, FlashGameLayout::kToolBarHeight);
    Pic_Say.BackColor(RGB(182, 244, 244));
    Pic_Say.Visible(false);
    Label1.Move(960, 300, 975, 255);
    Label1.Caption(L"操作说明：");
    Label1.BackStyle(Label::BackStyleConstants::Transparent);
}

FlashGame::~FlashGame() { DestroyComponents(); }

std::wstring FlashGame::ProgramFolder() const {
    std::wstring folder = AppDir;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

void FlashGame::Form_Load() {
    CreateComponents();
    WireEvents();
    FlashReplay->Move(0, 0, TwipsToPixels(11895), TwipsToPixels(7465));
}

void FlashGame::Initialize(IuTab* Implement, CTabItem* Item) {
    tabHost_ = Implement;
    tabItem_ = Item;
}

void FlashGame::URL(const std::wstring& UrlValue, const std::wstring& IntroduceValue, const std::wstring& Swf_Url) {
    gameName_ = UrlValue;
    Caption(gameName_);
    Icon(TheMainFrm().Icon());

    objStyle = std::make_unique<cSetStyle>();
    objStyle->CloseClick = [this] { objStyle_CloseClick(); };
    objStyle->objForm(this);
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
    if (SqliteStartup(AppDir) == SQLITE_OK_ && SqliteOpen(DbFileName, db_) == SQLITE_OK_) {
        // The name goes in quoted by the catalogue's own rule, so an
        // apostrophe in it cannot end the literal and touch other rows.
        const std::wstring sql = L"Update [Games] Set [G_Favorite] = 2 Where [G_Name] = '" + SqlText(gameName_) + L"'";
        if (SqliteExec(db_, sql) == SQLITE_OK_) MsgBox(L"收藏成功", MB_OK);
    }
    SqliteClose(db_);
    db_ = 0;
    SqliteShutdown();
}

void FlashGame::web_close_Click() { Unload(); }

void FlashGame::web_min_Click() { WindowState(FormWindowStateConstants::Minimized); }

void FlashGame::Form_Unload(int& Cancel) {
    objStyle.reset();
    if (popMode_ != 1 && tabHost_) tabHost_->TabItems().Selected(1);
}
