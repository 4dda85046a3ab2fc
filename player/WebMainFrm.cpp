#include "WebMainFrm.h"

#include <commctrl.h>

#include "App.h"
#include "BitmapTabSkin.h"
#include "CacheMain.h"
#include "HandlerScope.h"
#include "MsgBox.h"
#include "PlayerLayout.h"
#include "PortalConfig.h"
#include "Twips.h"
#include "WebUrl.h"

namespace {

constexpr wchar_t kCaption[] = L"Brisco-网页游戏";
constexpr wchar_t kIllegalStart[] = L"非法访问，游戏浏览器必须由主程序打开！";
constexpr wchar_t kSkinFolder[] = L"\\Skin\\DefaultSkin\\";

void ArrowCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

// Runs one step of a sequence whose steps may each fail on their own.
template <class Step>
void Try(Step step) {
    try {
        step();
    } catch (...) {
    }
}

int Px(int twips) { return TwipsToPixels(twips); }

int WindowHeight(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc.bottom - rc.top;
}

std::unique_ptr<iButton> MakeButton(HWND parent, int left, int top, int width, int height) {
    return std::make_unique<iButton>(iButton::CreateArgs{parent, Px(left), Px(top), Px(width), Px(height)});
}

void ShowButton(iButton& button) { ShowWindow(button.hwnd(), SW_SHOWNA); }

}  // namespace

WebMainFrm::WebMainFrm(std::wstring commandLine, std::wstring programFolder)
    : command_(std::move(commandLine)), folder_(std::move(programFolder)) {
    // Paths are joined with a backslash of their own ("C:\" becomes "C:").
    while (!folder_.empty() && folder_.back() == L'\\') folder_.pop_back();
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(PlayerLayout::kDesignWidth, PlayerLayout::kDesignHeight);
    LinkTopic(L"PellowDDE");
    LinkMode(1);
    PicLogo.Move(180, 30, 440, 440);
    Pic_Btn.Move(60, 0, 15420, 780);
    Pic_Btn.Visible(false);
    Pic_Btn.AutoRedraw(true);
    ImgLeft.Move(0, 0, 135, 780);
    ImgRight.Move(15285, 0, 135, 780);
    for (PictureBox* box : {&PicLogo, &pCnt, &Pic_Btn}) {
        box->MouseDown = [](int, int, int, int) { ArrowCursor(); };
        box->MouseMove = [](int, int, int, int) { ArrowCursor(); };
    }
}

WebMainFrm::~WebMainFrm() = default;

// A missing or unreadable skin picture leaves its control without one.
std::shared_ptr<StdPicture> WebMainFrm::SkinPicture(const std::wstring& path) const {
    try {
        return LoadPicture(folder_ + kSkinFolder + path);
    } catch (const RaisedError&) {
        return nullptr;
    }
}

void WebMainFrm::Form_Load() {
    portalUrl_ = kPortalUrl;
    Caption(kCaption);
    if (command_.empty()) {
        MsgBox(kIllegalStart, MB_OK);
        End();
        return;
    }
    if (!CreateControls()) return;

    objStyle_ = std::make_unique<cSetStyle>();
    objStyle_->CloseClick = [this] { objStyle_CloseClick(); };
    AutoRedraw(true);
    objStyle_->objForm(this);
    objStyle_->SetWindowStyle(hWnd());

    WebBForm_->Caption(Caption());
    WebBForm_->frmHwnd(hWnd());
    LoadCaptionStrips();
    WebuTab_->hContainerWnd(pCnt.hWnd());
    OpenGameTab(command_);
    WebuTab_->LockReDraw(false);
    LoadToolPictures();
}

bool WebMainFrm::CreateControls() {
    const HWND form = hWnd();
    try {
        // The strip cannot be drawn without its two sheets.
        WebuTab_ = std::make_unique<uTab>(uTab::Variant{std::make_unique<BitmapTabSkin>(folder_), PlayerReleaseStyle});
    } catch (const SkinFileError& e) {
        MsgBox(L"无法载入皮肤文件：\n" + e.Path() + L"\n游戏浏览器不能启动。", MB_OK | MB_ICONERROR);
        End();
        return false;
    }
    PropertyBag saved;
    saved.WriteProperty<int32_t>(L"TabStyle", 1, 0);
    WebuTab_->Create(form, Px(100), Px(45), Px(ScaleWidth() - 2000), saved);
    WebuTab_->OnMouseDown = [this](long i, short&, short&, float&, float&) { WebuTab_OnMouseDown(i); };
    WebuTab_->OnMouseHover = [this](long i, short&, short&, float&, float&) { WebuTab_OnMouseHover(i); };
    WebuTab_->OnMouseMove = [](long, short&, short&, float&, float&) { ArrowCursor(); };
    WebuTab_->OnItemColose = [this](long index, bool& Cancel) { WebuTab_OnItemColose(index, Cancel); };
    tabTip_ = std::make_unique<clsTooltip>();
    tabTip_->AddTool_ForRect(WebuTab_->hwnd(), 1, RECT{0, 0, 32767, 32767}, L"");

    WebBForm_ = std::make_unique<BForm>(BForm::CreateArgs{form, 0, 0, Px(Width()), 0, folder_});
    WebBForm_->BackColor(std::to_wstring(RGB(222, 222, 222)));
    WebBForm_->MouseMove = [](int16_t&, int16_t&, float&, float&) { ArrowCursor(); };

    const int w = Width();
    web_tool_ = MakeButton(form, w - 1825, 15, 360, 270);
    web_min_ = MakeButton(form, w - 1465, 15, 360, 270);
    web_minmax_ = MakeButton(form, w - 1105, 15, 375, 270);
    web_close_ = MakeButton(form, w - 730, 15, 645, 270);
    web_tool_->Style(1);
    web_minmax_->Style(1);
    web_tool_->Click = [this] { web_tool_Click(); };
    web_min_->Click = [this] { web_min_Click(); };
    web_minmax_->Click = [this] { web_minmax_Click(); };
    web_close_->Click = [this] { web_close_Click(); };
    CreateToolButtons();

    // Front to back: logo, caption buttons, tab strip, tool strip, pages, title bar.
    for (HWND h : {WebBForm_->hwnd(), pCnt.hWnd(), Pic_Btn.hWnd(), WebuTab_->hwnd(), web_tool_->hwnd(),
                   web_min_->hwnd(), web_minmax_->hwnd(), web_close_->hwnd(), PicLogo.hWnd()})
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void WebMainFrm::CreateToolButtons() {
    const HWND strip = Pic_Btn.hWnd();
    Btn_Cache_ = MakeButton(strip, 240, 175, 645, 435);
    Btn_Home_ = MakeButton(strip, 900, 175, 645, 435);
    Btn_customer_ = MakeButton(strip, 1560, 175, 645, 435);
    Btn_Pay_ = MakeButton(strip, 2220, 175, 645, 435);
    Btn_Cache_->Click = [this] { Btn_Cache_Click(); };
    Btn_Home_->Click = [this] { Btn_Home_Click(); };
    Btn_customer_->Click = [this] { Btn_customer_Click(); };
    Btn_Pay_->Click = [this] { Btn_Pay_Click(); };
    toolTips_ = std::make_unique<clsTooltip>();
    SetToolTip(*Btn_Cache_, 1, L"清理缓存");
    SetToolTip(*Btn_Home_, 2, L"官方网站");
    SetToolTip(*Btn_customer_, 3, L"客服");
    SetToolTip(*Btn_Pay_, 4, L"充值");
}

void WebMainFrm::SetToolTip(iButton& button, uint32_t id, const std::wstring& text) {
    button.AutoSize(false);
    RECT rc;
    GetClientRect(button.hwnd(), &rc);
    toolTips_->AddTool_ForRect(button.hwnd(), id, rc, text);
}

void WebMainFrm::LoadCaptionStrips() {
    web_close_->BackPicture(SkinPicture(L"pellow\\close.bmp"));
    web_minmax_->BackPicture(SkinPicture(L"pellow\\minmax.bmp"));
    web_min_->BackPicture(SkinPicture(L"pellow\\min.bmp"));
    web_tool_->BackPicture(SkinPicture(L"pellow\\tool.bmp"));
    for (iButton* b : {web_close_.get(), web_minmax_.get(), web_min_.get(), web_tool_.get()}) ShowButton(*b);
}

void WebMainFrm::LoadToolPictures() {
    ImgLeft.Picture(SkinPicture(L"InitImages\\Pan_Button_left.bmp"));
    ImgRight.Picture(SkinPicture(L"InitImages\\Pan_Button_Right.bmp"));
    Btn_Cache_->BackPicture(SkinPicture(L"Pellow\\tool_clearcache.bmp"));
    Btn_Home_->BackPicture(SkinPicture(L"Pellow\\tool_home.bmp"));
    Btn_customer_->BackPicture(SkinPicture(L"Pellow\\tool_customer.bmp"));
    Btn_Pay_->BackPicture(SkinPicture(L"Pellow\\tool_pay.bmp"));
    for (iButton* b : {Btn_Cache_.get(), Btn_Home_.get(), Btn_customer_.get(), Btn_Pay_.get()}) ShowButton(*b);
    PicLogo.Picture(SkinPicture(L"Ico\\Pellow_Logo.bmp"));
}

void WebMainFrm::OpenGameTab(const std::wstring& address) {
    const std::wstring key = L"Game" + address;
    CTabItems& items = WebuTab_->TabItems();
    const long i = items.FindItem(key);
    if (i == -1) {
        auto page = std::make_shared<WebUrl>();
        page->OpenURL(address);
        items.Add(key, page, key);
        items.Selected(items.Count() - 1);
    } else {
        // The tab keeps whatever it shows: no second load.
        items.Selected(i);
    }
}

void WebMainFrm::Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) {
    WindowState(FormWindowStateConstants::Normal);
    // An empty execute names no page: nothing opens, and it is still accepted.
    if (!CmdStr.empty()) OpenGameTab(CmdStr);
    Cancel = 0;
}

void WebMainFrm::Form_Resize() {
    if (!WebuTab_ || IsIconic(hWnd())) return;
    const int W = Width(), SW = ScaleWidth(), SH = ScaleHeight();
    const PlayerLayout::Result r = PlayerLayout::Compute(
        {W, SW, SH, web_tool_->Value(), PixelsToTwips(WindowHeight(WebuTab_->hwnd())), Pic_Btn.Height(), ImgRight.Width()});

    Try([&] {
        SetWindowPos(WebBForm_->hwnd(), nullptr, 0, 0, Px(r.titleWidth), Px(500), SWP_NOZORDER | SWP_NOACTIVATE);
        WebBForm_->Printform(*this);
    });
    Try([&] { RectRgn(hWnd(), static_cast<int16_t>(r.regionRight), static_cast<int16_t>(r.regionBottom), 6, 6); });
    Try([&] {
        const std::pair<iButton*, int> lefts[] = {
            {web_close_.get(), r.closeLeft}, {web_minmax_.get(), r.minmaxLeft},
            {web_min_.get(), r.minLeft}, {web_tool_.get(), r.toolLeft}};
        for (const auto& [button, left] : lefts) {
            RECT rc;
            GetWindowRect(button->hwnd(), &rc);
            MapWindowPoints(nullptr, hWnd(), reinterpret_cast<POINT*>(&rc), 2);
            SetWindowPos(button->hwnd(), nullptr, Px(left), rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    });
    Try([&] {
        SetWindowPos(WebuTab_->hwnd(), nullptr, Px(r.tabLeft), Px(r.tabTop), Px(r.tabWidth), WindowHeight(WebuTab_->hwnd()),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    });
    if (r.toolVisible) {
        Try([&] { Pic_Btn.Visible(true); });
        Try([&] { Pic_Btn.Move(r.tool.left, r.tool.top, r.tool.width); });
        Try([&] { ImgRight.Move(r.rightEndLeft, 0); });
        Try([&] {
            Pic_Btn.PaintPicture(LoadPicture(folder_ + kSkinFolder + L"InitImages\\Pan_Button_middle.bmp"), 0, 0,
                                 Pic_Btn.ScaleWidth(), Pic_Btn.ScaleHeight());
        });
    } else {
        Try([&] { Pic_Btn.Visible(false); });
    }
    Try([&] { pCnt.Move(r.container.left, r.container.top, r.container.width, r.container.height); });
}

void WebMainFrm::RectRgn(HWND hwnd, int16_t right, int16_t bottom, int16_t cornerWidth, int16_t cornerHeight) {
    // The window owns the region from now on.
    SetWindowRgn(hwnd, CreateRoundRectRgn(0, 0, right, bottom, cornerWidth, cornerHeight), TRUE);
}

void WebMainFrm::Form_Unload(int&) {
    if (WebuTab_) WebuTab_->TabItems().Clear();
    // Its own close event may be the caller of this unload.
    if (objStyle_) HandlerScope::ReleaseAfterHandlers(std::shared_ptr<cSetStyle>(std::move(objStyle_)));
}

void WebMainFrm::objStyle_CloseClick() { web_close_Click(); }

void WebMainFrm::web_close_Click() { Unload(); }

void WebMainFrm::web_min_Click() { WindowState(FormWindowStateConstants::Minimized); }

void WebMainFrm::web_minmax_Click() {
    const bool maximised = objStyle_->CallWindowStateChange();
    // A window maximised to the work area is not dragged by its title bar.
    WebBForm_->frmHwnd(maximised ? nullptr : hWnd());
}

void WebMainFrm::web_tool_Click() {
    // The resize that follows shows or hides the tool strip.
    Height(Height() + (web_tool_->Value() ? PlayerLayout::kToolGrowth : -PlayerLayout::kToolGrowth));
}

void WebMainFrm::Btn_Home_Click() { OpenGameTab(portalUrl_); }

void WebMainFrm::Btn_Pay_Click() { OpenGameTab(portalUrl_ + L"/html/chongzhi.html"); }

void WebMainFrm::Btn_customer_Click() { OpenGameTab(portalUrl_ + L"/kefu.htm"); }

// Cookies and history entries survive the purge; no message follows.
void WebMainFrm::Btn_Cache_Click() { ClearUrlCache("*.*", 0x300000); }

void WebMainFrm::WebuTab_OnMouseDown(long ItemIndex) {
    ArrowCursor();
    // Any press off the tabs moves the window, unless it is maximised.
    if (!web_minmax_->Value() && ItemIndex < 0) {
        ReleaseCapture();
        SendMessageW(hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
}

void WebMainFrm::WebuTab_OnMouseHover(long ItemIndex) {
    CTabItems& items = WebuTab_->TabItems();
    SetTabToolTip(ItemIndex >= 0 && ItemIndex < items.Count() ? items.Item(ItemIndex)->Caption() : L"");
}

void WebMainFrm::SetTabToolTip(const std::wstring& text) {
    tabTipText_ = text;
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = WebuTab_->hwnd();
    ti.uId = 1;
    ti.hinst = GetModuleHandleW(nullptr);
    ti.lpszText = tabTipText_.data();
    SendMessageW(tabTip_->hwnd(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void WebMainFrm::WebuTab_OnItemColose(long, bool& Cancel) {
    // The last tab does not close alone: the player ends with it.
    if (WebuTab_->TabItems().Count() <= 1) {
        web_close_Click();
        Cancel = true;
    }
}
