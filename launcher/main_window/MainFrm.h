// The launcher's one main window: borderless and rounded, with the tab strip
// whose first pages are "我的盒子" and "找游戏", three caption buttons, the
// tray icon, the single-instance hand-off over DDE, and the probe of the
// advertisement page that arms the notice timer.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "AfterPaintTimer.h"
#include "ControlArray.h"
#include "Form.h"
#include "PictureBox.h"
#include "Timer.h"
#include "ToolkitHosting.h"
#include "WebBrowserHosting.h"

class MainMe;

class MainFrm : public Form {
public:
    MainFrm();
    ~MainFrm() override;

    // "1" while a Flash page fills the whole window, else "0"; read by the
    // resize handler as a number.
    std::wstring IsResize;

    // Container of the tab pages; also the DDE client of the hand-off.
    PictureBox pCnt;
    // The page tabs; pCnt holds their pages.
    Hosted<uTab> frmuTab{*this};
    Hosted<iButton> W_MenuBtn{*this};
    Hosted<iButton> W_MinBtn{*this};
    Hosted<iButton> W_Close{*this};
    // Menu icons: 1..5 loaded by LoadMenuIcons, 0 left to the menu painter.
    ControlArray<PictureBox> Pic;
    // Loads the advertisement page only to see whether it exists.
    Hosted<WebBrowser> WebRight{*this};
    // Delays the notice pop-up; off until the advertisement page has loaded.
    Timer TimerRight;

    // The "我的盒子" page (exists while the window is loaded).
    MainMe& Me();

    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    // Close button: hides to the tray when Install.I_Close is 1, else quits.
    void W_Close_Click();
    // Quit: unloads the windows and ends every player process.
    void Menu_Close_Click();
    // The running instance's answer to a second start.
    void Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) override;

    // Execute strings to the running instance, each in its own conversation.
    void SendLinkCommand(const std::wstring& cmd);
    // Pic(1) .. Pic(5) get their icons, once a load: the window loads them
    // after its first paint, a menu opened before that on demand.
    void LoadMenuIcons();
    // The probe's document arrived: arms the notice timer unless it is the
    // not-found page.
    void WebRight_DocumentComplete(const std::wstring& url);
    HDC LogoDC() const { return logoDC_; }
    const NOTIFYICONDATAW& TrayIconData() const { return tray_; }

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;
    void OnDestroyed() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    CreateParams WindowParams() override;

private:
    void LoadLogo();
    void AddTrayIcon();
    void OnDrawBackground(HDC hDC, long cx, long cy, bool& Cancel);
    void OnStripMouseDown(long ItemIndex, short& Button);
    void TimerRight_Timer();
    void StartDrag();
    std::wstring ReadCloseSetting();
    void ReleaseControls();

    // The work the first paint does not need (the catalogue page's content,
    // the menus' icons, the advertisement probe), done a piece a tick of
    // idle_ once the window has painted.
    std::deque<std::function<void()>> later_;
    AfterPaintTimer idle_;
    std::shared_ptr<MainMe> mainMe_;
    HDC logoDC_ = nullptr;
    NOTIFYICONDATAW tray_{};
    bool trayAdded_ = false;
    bool procInstalled_ = false;
    bool menuIconsLoaded_ = false;
};

// The program's main window (one per process).
MainFrm& TheMainFrm();
// The "我的盒子" page of the main window; loads the main window first.
MainMe& TheMainMe();
