#include "MainFrm.h"

#include "Api_bar.h"
#include "App.h"
#include "CatalogueFile.h"
#include "CatalogueGroup.h"
#include "MainFrmPages.h"
#include "MainFrmTray.h"
#include "MainMe.h"
#include "MdlMenuClass.h"
#include "MdlMenuComm.h"
#include "MsgBox.h"
#include "ProgramFiles.h"
#include "RaisedError.h"
#include "RightDown.h"
#include "Settings.h"
#include "Shell.h"
#include "StartupMarks.h"
#include "WindowProc.h"
#include "WebBrowser.h"
#include "iButton.h"
#include "mdlTabAPI.h"
#include "uTab.h"

namespace {

constexpr int kWidth = 801, kHeight = 589, kCorner = 6;
const wchar_t kHandOffLink[] = L"Orvane|FormOrvane";
constexpr unsigned long kHandOffMs = 10000;
const wchar_t kNotFoundText[] = L"无法找到该页";

// Menu icons of Pic(1) .. Pic(5), in order.
const wchar_t* const kMenuIcons[] = {
    L"Skin\\DefaultSkin\\Ico\\MenuSet.ico",     L"Skin\\DefaultSkin\\Ico\\MenuBBS.ico",
    L"Skin\\DefaultSkin\\Ico\\MenuExit.ico",    L"Skin\\DefaultSkin\\Ico\\menulookup.ico",
    L"Skin\\DefaultSkin\\Ico\\menudetele.ico",
};

int NumberOf(const std::wstring& text) {
    try {
        return std::stoi(text);
    } catch (...) {
        return 0;
    }
}

// Ending other processes reports nothing when the command cannot start.
void EndProcessesOf(const wchar_t* imageName) {
    try {
        TaskKill(imageName);
    } catch (const RaisedError&) {
    }
}

std::wstring WithoutBlanks(std::wstring text) {
    for (wchar_t c : {L'\n', L'\r', L'\t', L' '}) std::erase(text, c);
    return text;
}

}  // namespace

MainFrm::MainFrm() : pCnt(*this), Pic(*this, 6), TimerRight(*this), idle_(*this) {
    ScaleMode(ScaleModeConstants::Pixels);
    Move((Screen::Width() - kWidth * 15) / 2, (Screen::Height() - kHeight * 15) / 2, kWidth * 15, kHeight * 15);
    LinkTopic(L"FormOrvane");
    LinkMode(1);
    pCnt.Move(4, 34, 791, 550);
    frmuTab.Move(45, 8, 660, 25);
    frmuTab.Design = [this](uTab& t) {
        t.OnDrawBackground = [this](HDC hDC, long cx, long cy, bool& Cancel) { OnDrawBackground(hDC, cx, cy, Cancel); };
        t.OnMouseDown = [this](long ItemIndex, short& Button, short&, float&, float&) { OnStripMouseDown(ItemIndex, Button); };
    };
    W_MenuBtn.Move(704, 1, 25, 18);
    W_MinBtn.Move(728, 1, 24, 18);
    W_Close.Move(752, 1, 43, 18);
    W_MenuBtn.Design = [](iButton& b) { b.Click = [] { ShowMainMenu(); }; };
    W_MinBtn.Design = [this](iButton& b) { b.Click = [this] { WindowState(FormWindowStateConstants::Minimized); }; };
    W_Close.Design = [this](iButton& b) { b.Click = [this] { W_Close_Click(); }; };
    for (int i = 0; i < 6; ++i) Pic(i).Visible(false);
    WebRight.Move(456, 408, 81, 57);
    WebRight.Visible(false);
    WebRight.Design = [this](WebBrowser& w) {
        w.DocumentComplete = [this](const std::wstring& url) { WebRight_DocumentComplete(url); };
    };
    TimerRight.Interval(0);
    TimerRight.Tick = [this] { TimerRight_Timer(); };
    // One piece a tick: a timer's tick comes only when no input or paint
    // waits, so the user's input waits for one piece at most.
    idle_.Tick = [this] {
        if (!later_.empty()) {
            const std::function<void()> piece = std::move(later_.front());
            later_.pop_front();
            piece();
        }
        if (later_.empty()) idle_.Done();
    };
}

MainFrm::~MainFrm() { ReleaseControls(); }

MainMe& MainFrm::Me() {
    if (!mainMe_) throw RaisedError(91, "MainFrm", "Object variable not set");
    return *mainMe_;
}

void MainFrm::Form_Load() {
    IsResize = L"0";
    if (App::PrevInstance()) {
        // DDE finds the first instance by asking every window of the desktop,
        // and waits as long as any of them does not answer: the hand-off has
        // a time, after which this start ends all the same.
        const EndUnlessDone deadline(kHandOffMs);
        LinkTopic(L"");
        LinkMode(0);
        for (const wchar_t* cmd : {L"Show", L"Count", L"ShowTime"}) SendLinkCommand(cmd);
        if (!Command().empty()) SendLinkCommand(L"CommandLine=" + Command());
        End();
        return;
    }
    StartupMark("main window's controls made");
    LoadLogo();
    StartupMark("logo loaded");
    frmuTab->hContainerWnd(pCnt.hWnd());
    MakeMissingCatalogue();
    mainMe_ = std::make_shared<MainMe>();
    mainMe_->ParentWindow(pCnt.hWnd());
    mainMe_->Load();
    StartupMark("page My box created");
    CTabItems& items = frmuTab->TabItems();
    items.Add(L"我的盒子", mainMe_);
    items.Add(L"找游戏", NewCataloguePage(pCnt.hWnd()));
    StartupMark("page Find games created");
    for (long i = 0; i < 2; ++i) {
        items.Item(i)->HideButton(true);
        items.Item(i)->LockSize(true);
    }
    frmuTab->LockReDraw(false);
    Caption(PortalName);
    Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\frmMain_bg.gif"));
    W_MenuBtn->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\menubtn.bmp"));
    W_MinBtn->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\min.bmp"));
    W_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\main_close.bmp"));
    StartupMark("skins loaded");
    SetRoundRegion(hwnd(), kWidth, kHeight, kCorner, kCorner);
    ShowWindowFrame(hwnd(), false);
    HookMenuForm(hwnd());
    AddTrayIcon();
    StartupMark("tray icon added");
    MainPrevWndProc = SetWindowProc(hwnd(), &TrayWndProc);
    procInstalled_ = MainPrevWndProc != nullptr;
    // What the first paint does not need comes once the window has painted.
    idle_.Arm();
    later_ = {[this] { LoadCatalogue(*frmuTab->TabItems().Item(1L)->Form()); },
              [this] { LoadMenuIcons(); },
              [this] {
                  WebRight->Navigate(GetAdRightUrl());
                  StartupMark("advertisement probe navigating");
              }};
    // Told once, when the window stands.
    if (mainMe_->LibraryUnreadable())
        later_.push_back([] { MsgBox(UnreadableCatalogueMessage(), MB_OK | MB_ICONEXCLAMATION); });
}

// Made without the system frame that loading takes off anyway.
Window::CreateParams MainFrm::WindowParams() {
    CreateParams cp = Form::WindowParams();
    cp.style = WindowFrameStyle(cp.style, false);
    return cp;
}

LRESULT MainFrm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) idle_.Painted();
    return Form::WndProc(msg, wParam, lParam);
}

void MainFrm::SendLinkCommand(const std::wstring& cmd) {
    // An instance that does not answer (not up yet, or busy) drops the hand-off.
    try {
        pCnt.LinkMode(0);
        pCnt.LinkTopic(kHandOffLink);
        pCnt.LinkMode(2);
        pCnt.LinkExecute(cmd);
        const int timeout = pCnt.LinkTimeout();
        pCnt.LinkTimeout(1);
        pCnt.LinkMode(0);
        pCnt.LinkTimeout(timeout);
    } catch (const RaisedError&) {
        pCnt.LinkMode(0);
    }
}

void MainFrm::Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) {
    if (CmdStr == L"Show") {
        WindowState(FormWindowStateConstants::Normal);
        Show();
    }
    Cancel = 0;
}

void MainFrm::LoadLogo() {
    const std::wstring path = ProgramFile(L"skin\\DefaultSkin\\Ico\\logo.bmp");
    auto bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return;  // the strip then draws its own background
    try {
        logoDC_ = CreateBitmapDC(bitmap);
    } catch (const RaisedError&) {
        DeleteObject(bitmap);
    }
}

void MainFrm::LoadMenuIcons() {
    if (menuIconsLoaded_) return;
    menuIconsLoaded_ = true;
    for (int i = 1; i <= 5; ++i) Pic(i).Picture(LoadSkinPicture(kMenuIcons[i - 1]));
    StartupMark("menu icons loaded");
}

void MainFrm::AddTrayIcon() {
    tray_ = {};
    tray_.cbSize = NOTIFYICONDATAW_V1_SIZE;
    tray_.hWnd = hwnd();
    tray_.uID = 0;
    tray_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray_.uCallbackMessage = kTrayCallbackMessage;
    tray_.hIcon = Icon()->HandleAs<HICON>();
    // The tip is a fixed field of 64 characters padded with blanks.
    std::wstring tip = PortalName.substr(0, 63);
    tip.resize(63, L' ');
    tip.copy(tray_.szTip, 63);
    tray_.szTip[63] = L'\0';
    trayAdded_ = Shell_NotifyIconW(NIM_ADD, &tray_) != FALSE;
}

void MainFrm::Form_Resize() {
    if (!mainMe_) return;  // a second instance never lays out
    if (NumberOf(IsResize) != 1) {
        SetRoundRegion(hwnd(), kWidth, kHeight, kCorner, kCorner);
        frmuTab.Move(45, 8, 660, 25);
        pCnt.Move(4, 34, 791, 550);
    } else {
        SetRoundRegion(hwnd(), static_cast<int16_t>(ScaleWidth() + 10), static_cast<int16_t>(ScaleHeight() + 10), 0, 0);
        pCnt.Move(0, 0, ScaleWidth(), ScaleHeight());
    }
}

void MainFrm::StartDrag() {
    ReleaseCapture();
    SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void MainFrm::Form_MouseDown(int Button, int, int, int Y) {
    if (Button == 1 && Y <= 20) StartDrag();
}

void MainFrm::OnStripMouseDown(long ItemIndex, short&) {
    if (ItemIndex < 0) StartDrag();
}

void MainFrm::OnDrawBackground(HDC hDC, long cx, long cy, bool& Cancel) {
    if (!logoDC_) return;  // no logo picture: the strip's own background
    Cancel = true;
    NineGridBlt(hDC, 0, 0, cx, cy, logoDC_, 40, 8, 172, 25, 171, 0, 0, 0);
}

std::wstring MainFrm::ReadCloseSetting() {
    std::wstring value;
    CatalogueGroup group;
    CatalogueQuery query(group, L"Select * From [Install]");
    while (query.Step()) value = std::to_wstring(query.Int(0));
    return value;
}

void MainFrm::W_Close_Click() {
    if (ReadCloseSetting() == L"1")
        Hide();
    else
        Menu_Close_Click();
}

void MainFrm::Menu_Close_Click() {
    // The players are ended first: the unload ends this very process by
    // force, which may come before any later statement runs.
    EndProcessesOf(L"Pellow.exe");
    Unload();
    TheRightDown().Unload();
}

void MainFrm::TimerRight_Timer() {
    TimerRight.Interval(0);
    TheRightDown().Show();
}

void MainFrm::WebRight_DocumentComplete(const std::wstring&) {
    std::wstring text;
    try {
        text = WithoutBlanks(WebRight->Document()->documentElement().outerHTML());
    } catch (...) {
        // an unreadable document leaves the text empty
    }
    if (text.find(kNotFoundText) != std::wstring::npos) return;
    TimerRight.Interval(5000);
}

void MainFrm::Form_Unload(int&) {
    if (logoDC_) {
        DeleteMemDC(logoDC_);
        logoDC_ = nullptr;
    }
    if (trayAdded_) Shell_NotifyIconW(NIM_DELETE, &tray_);
    trayAdded_ = false;
    if (procInstalled_) SetWindowProc(hwnd(), MainPrevWndProc);
    procInstalled_ = false;
    EndProcessesOf(L"Orvane.exe");
}

void MainFrm::OnDestroyed() {
    Form::OnDestroyed();
    ReleaseControls();
}

void MainFrm::ReleaseControls() {
    later_.clear();
    menuIconsLoaded_ = false;
    mainMe_.reset();
    if (logoDC_) {
        DeleteMemDC(logoDC_);
        logoDC_ = nullptr;
    }
}

MainFrm& TheMainFrm() {
    static MainFrm form;
    return form;
}

MainMe& TheMainMe() {
    TheMainFrm().Load();
    return TheMainFrm().Me();
}
