#include "WebMainFrm.h"

#include "BitmapTabSkin.h"
#include "CacheMain.h"
#include "HandlerScope.h"
#include "MsgBox.h"
#include "PlayerLayout.h"
#include "PortalConfig.h"
#include "WebUrl.h"
#include "WindowRegion.h"

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

}  // namespace

WebMainFrm::WebMainFrm(std::wstring commandLine, std::wstring programFolder)
    : command_(std::move(commandLine)), folder_(std::move(programFolder)) {
    // Paths are joined with a backslash of their own ("C:\" becomes "C:").
    while (!folder_.empty() && folder_.back() == L'\\') folder_.pop_back();
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(PlayerLayout::kDesignWidth, PlayerLayout::kDesignHeight);
    LinkTopic(L"PellowDDE");
    LinkMode(1);

    const int w = PlayerLayout::kDesignWidth;
    WebBForm.Move(0, 0, w);
    WebBForm.Design = [](BForm& bar) {
        bar.BackColor(std::to_wstring(RGB(222, 222, 222)));
        bar.MouseMove = [](int16_t&, int16_t&, float&, float&) { ArrowCursor(); };
    };
    PicLogo.Move(180, 30, 440, 440);

    web_tool.Move(w - 1825, 15, 360, 270);
    web_min.Move(w - 1465, 15, 360, 270);
    web_minmax.Move(w - 1105, 15, 375, 270);
    web_close.Move(w - 730, 15, 645, 270);
    web_tool.Design = [this](iButton& b) {
        b.Style(1);
        b.Click = [this] { web_tool_Click(); };
    };
    web_min.Design = [this](iButton& b) { b.Click = [this] { web_min_Click(); }; };
    web_minmax.Design = [this](iButton& b) {
        b.Style(1);
        b.Click = [this] { web_minmax_Click(); };
    };
    web_close.Design = [this](iButton& b) { b.Click = [this] { web_close_Click(); }; };

    WebuTab.Move(100, 45, w - 2000);
    WebuTab.Make = [this](HWND parent, const RECT& place) { return MakeStrip(parent, place); };
    WebuTab.Design = [this](uTab& strip) {
        strip.OnMouseDown = [this](long i, short&, short&, float&, float&) { WebuTab_OnMouseDown(i); };
        strip.OnMouseHover = [this](long i, short&, short&, float&, float&) { WebuTab_OnMouseHover(i); };
        strip.OnMouseMove = [](long, short&, short&, float&, float&) { ArrowCursor(); };
        strip.OnItemColose = [this](long index, bool& Cancel) { WebuTab_OnItemColose(index, Cancel); };
    };

    Pic_Btn.Move(60, 0, w - 120, 780);
    Pic_Btn.Visible(false);
    Pic_Btn.AutoRedraw(true);
    const struct {
        Hosted<iButton>& button;
        int left;
        void (WebMainFrm::*click)();
    } tools[] = {{Btn_Cache, 240, &WebMainFrm::Btn_Cache_Click},
                 {Btn_Home, 900, &WebMainFrm::Btn_Home_Click},
                 {Btn_customer, 1560, &WebMainFrm::Btn_customer_Click},
                 {Btn_Pay, 2220, &WebMainFrm::Btn_Pay_Click}};
    for (const auto& tool : tools) {
        tool.button.Move(tool.left, 175, 645, 435);
        tool.button.Design = [this, click = tool.click](iButton& b) {
            b.AutoSize(false);
            b.Click = [this, click] { (this->*click)(); };
        };
    }
    Btn_Cache.ToolTipText(L"清理缓存");
    Btn_Home.ToolTipText(L"官方网站");
    Btn_customer.ToolTipText(L"客服");
    Btn_Pay.ToolTipText(L"充值");
    ImgLeft.Move(0, 0, 135, 780);
    ImgRight.Move(w - 120 - 135, 0, 135, 780);

    for (PictureBox* box : {&PicLogo, &pCnt, &Pic_Btn}) {
        box->MouseDown = [](int, int, int, int) { ArrowCursor(); };
        box->MouseMove = [](int, int, int, int) { ArrowCursor(); };
    }
}

WebMainFrm::~WebMainFrm() = default;

std::unique_ptr<uTab> WebMainFrm::MakeStrip(HWND parent, const RECT& place) {
    missingSheet_.reset();
    std::unique_ptr<BitmapTabSkin> skin;
    try {
        skin = std::make_unique<BitmapTabSkin>(folder_);
    } catch (const SkinFileError& e) {
        // The strip cannot be drawn without its sheets; the load reports it.
        missingSheet_ = e.Path();
        return nullptr;
    }
    PropertyBag saved;
    saved.WriteProperty<int32_t>(L"TabStyle", 1, 0);
    saved.WriteProperty<int32_t>(L"TabLeftSize", 40, 40);
    saved.WriteProperty<int32_t>(L"TabRightSize", 0, 0);
    return HostTraits<uTab>::Make(parent, place, uTab::Variant{std::move(skin), ReleaseAsItWas}, saved);
}

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
    if (missingSheet_) {
        MsgBox(L"无法载入皮肤文件：\n" + *missingSheet_ + L"\n游戏浏览器不能启动。", MB_OK | MB_ICONERROR);
        End();
        return;
    }

    // Front to back as a person sees them: logo, caption buttons, tabs, tools, pages, title bar.
    for (HWND h : {WebBForm.hwnd(), pCnt.hwnd(), Pic_Btn.hwnd(), WebuTab.hwnd(), web_tool.hwnd(), web_min.hwnd(),
                   web_minmax.hwnd(), web_close.hwnd(), PicLogo.hwnd()})
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    objStyle_ = std::make_unique<cSetStyle>();
    objStyle_->CloseClick = [this] { objStyle_CloseClick(); };
    AutoRedraw(true);
    objStyle_->objForm(this);
    objStyle_->MinimumSize(PlayerLayout::kMinWidth, PlayerLayout::kMinHeight);
    objStyle_->SetWindowStyle(hWnd());

    WebBForm->Caption(Caption());
    WebBForm->frmHwnd(hWnd());
    web_close->BackPicture(SkinPicture(L"pellow\\close.bmp"));
    web_minmax->BackPicture(SkinPicture(L"pellow\\minmax.bmp"));
    web_min->BackPicture(SkinPicture(L"pellow\\min.bmp"));
    web_tool->BackPicture(SkinPicture(L"pellow\\tool.bmp"));
    WebuTab->hContainerWnd(pCnt.hWnd());
    OpenGameTab(command_);
    WebuTab->LockReDraw(false);

    ImgLeft.Picture(SkinPicture(L"InitImages\\Pan_Button_left.bmp"));
    ImgRight.Picture(SkinPicture(L"InitImages\\Pan_Button_Right.bmp"));
    Btn_Cache->BackPicture(SkinPicture(L"Pellow\\tool_clearcache.bmp"));
    Btn_Home->BackPicture(SkinPicture(L"Pellow\\tool_home.bmp"));
    Btn_customer->BackPicture(SkinPicture(L"Pellow\\tool_customer.bmp"));
    Btn_Pay->BackPicture(SkinPicture(L"Pellow\\tool_pay.bmp"));
    PicLogo.Picture(SkinPicture(L"Ico\\Pellow_Logo.bmp"));
}

void WebMainFrm::OpenGameTab(const std::wstring& address) {
    const std::wstring key = L"Game" + address;
    CTabItems& items = WebuTab->TabItems();
    const long i = items.FindItem(key);
    if (i == -1) {
        auto page = std::make_shared<WebUrl>();
        page->ParentWindow(pCnt.hWnd());
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
    if (!objStyle_ || IsIconic(hWnd())) return;
    const PlayerLayout::Result r = PlayerLayout::Compute({Width(), ScaleWidth(), ScaleHeight(), web_tool->Value(),
                                                          WebuTab.Height(), Pic_Btn.Height(), ImgRight.Width()});
    Try([&] {
        WebBForm.Move(0, 0, r.titleWidth);
        WebBForm->Printform(*this);
    });
    Try([&] { RectRgn(hWnd(), static_cast<int16_t>(r.regionRight), static_cast<int16_t>(r.regionBottom), 6, 6); });
    Try([&] {
        web_close.Left(r.closeLeft);
        web_minmax.Left(r.minmaxLeft);
        web_min.Left(r.minLeft);
        web_tool.Left(r.toolLeft);
    });
    Try([&] { WebuTab.Move(r.tabLeft, r.tabTop, r.tabWidth); });
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
    SetRoundRectRegion(hwnd, right, bottom, cornerWidth, cornerHeight);
}

void WebMainFrm::Form_Unload(int&) {
    if (uTab* strip = WebuTab.Live()) strip->TabItems().Clear();
    // Its own close event may be the caller of this unload.
    if (objStyle_) HandlerScope::ReleaseAfterHandlers(std::shared_ptr<cSetStyle>(std::move(objStyle_)));
}

void WebMainFrm::objStyle_CloseClick() { web_close_Click(); }

void WebMainFrm::web_close_Click() { Unload(); }

void WebMainFrm::web_min_Click() { WindowState(FormWindowStateConstants::Minimized); }

void WebMainFrm::web_minmax_Click() {
    const bool maximised = objStyle_->CallWindowStateChange();
    // A window maximised to the work area is not dragged by its title bar.
    WebBForm->frmHwnd(maximised ? nullptr : hWnd());
}

void WebMainFrm::web_tool_Click() {
    // The resize that follows shows or hides the tool strip.
    Height(Height() + (web_tool->Value() ? PlayerLayout::kToolGrowth : -PlayerLayout::kToolGrowth));
}

void WebMainFrm::Btn_Home_Click() { OpenGameTab(portalUrl_); }

void WebMainFrm::Btn_Pay_Click() { OpenGameTab(portalUrl_ + L"/html/chongzhi.html"); }

void WebMainFrm::Btn_customer_Click() { OpenGameTab(portalUrl_ + L"/kefu.htm"); }

// Cookies and history entries survive the purge; no message follows.
void WebMainFrm::Btn_Cache_Click() { ClearUrlCache("*.*", 0x300000); }

void WebMainFrm::WebuTab_OnMouseDown(long ItemIndex) {
    ArrowCursor();
    // Any press off the tabs moves the window, unless it is maximised.
    if (!web_minmax->Value() && ItemIndex < 0) {
        ReleaseCapture();
        SendMessageW(hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
}

void WebMainFrm::WebuTab_OnMouseHover(long ItemIndex) {
    CTabItems& items = WebuTab->TabItems();
    WebuTab.ToolTipText(ItemIndex >= 0 && ItemIndex < items.Count() ? items.Item(ItemIndex)->Caption() : L"");
}

void WebMainFrm::WebuTab_OnItemColose(long, bool& Cancel) {
    // The last tab does not close alone: the player ends with it.
    if (WebuTab->TabItems().Count() <= 1) {
        web_close_Click();
        Cancel = true;
    }
}
