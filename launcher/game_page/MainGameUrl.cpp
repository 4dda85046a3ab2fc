#include "MainGameUrl.h"

#include <iterator>

#include "CTabItem.h"
#include "CTabItems.h"
#include "FormatBytes.h"
#include "IuTab.h"
#include "MainGameLinks.h"
#include "MainGameStore.h"
#include "MsgBox.h"
#include "PageCommand.h"
#include "ProgramFiles.h"
#include "ProgressBar.h"
#include "Settings.h"
#include "SqlText.h"
#include "WebBrowser.h"
#include "bkDLControl.h"

namespace {

constexpr wchar_t kNoSave[] = L"?nosave";

std::wstring WithoutNoSave(std::wstring text) {
    for (size_t at = text.find(kNoSave); at != std::wstring::npos; at = text.find(kNoSave, at))
        text.erase(at, std::size(kNoSave) - 1);
    return text;
}

}  // namespace

MainGameUrl::MainGameUrl() {
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(11865, 8250);
    BackColor(RGB(255, 255, 255));
    PicWB.Move(0, 0, 11865, 8250);
    WB.Move(-23, -23, 11865 + 40, 8250 + 40);
    PicDown.Visible(false);
    PicDown.Move(1425, 1725, 9000, 4800);
    PicLoadingbg.Move(240, 240, 1620, 1620);
    PicLoading.Move(60, 60, 1500, 1500);
    WBLoading.Move(0, 0, 1500, 1500);
    WBDown.Move(240, 2100, 8520, 2460);
    ProgressBar1.Move(2100, 840, 6600, 300);
    for (Label* label : {&LB_GameName, &LB_cbSize, &LB_Speed, &LB_Stop, &LBDel})
        label->BackStyle(Label::BackStyleConstants::Transparent);
    LB_GameName.Move(2100, 360, 6600, 300);
    LB_Speed.Move(2100, 1290, 3000, 270);
    LB_cbSize.Move(5400, 1290, 3000, 270);
    LB_Speed.Caption(L" - -");
    LB_cbSize.Caption(L" - -");
    LB_Stop.Move(2100, 1680, 1050, 270);
    LB_Stop.Caption(L"暂停下载");
    LBDel.Move(3300, 1680, 1050, 270);
    LBDel.Caption(L"删除下载");
    // Deleting becomes possible once the movie is on its way.
    LBDel.Enabled(false);

    PicWB.Resize = [this] { PicWB_Resize(); };
    WB.Design = [this](WebBrowser& view) {
        view.NewWindow2 = [this](bool& Cancel) { WB_NewWindow2(Cancel); };
        view.TitleChange = [this](const std::wstring& title) { WB_TitleChange(title); };
    };
    ProgressBar1.Design = [](ProgressBar& bar) {
        bar.InitProperties();
        bar.Value(0);
        bar.Text(L"0%");
    };
    Swf_Timer.Tick = [this] { Swf_Timer_Tick(); };
    LB_Stop.Click = [this] { LB_Stop_Click(); };
    LBDel.Click = [this] { LBDel_Click(); };

    DL_WinSock = std::make_unique<bkDLControl>();
    DL_WinSock->DownProgress = [this](float f, long speed, long size) { DL_WinSock_DownProgress(f, speed, size); };
    DL_WinSock->DownComplete = [this](long size) { DL_WinSock_DownComplete(size); };
    DL_WinSock->DownError = [this](long code, const std::wstring&) { DL_WinSock_DownError(code); };
}

// The download stops before its stage goes.
MainGameUrl::~MainGameUrl() { DL_WinSock->StopDown(); }

void MainGameUrl::Form_Load() {
    const std::shared_ptr<StdPicture> hand = LoadSkinPicture(L"Skin\\DefaultSkin\\Cur\\harrow.cur");
    for (Label* label : {&LB_Stop, &LBDel}) {
        if (hand) {
            label->MouseIcon(hand);
            label->MousePointer(MousePointerConstants::Custom);
        }
        label->FontUnderline(true);
    }
    PicLoadingbg.Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\loading_bg.gif"));
    // The panel lies over the page, which was made first.
    SetWindowPos(PicDown.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

}

void MainGameUrl::Form_Resize() {
    PicWB.Move(0, 0, ScaleWidth(), ScaleHeight());
    PicWB_Resize();  // also when the box kept its size and raised no Resize
}

void MainGameUrl::PicWB_Resize() {
    // The page's own border and scroll-bar edge lie outside the visible area.
    WB.Move(-23, -23, PicWB.ScaleWidth() + 40, PicWB.ScaleHeight() + 40);
}

void MainGameUrl::Initialize(IuTab* Implement, CTabItem* Item) {
    host_ = Implement;
    item_ = Item;
}

std::wstring MainGameUrl::LoadingGif() const { return ProgramFolder() + L"\\Skin\\DefaultSkin\\Loading.gif"; }

void MainGameUrl::GameUrl(const std::wstring& UrlValue) {
    URL_ = UrlValue;
    Load();
    WB->Navigate(UrlValue);
    PicDown.Visible(false);
    WBLoading->Navigate(LoadingGif());
    WBDown->Navigate(GetAdDownUrl());
    PicDown.Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\downbgcolor.gif"));
}

void MainGameUrl::WB_TitleChange(const std::wstring& title) {
    if (item_) item_->Caption(title);
}

void MainGameUrl::WB_NewWindow2(bool& Cancel) {
    std::wstring link;
    try {
        link = WB->Document()->activeElement().href();
    } catch (...) {
        return;  // a document that cannot be read holds no command
    }
    const std::optional<PageCommand> command = ParsePageCommand(link);
    if (!command) return;
    Cancel = true;
    DlStarted = true;
    if (!IsAccepted(*command, {L"FlashTable", L"WebTable"})) {
        MsgBox(L"内有", MB_OK);
        return;
    }
    const std::wstring& name = command->fields[0];
    if (!IsUsableGameName(name)) {
        MsgBox(UnusableNameMessage(name), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const bool flash = command->kind == L"FlashTable";
    if (!IsGameFileAddress(command->fields[1]) || (flash && !IsGameFileAddress(command->fields[2]))) {
        MsgBox(UnusableAddressMessage(name), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // A download of an earlier command that finished now would be taken for this game.
    Abandon();
    ResetPanel();
    if (flash) FlashTable(*command);
    else WebTable(*command);
}

void MainGameUrl::FlashTable(const PageCommand& command) {
    const auto& f = command.fields;
    DlKind = L"1";
    DlName = f[0];
    DlPicUrl = f[1];
    DlSwfUrl = f[2];
    DlIntro = f[3];
    if (const StoredGame stored = LookUpGame(DlName); stored.found) {
        StartStored(stored);
        return;
    }
    DlFinalStage = DlSwfUrl.find(kNoSave) != std::wstring::npos;
    if (!StartAdd()) return;
    WBDown->Silent(true);
    PicDown.Visible(true);
    LB_GameName.Caption(L"您正在下载“" + f[0] + L"”游戏，请耐心等待...");
}

void MainGameUrl::WebTable(const PageCommand& command) {
    const auto& f = command.fields;
    DlKind = L"2";
    DlFinalStage = true;
    DlPicUrl = f[1];
    DlName = f[0];
    DlPlayUrl = f[2];
    if (const StoredGame stored = LookUpGame(DlName); stored.found) {
        StartStored(stored);
        return;
    }
    StartAdd();
}

void MainGameUrl::StartStored(const StoredGame& stored) {
    DlName = stored.name;
    if (DlKind == L"1") PlayInThisTab(stored.wUrl);
    else if (GamePageLinks().Image_Flash_Run) GamePageLinks().Image_Flash_Run(DlName);
}

void MainGameUrl::Abandon() {
    DL_WinSock->StopDown();
    Swf_Timer.Interval(0);
    stage_.reset();
}

void MainGameUrl::ResetPanel() {
    PicDown.Visible(false);
    LB_GameName.Caption(L"");
    LB_Speed.Caption(L" - -");
    LB_cbSize.Caption(L" - -");
    ProgressBar1->Value(0);
    ProgressBar1->Text(L"0%");
    LBDel.Enabled(false);
    if (LB_Stop.Caption() != L"暂停下载") LB_Stop_Click();  // the animation runs again
}

std::wstring MainGameUrl::GameAddress(const std::wstring& field) {
    return IsFullAddress(field) ? field : GetGameUrl() + field;
}

bool MainGameUrl::StartAdd() {
    if (!AddStage::CanGiveNames(ProgramFolder(), DlName)) {
        MsgBox(UnusableNameMessage(DlName), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    stage_ = AddStage::Make(ProgramFolder());
    if (!stage_) {
        Tell(SaveFailedMessage(DlName));
        return false;
    }
    stage_->Fetch(*DL_WinSock, GameAddress(DlPicUrl), AddStage::Part::Thumbnail);
    return true;
}

void MainGameUrl::Swf_Timer_Tick() {
    LBDel.Enabled(true);
    WBLoading->Navigate(LoadingGif());
    Swf_Timer.Interval(0);
    DlFinalStage = true;
    swfAddress_ = GameAddress(DlSwfUrl);
    stage_->Fetch(*DL_WinSock, swfAddress_, AddStage::Part::Movie);
}

void MainGameUrl::DL_WinSock_DownProgress(float fraction, long speed, long size) {
    if (!DlFinalStage) return;
    LB_Speed.Caption(FormatBytes(speed));
    LB_cbSize.Caption(FormatBytes(size));
    const std::wstring percent = FormatPercent(fraction);
    ProgressBar1->Value(PercentValue(percent));
    ProgressBar1->Text(percent);
}

void MainGameUrl::DL_WinSock_DownComplete(long size) {
    if (size < 1) return;
    if (!DlFinalStage) {
        // No movie is fetched for a thumbnail that cannot be shown.
        if (DownloadHolds(AddStage::Part::Thumbnail)) Swf_Timer.Interval(1000);
        return;
    }
    // Another page may have stored the game meanwhile: its files and row stay as they are.
    if (const StoredGame stored = LookUpGame(DlName); stored.found) {
        stage_.reset();
        StartStored(stored);
        return;
    }
    const bool savedMovie = DlKind == L"1" && DlSwfUrl.find(kNoSave) == std::wstring::npos;
    if (!DownloadHolds(savedMovie ? AddStage::Part::Movie : AddStage::Part::Thumbnail)) return;
    using Part = AddStage::Part;
    // A game without a saved movie keeps no older one under its name either.
    const bool named = savedMovie ? stage_->GiveFinalNames({{Part::Movie, DlName}, {Part::Thumbnail, DlName}})
                                  : stage_->GiveFinalNames({{Part::Thumbnail, DlName}, {Part::Movie, DlName, false}});
    if (!named) {
        stage_.reset();
        Tell(SaveFailedMessage(DlName));
        return;
    }
    Register(savedMovie);
}

void MainGameUrl::Register(bool savedMovie) {
    bool saved = false;
    if (savedMovie) {
        saved = ExecOnLibrary(L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,G_Type,G_Favorite) Values('" +
                              SqlText(DlName) + L"','" + SqlText(DlIntro) + L"','" + SqlText(URL_) + L"',1,1)");
    } else if (DlKind == L"1") {
        saved = ExecOnLibrary(L"Insert Into Games(G_Name,W_Url,G_Introduce,G_WebUrl,G_Type,G_Favorite) Values('" +
                              SqlText(DlName) + L"','" + SqlText(WithoutNoSave(DlSwfUrl)) + L"','" +
                              SqlText(DlIntro) + L"','" + SqlText(URL_) + L"',1,1)");
    } else {
        saved = ExecOnLibrary(L"Insert Into Games(G_Name,W_Url,G_WebUrl,G_Type,G_Favorite) Values('" +
                              SqlText(DlName) + L"','" + SqlText(DlPlayUrl) + L"','" + SqlText(URL_) + L"',2,1)");
    }
    DlStarted = true;
    if (!saved) {
        // No file stays without its row. A Flash game still plays, from the portal.
        stage_->TakeBackFinalNames();
        stage_.reset();
        const std::wstring name = DlName;
        if (DlKind == L"1") PlayInThisTab(savedMovie ? swfAddress_ : DlSwfUrl);
        MsgBox(NotSavedMessage(name), MB_OK | MB_ICONEXCLAMATION);  // the page may be gone by now
        return;
    }
    stage_.reset();
    if (savedMovie) DlSwfUrl.clear();
    if (DlKind == L"1") {
        if (GamePageLinks().Image_Flash_Add) GamePageLinks().Image_Flash_Add(DlName, L"0");
        PlayInThisTab(DlSwfUrl);
    } else if (GamePageLinks().Image_Flash_Add) {
        GamePageLinks().Image_Flash_Add(DlName, L"1");
    }
}

bool MainGameUrl::DownloadHolds(AddStage::Part part) {
    if (stage_->Holds(part)) return true;
    stage_.reset();
    Tell(part == AddStage::Part::Movie ? NotAMovieMessage(DlName) : NotAPictureMessage(DlName));
    return false;
}

void MainGameUrl::DL_WinSock_DownError(long code) {
    Swf_Timer.Interval(0);
    stage_.reset();
    Tell(DownloadFailedMessage(DlName, code));
}

void MainGameUrl::Tell(const std::wstring& text) {
    LB_GameName.Caption(text);
    PicDown.Visible(true);
}

void MainGameUrl::PlayInThisTab(const std::wstring& swfUrl) {
    const auto& make = GamePageLinks().NewFlashGame;
    if (std::shared_ptr<ITabForm> flash = make ? make(DlName, DlIntro, swfUrl) : nullptr; flash && item_)
        item_->Form(std::move(flash));
    Unload();
}

void MainGameUrl::LB_Stop_Click() {
    if (LB_Stop.Caption() == L"暂停下载") {
        WBLoading->Stop();
        LB_Stop.Caption(L"开始下载");
    } else {
        WBLoading->Navigate(LoadingGif());
        LB_Stop.Caption(L"暂停下载");
    }
}

void MainGameUrl::LBDel_Click() {
    Abandon();
    if (!host_) return;
    const long index = host_->TabItems().FindItem(static_cast<ITabForm*>(this));
    if (index >= 0) host_->TabItems().Remove(index, true);
}

void MainGameUrl::Form_Unload(int& Cancel) {
    Abandon();
    if (!DlStarted && host_) host_->Selected(1);
}
