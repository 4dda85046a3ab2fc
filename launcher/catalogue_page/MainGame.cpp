#include "MainGame.h"

#include <algorithm>

#include "AddStage.h"
#include "CTabItem.h"
#include "CTabItems.h"
#include "IuTab.h"
#include "MainGameLinks.h"
#include "MainGameSearch.h"
#include "MainGameStore.h"
#include "MainGameUrl.h"
#include "MsgBox.h"
#include "PageCommand.h"
#include "ProgramFiles.h"
#include "Settings.h"
#include "SqlText.h"
#include "StartupMarks.h"
#include "WebUrl.h"
#include "bkDLControl.h"

namespace {

constexpr wchar_t kSearchHint[] = L"搜索您想玩的游戏名称...";
constexpr int kBarHeight = 600;  // twips: the button bar above the catalogue

}  // namespace

MainGame::MainGame() {
    // The page is hidden at start: its controls come with LoadCatalogue.
    ControlsLater(true);
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(11865, 8250);
    PicBtnBg.Move(0, 0, 11865, kBarHeight);
    Btn_flash.Move(150, 75, 1350, 450);
    Btn_hot.Move(1575, 75, 1350, 450);
    Btn_pellow.Move(3000, 75, 1350, 450);
    Btn_feature.Move(4425, 75, 1350, 450);
    Btn_search.Move(10620, 105, 900, 390);
    txt_search.Move(7200, 135, 3300, 330);
    txt_search.Text(kSearchHint);
    txt_search.ForeColor(kGrayText);
    // Out of sight left of the bar: the picture button is what the user sees.
    CmdSearch.Caption(L"搜索");
    CmdSearch.Move(-1500, 105, 900, 390);
    WB.Move(0, kBarHeight, 11865, 8250 - kBarHeight);

    Btn_flash.Design = [this](iButton& b) { b.Click = [this] { Category(*Btn_flash, GetTopLeftUrl()); }; };
    Btn_hot.Design = [this](iButton& b) { b.Click = [this] { Category(*Btn_hot, GetHotRankUrl()); }; };
    Btn_pellow.Design = [this](iButton& b) { b.Click = [this] { Category(*Btn_pellow, GetOnlineGamesUrl()); }; };
    Btn_feature.Design = [this](iButton& b) { b.Click = [this] { Category(*Btn_feature, GetFeatureUrl()); }; };
    Btn_search.Design = [this](iButton& b) { b.Click = [this] { Search(); }; };
    WB.Design = [this](WebBrowser& view) {
        view.NewWindow2 = [this](bool& Cancel) { WB_NewWindow2(Cancel); };
        view.DocumentComplete = [this](const std::wstring& url) { WB_DocumentComplete(url); };
        StartupMark("catalogue's browser view made");
    };
    txt_search.Click = [this] { txt_search_Click(); };
    CmdSearch.Click = [this] { Search(); };

    DL_WinSock = std::make_unique<bkDLControl>();
    DL_WinSock->DownComplete = [this](long size) { DL_WinSock_DownComplete(size); };
    DL_WinSock->DownError = [this](long code, const std::wstring&) { DL_WinSock_DownError(code); };
}

// The download stops before its stage goes.
MainGame::~MainGame() { DL_WinSock->StopDown(); }

void MainGame::Initialize(IuTab* Implement, CTabItem* Item) {
    host_ = Implement;
    item_ = Item;
}

void MainGame::LoadCatalogue() {
    if (catalogueLoaded_) return;
    catalogueLoaded_ = true;
    LoadControls();
    PicBtnBg.Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\MainGameBtnbg.gif"));
    Btn_flash->Locked(true);
    const std::pair<Hosted<iButton>*, const wchar_t*> pictures[] = {
        {&Btn_flash, L"flash.bmp"},     {&Btn_hot, L"hot.bmp"},         {&Btn_pellow, L"pellow.bmp"},
        {&Btn_feature, L"feature.bmp"}, {&Btn_search, L"search.bmp"}};
    for (const auto& [button, picture] : pictures)
        (*button)->BackPicture(LoadSkinPicture(std::wstring(L"Skin\\DefaultSkin\\") + picture));
    WB->Navigate(GetTopLeftUrl());
    StartupMark("catalogue navigating");
}

void MainGame::Form_Unload(int&) {
    Abandon();
    catalogueLoaded_ = false;
}

LRESULT MainGame::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Shown before the main window got round to it: the page loads its
    // catalogue now, before it paints.
    if (msg == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW))
        LoadCatalogue();
    return Form::WndProc(msg, wParam, lParam);
}

void MainGame::Abandon() {
    DL_WinSock->StopDown();
    stage_.reset();
}

void MainGame::Form_Resize() {
    PicBtnBg.Width(ScaleWidth());
    WB.Move(0, kBarHeight, ScaleWidth(), std::max(0, ScaleHeight() - kBarHeight));
}

void MainGame::Category(iButton& button, const std::wstring& address) {
    WB->Navigate(address);
    for (Hosted<iButton>* b : {&Btn_flash, &Btn_hot, &Btn_pellow, &Btn_feature})
        (*b)->Locked(&**b == &button);
}

void MainGame::Search() {
    const std::wstring words = txt_search.Text();
    if (!words.empty() && words != kSearchHint) {
        WB->Navigate(GetSearchUrl() + SearchWordsForAddress(words));
        return;
    }
    txt_search.Text(kSearchHint);
    txt_search.ForeColor(kGrayText);
}

void MainGame::txt_search_Click() {
    if (txt_search.Text() != kSearchHint) return;
    txt_search.Text(L"");
    txt_search.ForeColor(0);
}

void MainGame::WB_DocumentComplete(const std::wstring& url) {
    if (url != L"javascript:'';") CurrentPageUrl_ = url;
}

std::wstring MainGame::ActiveLink() {
    std::wstring link;
    linkPage_.clear();
    try {
        const std::shared_ptr<HtmlDocument> top = WB->Document();
        link = top->activeElement().href();
        linkPage_ = top->Url();
    } catch (...) {
    }
    if (!link.empty()) return link;
    try {
        if (std::shared_ptr<HtmlDocument> frame = WB->Document()->frames(0).Document()) {
            link = frame->activeElement().href();
            linkPage_ = frame->Url();
        }
    } catch (...) {
        // No first frame, or one that cannot be read: no command.
    }
    return link;
}

void MainGame::WB_NewWindow2(bool& Cancel) {
    const std::optional<PageCommand> command = ParsePageCommand(ActiveLink());
    if (!command) return;
    Cancel = true;
    if (!IsAccepted(*command, {L"openTable", L"WebTable"})) {
        MsgBox(L"函数错误，请联系系统管理员", MB_OK);
        return;
    }
    if (command->kind == L"openTable") openTable(*command);
    else WebTable(*command);
}

void MainGame::openTable(const PageCommand& command) {
    if (!host_) return;
    const std::wstring& caption = command.fields[0];
    CTabItems& tabs = host_->TabItems();
    const long found = tabs.FindItem(caption);
    if (found != -1) {
        tabs.Selected(found);
        return;
    }
    // A path is taken below the catalogue page that sent it, as a browser
    // takes a link; a full address stays as it is.
    auto page = std::make_shared<MainGameUrl>();
    page->GameUrl(ResolveUrl(linkPage_, command.fields[1]));
    tabs.Add(caption, page, caption);
    tabs.Selected(tabs.Count() - 1);
}

void MainGame::WebTable(const PageCommand& command) {
    const auto& f = command.fields;
    if (!IsUsableGameName(f[0])) {
        MsgBox(UnusableNameMessage(f[0]), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // A thumbnail of an earlier command that came now would be taken for this game.
    Abandon();
    DlPicUrl = f[1];
    DlName = f[0];
    DlPlayUrl = f[2];
    if (const StoredGame stored = LookUpGame(DlName); stored.found) {
        RunStored(stored);
        return;
    }
    if (!AddStage::CanGiveNames(ProgramFolder(), DlName)) {
        MsgBox(UnusableNameMessage(DlName), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    stage_ = AddStage::Make(ProgramFolder());
    if (!stage_) {
        MsgBox(SaveFailedMessage(DlName), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The catalogue's pages send paths: the portal always goes in front.
    stage_->Fetch(*DL_WinSock, GetGameUrl() + f[1], AddStage::Part::Thumbnail);
}

void MainGame::RunStored(const StoredGame& stored) {
    DlName = stored.name;
    if (GamePageLinks().Image_Flash_Run) GamePageLinks().Image_Flash_Run(DlName);
}

void MainGame::DL_WinSock_DownComplete(long size) {
    if (size < 1) return;
    // Another page may have stored the game meanwhile: its files and row stay as they are.
    if (const StoredGame stored = LookUpGame(DlName); stored.found) {
        stage_.reset();
        RunStored(stored);
        return;
    }
    if (!stage_->Holds(AddStage::Part::Thumbnail)) {
        stage_.reset();
        MsgBox(NotAPictureMessage(DlName), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!stage_->GiveFinalNames({{AddStage::Part::Thumbnail, DlName}})) {
        stage_.reset();
        MsgBox(SaveFailedMessage(DlName), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const bool saved =
        ExecOnLibrary(L"Insert Into Games(G_Name,W_Url,G_WebUrl,G_Type,G_Favorite) Values('" + SqlText(DlName) +
                      L"','" + SqlText(DlPlayUrl) + L"','" + SqlText(CurrentPageUrl_) + L"',2,1)");
    // No thumbnail stays without its row.
    if (!saved) stage_->TakeBackFinalNames();
    stage_.reset();
    if (!saved) MsgBox(NotSavedMessage(DlName), MB_OK | MB_ICONEXCLAMATION);
    else if (GamePageLinks().Image_Flash_Add) GamePageLinks().Image_Flash_Add(DlName, L"1");
}

void MainGame::DL_WinSock_DownError(long code) {
    stage_.reset();
    MsgBox(DownloadFailedMessage(DlName, code), MB_OK | MB_ICONEXCLAMATION);
}
