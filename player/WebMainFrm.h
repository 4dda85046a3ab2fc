// The player's one window and its start-up: a borderless skinned frame with
// a title bar, four caption buttons, a strip of game tabs and a tool strip
// whose buttons open the portal's pages and purge the browser cache. Every
// way of opening a page (command line, DDE execute, tool buttons) ends in
// OpenGameTab, which keeps one tab per address.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "App.h"
#include "BForm.h"
#include "Form.h"
#include "Image.h"
#include "PictureBox.h"
#include "cSetStyle.h"
#include "clsTooltip.h"
#include "iButton.h"
#include "uTab.h"

class WebMainFrm : public Form {
public:
    // commandLine: the program's argument text, one page address. The skin
    // lies below programFolder (the running program's folder by default).
    explicit WebMainFrm(std::wstring commandLine, std::wstring programFolder = App::Path());
    ~WebMainFrm() override;

    const std::wstring& PortalUrl() const { return portalUrl_; }
    // Gives the window the rounded rectangle (0, 0, right, bottom) as its region.
    void RectRgn(HWND hwnd, int16_t right, int16_t bottom, int16_t cornerWidth, int16_t cornerHeight);
    // The system close command does what web_close does.
    void objStyle_CloseClick();

    // The controls, as a person sees them (valid while the window is loaded).
    BForm& WebBForm() { return *WebBForm_; }
    uTab& WebuTab() { return *WebuTab_; }
    iButton& web_tool() { return *web_tool_; }
    iButton& web_min() { return *web_min_; }
    iButton& web_minmax() { return *web_minmax_; }
    iButton& web_close() { return *web_close_; }
    iButton& Btn_Cache() { return *Btn_Cache_; }
    iButton& Btn_Home() { return *Btn_Home_; }
    iButton& Btn_customer() { return *Btn_customer_; }
    iButton& Btn_Pay() { return *Btn_Pay_; }
    PictureBox PicLogo{*this};
    PictureBox pCnt{*this};
    PictureBox Pic_Btn{*this};
    Image ImgLeft{Pic_Btn};
    Image ImgRight{Pic_Btn};
    // The tooltip shown over the tab strip ("" when none).
    const std::wstring& TabToolTipText() const { return tabTipText_; }
    HWND TabToolTipWindow() const { return tabTip_ ? tabTip_->hwnd() : nullptr; }

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;
    void Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) override;

private:
    void OpenGameTab(const std::wstring& address);
    bool CreateControls();
    void CreateToolButtons();
    void LoadCaptionStrips();
    void LoadToolPictures();
    std::shared_ptr<StdPicture> SkinPicture(const std::wstring& path) const;
    void SetToolTip(iButton& button, uint32_t id, const std::wstring& text);

    // Control events.
    void web_close_Click();
    void web_min_Click();
    void web_minmax_Click();
    void web_tool_Click();
    void Btn_Home_Click();
    void Btn_Pay_Click();
    void Btn_customer_Click();
    void Btn_Cache_Click();
    void WebuTab_OnMouseDown(long ItemIndex);
    void WebuTab_OnMouseHover(long ItemIndex);
    void WebuTab_OnItemColose(long index, bool& Cancel);
    void SetTabToolTip(const std::wstring& text);

    std::wstring command_;
    std::wstring folder_;
    std::wstring portalUrl_;
    std::unique_ptr<cSetStyle> objStyle_;
    // Toolkit controls live as long as the window object: an unload asked for
    // from inside one of their events returns into them.
    std::unique_ptr<BForm> WebBForm_;
    std::unique_ptr<uTab> WebuTab_;
    std::unique_ptr<iButton> web_tool_, web_min_, web_minmax_, web_close_;
    std::unique_ptr<iButton> Btn_Cache_, Btn_Home_, Btn_customer_, Btn_Pay_;
    std::unique_ptr<clsTooltip> toolTips_, tabTip_;
    std::wstring tabTipText_;
};
