// The player's one window and its start-up: a borderless skinned frame with
// a title bar, four caption buttons, a strip of game tabs and a tool strip
// whose buttons open the portal's pages and purge the browser cache. Every
// way of opening a page (command line, DDE execute, tool buttons) ends in
// OpenGameTab, which keeps one tab per address.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "App.h"
#include "Form.h"
#include "Image.h"
#include "PictureBox.h"
#include "ToolkitHosting.h"
#include "cSetStyle.h"

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

    // Controls, containers before what they contain.
    Hosted<BForm> WebBForm{*this};
    PictureBox pCnt{*this};
    PictureBox Pic_Btn{*this};
    Hosted<iButton> Btn_Cache{Pic_Btn};
    Hosted<iButton> Btn_Home{Pic_Btn};
    Hosted<iButton> Btn_customer{Pic_Btn};
    Hosted<iButton> Btn_Pay{Pic_Btn};
    Image ImgLeft{Pic_Btn};
    Image ImgRight{Pic_Btn};
    Hosted<uTab> WebuTab{*this};
    Hosted<iButton> web_tool{*this};
    Hosted<iButton> web_min{*this};
    Hosted<iButton> web_minmax{*this};
    Hosted<iButton> web_close{*this};
    PictureBox PicLogo{*this};

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;
    void Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) override;

private:
    void OpenGameTab(const std::wstring& address);
    std::unique_ptr<uTab> MakeStrip(HWND parent, const RECT& place);
    std::shared_ptr<StdPicture> SkinPicture(const std::wstring& path) const;

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

    std::wstring command_;
    std::wstring folder_;
    std::wstring portalUrl_;
    std::unique_ptr<cSetStyle> objStyle_;
    // The strip's sheet that could not be loaded at this load, if any.
    std::optional<std::wstring> missingSheet_;
};
