// The catalogue page "找游戏": the portal's catalogue under four category
// buttons and a search box. Its "openTable" command opens a game's page in a
// tab of its own, its "WebTable" command adds a web game to the library
// (thumbnail downloaded, row written, game started).
#pragma once
#include <memory>
#include <string>

#include "CommandButton.h"
#include "Form.h"
#include "ITabForm.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "ToolkitHosting.h"
#include "WebBrowserHosting.h"

class AddStage;
class bkDLControl;
class CTabItem;
class IuTab;
struct PageCommand;
struct StoredGame;

class MainGame : public Form, public ITabForm {
public:
    MainGame();
    ~MainGame() override;

    // ITabForm
    HWND hwnd() const override { return Window::hwnd(); }
    void Initialize(IuTab* Implement, CTabItem* Item) override;
    void Unload() override { Form::Unload(); }

    // Controls.
    PictureBox PicBtnBg{*this};
    Hosted<iButton> Btn_flash{PicBtnBg};
    Hosted<iButton> Btn_hot{PicBtnBg};
    Hosted<iButton> Btn_pellow{PicBtnBg};
    Hosted<iButton> Btn_feature{PicBtnBg};
    Hosted<iButton> Btn_search{PicBtnBg};
    TextBox txt_search{PicBtnBg};
    CommandButton CmdSearch{PicBtnBg};
    Hosted<WebBrowser> WB{*this};
    std::unique_ptr<bkDLControl> DL_WinSock;

    // Address of the last page that finished loading in WB.
    const std::wstring& CurrentPageUrl() const { return CurrentPageUrl_; }
    // The bar's pictures, the first category locked and the catalogue's
    // first page, once a load: not needed until the page shows, so the main
    // window has them come after its first paint, or the page's first
    // showing does.
    void LoadCatalogue();

protected:
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Category(iButton& button, const std::wstring& address);
    void Search();
    void txt_search_Click();
    void WB_NewWindow2(bool& Cancel);
    void WB_DocumentComplete(const std::wstring& url);
    void openTable(const PageCommand& command);
    void WebTable(const PageCommand& command);
    void DL_WinSock_DownComplete(long size);
    void DL_WinSock_DownError(long code);
    // Ends the pending add, if any: its download and its files.
    void Abandon();
    void RunStored(const StoredGame& stored);
    // The link the user activated: the top document's, else the first frame's;
    // linkPage_ becomes the address of the document that holds it.
    std::wstring ActiveLink();

    std::wstring DlName, DlPicUrl, DlPlayUrl;
    std::unique_ptr<AddStage> stage_;  // where the pending add downloads
    std::wstring CurrentPageUrl_;
    std::wstring linkPage_;
    IuTab* host_ = nullptr;
    CTabItem* item_ = nullptr;
    bool catalogueLoaded_ = false;
};
