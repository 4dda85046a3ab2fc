// The game page: one game's page of the portal in a tab. Its "FlashTable"
// and "WebTable" commands add the game to the library: the thumbnail is
// downloaded, then (for a Flash game kept on disk) after a one-second pause
// the movie, the row is written and the game starts; a Flash game then takes
// over this page's tab and the page unloads.
#pragma once
#include <memory>
#include <string>

#include "AddStage.h"
#include "Form.h"
#include "ITabForm.h"
#include "Label.h"
#include "PictureBox.h"
#include "Timer.h"
#include "ToolkitHosting.h"
#include "WebBrowserHosting.h"

class bkDLControl;
class CTabItem;
class IuTab;
struct PageCommand;
struct StoredGame;

class MainGameUrl : public Form, public ITabForm {
public:
    MainGameUrl();
    ~MainGameUrl() override;

    // Opens a portal page; called right after creation, before the page is
    // added to the tab strip.
    void GameUrl(const std::wstring& UrlValue);
    const std::wstring& URL() const { return URL_; }

    // ITabForm
    HWND hwnd() const override { return Window::hwnd(); }
    void Initialize(IuTab* Implement, CTabItem* Item) override;
    void Unload() override { Form::Unload(); }

    // Controls.
    PictureBox PicWB{*this};
    Hosted<WebBrowser> WB{PicWB};
    PictureBox PicDown{*this};
    PictureBox PicLoadingbg{PicDown};
    PictureBox PicLoading{PicLoadingbg};  // the animation lies on its background
    Hosted<WebBrowser> WBLoading{PicLoading};
    Hosted<WebBrowser> WBDown{PicDown};
    Hosted<ProgressBar> ProgressBar1{PicDown};
    Label LB_GameName{PicDown};
    Label LB_cbSize{PicDown};
    Label LB_Speed{PicDown};
    Label LB_Stop{PicDown};
    Label LBDel{PicDown};
    Timer Swf_Timer{*this};
    std::unique_ptr<bkDLControl> DL_WinSock;

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

private:
    void PicWB_Resize();
    void WB_NewWindow2(bool& Cancel);
    void WB_TitleChange(const std::wstring& title);
    void FlashTable(const PageCommand& command);
    void WebTable(const PageCommand& command);
    // Ends the pending add, if any: its download, its pause and its files.
    void Abandon();
    // The panel as a page that has taken no command shows it.
    void ResetPanel();
    // Starts the game of the library that the command named.
    void StartStored(const StoredGame& stored);
    // Makes the pending game's stage and starts its thumbnail download; false
    // when the game's files cannot have its name, or no stage can be made.
    bool StartAdd();
    void Swf_Timer_Tick();
    void DL_WinSock_DownProgress(float fraction, long speed, long size);
    void DL_WinSock_DownComplete(long size);
    // False, and the add ends with the user told, when the part's download
    // is not what the part must be.
    bool DownloadHolds(AddStage::Part part);
    // The files have their final names: the row, then the game.
    void Register(bool savedMovie);
    void DL_WinSock_DownError(long code);
    void LB_Stop_Click();
    void LBDel_Click();
    // Hands this page's tab to a new Flash page and unloads.
    void PlayInThisTab(const std::wstring& swfUrl);
    // Shows the panel with a text about the pending game.
    void Tell(const std::wstring& text);
    // The address a page field stands for: used as it is when it is a full
    // address, else below the portal.
    static std::wstring GameAddress(const std::wstring& field);
    std::wstring LoadingGif() const;

    std::wstring URL_;
    std::wstring DlKind, DlName, DlPicUrl, DlSwfUrl, DlIntro, DlPlayUrl;
    bool DlFinalStage = false;
    bool DlStarted = false;
    // The movie's address as fetched: a game whose row cannot be written plays from it.
    std::wstring swfAddress_;
    // Where the pending add downloads; none while no add is pending.
    std::unique_ptr<AddStage> stage_;
    IuTab* host_ = nullptr;
    CTabItem* item_ = nullptr;
};
