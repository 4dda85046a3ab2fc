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

#include "BForm.h"
#include "Form.h"
#include "ITabForm.h"
#include "Image.h"
#include "Label.h"
#include "PictureBox.h"
#include "ShockwaveFlash.h"
#include "WebBrowser.h"
#include "cSetStyle.h"
#include "iButton.h"

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

    // Controls. The intrinsic ones exist from construction; the components
    // (movie, title bar, buttons, browser) exist while the page is loaded.
    PictureBox Pic_Btn{*this};
    PictureBox ImgLeft{Pic_Btn};
    Image Eject_ToolBg_L{Pic_Btn};
    PictureBox ImgRight{Pic_Btn};
    PictureBox Pic_Say{*this};
    Label Label1{Pic_Say};
    std::unique_ptr<ShockwaveFlash> FlashReplay;
    std::unique_ptr<BForm> WebBForm;
    std::unique_ptr<iButton> web_min, web_close;
    std::unique_ptr<iButton> Eject_Tool_Closed, Eject_Tool_Replay, Eject_Tool_Favorite, Eject_Tool_Filling,
        Eject_Tool_Pop, Eject_Tool_Popping, Eject_Tool_Replay1;
    std::unique_ptr<iButton> Eject_Tool_Trigger, PicUp, PicDown;
    std::unique_ptr<WebBrowser> WebBrowser1;

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
    void CreateComponents();
    void DestroyComponents();
    void WireEvents();
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
    bool IsInTab() const;

    std::wstring gameName_;
    int16_t popMode_ = 0;
    IuTab* tabHost_ = nullptr;   // the strip that shows the page; it outlives its pages
    CTabItem* tabItem_ = nullptr;
    intptr_t db_ = 0;
    std::unique_ptr<cSetStyle> objStyle;
};
