// The page that plays one Flash game: the movie, a tool bar below it (replay,
// favourite, scale, full screen, pop-out) and a help panel with the game's
// introduction. It lives in a tab of the main window's strip and can go full
// screen there or pop out into a rounded borderless window of its own.
//
// Creation: make the page, call URL once, then either add it to the main
// window's TabItems (caption and key the game name) and select its tab, or
// set a tab item's Form to it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "Form.h"
#include "ITabForm.h"
#include "Image.h"
#include "Label.h"
#include "PictureBox.h"
#include "ShockwaveFlashHosting.h"
#include "ToolkitHosting.h"
#include "WebBrowserHosting.h"
#include "cSetStyle.h"

class CTabItem;
class IuTab;

class FlashGame : public Form, public ITabForm {
public:
    FlashGame();
    ~FlashGame() override;

    // Opens the game: UrlValue is its display name, IntroduceValue its stored
    // (percent-encoded) introduction, Swf_Url its stored movie address (empty
    // for a saved game, absolute, or relative to the portal).
    void URL(const std::wstring& UrlValue, const std::wstring& IntroduceValue, const std::wstring& Swf_Url);

    // ITabForm
    HWND hwnd() const override { return Form::hwnd(); }
    void Initialize(IuTab* Implement, CTabItem* Item) override;
    void Unload() override { Form::Unload(); }

    // Gives hwnd the region of a rounded rectangle from (0, 0) to (Top, Buttom)
    // pixels with a corner ellipse of w x h; the window owns the region.
    void RectRgn(HWND hwnd, int16_t Top, int16_t Buttom, int16_t w, int16_t h);

    const std::wstring& GameName() const { return gameName_; }
    int16_t PopMode() const { return popMode_; }

    // Controls, in twips of their containers; the components among them
    // (movie, title bar, buttons, browser) are made afresh at each load.
    Hosted<BForm> WebBForm{*this};
    Hosted<iButton> web_min{*this};
    Hosted<iButton> web_close{*this};
    Hosted<ShockwaveFlash> FlashReplay{*this};
    PictureBox Pic_Btn{*this};
    PictureBox ImgLeft{Pic_Btn};
    Hosted<iButton> Eject_Tool_Closed{Pic_Btn};
    Image Eject_ToolBg_L{Pic_Btn};
    Hosted<iButton> Eject_Tool_Replay{Pic_Btn};
    Hosted<iButton> Eject_Tool_Favorite{Pic_Btn};
    Hosted<iButton> Eject_Tool_Filling{Pic_Btn};
    Hosted<iButton> Eject_Tool_Pop{Pic_Btn};
    Hosted<iButton> Eject_Tool_Popping{Pic_Btn};
    Hosted<iButton> Eject_Tool_Replay1{Pic_Btn};
    PictureBox ImgRight{Pic_Btn};
    PictureBox Pic_Say{*this};
    Hosted<iButton> Eject_Tool_Trigger{Pic_Say};
    Label Label1{Pic_Say};
    Hosted<WebBrowser> WebBrowser1{Pic_Say};
    Hosted<iButton> PicUp{Pic_Say};
    Hosted<iButton> PicDown{Pic_Say};

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;

private:
    // Page data and movie (FlashGame.cpp).
    std::wstring ProgramFolder() const;
    void Eject_Tool_Replay_Click();
    void Eject_Tool_Filling_Click();
    void Eject_Tool_Favorite_Click();
    void web_close_Click();
    void web_min_Click();
    void objStyle_CloseClick() { web_close_Click(); }

    // Tool bar, help panel and cursor (FlashGameToolBar.cpp).
    void DesignControls();
    void Skin();
    void WriteHelpPage(const std::wstring& introduce);
    void Eject_Tool_Closed_Click();
    void Eject_Tool_Trigger_Click();
    void PicUp_Click();
    void PicDown_Click();
    void ArrowCursor();
    void PaintToolBar();

    // Full screen, pop-out and layout (FlashGameScreen.cpp).
    void Eject_Tool_Pop_Click();
    void Eject_Tool_Popping_Click();
    void FullScreenOn();
    void FullScreenOff();
    void LeaveFullScreenInTab();
    void LayOutPoppedOut();
    bool IsInTab();

    std::wstring gameName_;
    int16_t popMode_ = 0;
    IuTab* tabHost_ = nullptr;   // the strip that shows the page; it outlives its pages
    CTabItem* tabItem_ = nullptr;
    intptr_t db_ = 0;
    std::shared_ptr<cSetStyle> objStyle;
};
