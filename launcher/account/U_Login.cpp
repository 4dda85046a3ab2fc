#include "U_Login.h"

#include "Api_bar.h"
#include "CatalogueGroup.h"
#include "FormDrag.h"
#include "MainFrm.h"
#include "MainMe.h"
#include "MsgBox.h"
#include "PortalRequest.h"
#include "ProgramFiles.h"
#include "ReplyCapture.h"
#include "Settings.h"
#include "SqlText.h"
#include "U_Regedit.h"
#include "UtfToGb.h"
#include "WebBrowser.h"
#include "iButton.h"

namespace {

constexpr int16_t kWidth = 334, kHeight = 227, kCorner = 6;

// Blanks at both ends go; other white space is part of the name.
std::wstring TrimBlanks(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

void MakeTransparent(Label& label, const std::wstring& caption) {
    label.Caption(caption);
    label.BackStyle(Label::BackStyleConstants::Transparent);
}

}  // namespace

bool RememberedPassword(const std::wstring& userName, std::wstring& passWord) {
    CatalogueGroup group;
    CatalogueQuery lookup(group, L"Select * From [Users]  Where [U_UserName] = '" + SqlText(TrimBlanks(userName)) + L"'");
    bool found = false;
    while (lookup.Step()) {
        passWord = Utf8UrlDecode(lookup.Text(2));
        found = true;
    }
    return found;
}

bool RememberAccount(const std::wstring& userName, const std::wstring& passWord) {
    CatalogueGroup group;
    const std::wstring name = SqlText(TrimBlanks(userName));
    // Together or not at all: a refused insert keeps the account remembered before.
    return group.ExecAll({L"Delete From [Users] Where [U_UserName] = '" + name + L"'",
                          L"Insert Into Users(U_UserName,U_PassWord) Values('" + name + L"','" +
                              SqlText(TrimBlanks(passWord)) + L"')"});
}

std::wstring NotRememberedMessage(const std::wstring& userName) {
    return L"已登录，但无法记住账号“" + TrimBlanks(userName) + L"”的密码：游戏数据库无法写入。";
}

U_Login::U_Login()
    : Label1(*this), Label2(*this), txt_UserName(*this), txt_PassWord(*this), chk_save(*this), chk_cookies(*this),
      Cmd_Enter(*this), LB_Regedit(*this), Picerror(*this), Lberror(Picerror), txt_state(*this) {
    BorderStyle(FormBorderStyleConstants::None);
    Caption(L"用户登录");
    BackColor(0xFDF9F6);  // RGB(246, 249, 253), the background picture's own
    ClientSize(kWidth * 15, kHeight * 15);

    MakeTransparent(Label1, L"用户名：");
    Label1.Move(600, 750, 900, 255);
    MakeTransparent(Label2, L"密  码：");
    Label2.Move(600, 1230, 900, 255);
    txt_UserName.Move(1500, 690, 2550, 330);
    txt_UserName.Change = [this] { txt_UserName_Change(); };
    txt_UserName.Click = [this] { Picerror.Visible(false); };
    txt_PassWord.Move(1500, 1170, 2550, 330);
    txt_PassWord.PasswordChar(L'*');
    txt_PassWord.Click = [this] { Picerror.Visible(false); };
    chk_save.Caption(L"记住密码");
    chk_save.BackColor(0xFDF9F6);
    chk_save.Move(1500, 1620, 1200, 285);
    chk_cookies.Caption(L"自动登录");
    chk_cookies.BackColor(0xFDF9F6);
    chk_cookies.Move(2850, 1620, 1200, 285);
    MakeTransparent(LB_Regedit, L"注册账号");
    LB_Regedit.ForeColor(0xB06020);  // RGB(32, 96, 176)
    LB_Regedit.FontUnderline(true);
    LB_Regedit.Move(4140, 750, 800, 255);
    LB_Regedit.Click = [this] { LB_Regedit_Click(); };

    Btn_Get.Move(1500, 2010, 1125, 345);
    Btn_Get.Design = [this](iButton& b) {
        b.Caption(L"登 录");
        b.Click = [this] { SignIn(); };
    };
    Btn_Close.Move(2925, 2010, 1125, 345);
    Btn_Close.Design = [this](iButton& b) {
        b.Caption(L"取 消");
        b.Click = [this] { Unload(); };
    };
    W_Close.Move(kWidth * 15 - 570 - 60, 15, 570, 285);
    W_Close.ToolTipText(L"关闭");
    W_Close.Design = [this](iButton& b) { b.Click = [this] { Unload(); }; };
    // Outside the visible area: the same action as the picture button, and
    // the form's default button, so that Enter in either box signs in.
    Cmd_Enter.Caption(L"登录");
    Cmd_Enter.Move(-2000, 0, 900, 345);
    Cmd_Enter.Default(true);
    Cmd_Enter.Click = [this] { SignIn(); };

    Picerror.Move(255, 2450, 4500, 360);
    Picerror.Visible(false);
    MakeTransparent(Lberror, L"");
    Lberror.ForeColor(0x0000C0);  // RGB(192, 0, 0)
    Lberror.Move(120, 60, 4260, 255);

    txt_state.Visible(false);
    txt_state.Change = [this] { txt_state_Change(); };
    WebBrowser1.Move(0, 0, 1500, 1500);
    WebBrowser1.Visible(false);
    WebBrowser1.Design = [this](WebBrowser& w) {
        w.Silent(true);
        w.NoCache(true);  // the request address holds the password
        w.DocumentComplete = [this](const std::wstring&) { WebBrowser1_DocumentComplete(); };
    };
}

U_Login::~U_Login() = default;

void U_Login::Form_Load() {
    RequestFlag = L"0";
    MainFrm& owner = TheMainFrm();
    Move(owner.Left() + 3500, owner.Top() + 2100);
    W_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\pop_close.bmp"));
    Btn_Get->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\btn75_23.bmp"));
    Btn_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\btn75_23.bmp"));
    Picerror.Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\LoginError_bg.bmp"));
    Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\Login_bg.gif"));
    if (auto hand = LoadSkinPicture(L"Skin\\DefaultSkin\\Cur\\harrow.cur")) {
        LB_Regedit.MouseIcon(hand);
        LB_Regedit.MousePointer(MousePointerConstants::Custom);
    }
    SetRoundRegion(hwnd(), kWidth, kHeight, kCorner, kCorner);
}

void U_Login::Form_MouseDown(int Button, int, int, int) {
    if (Button == 1) DragByMouse(hwnd());
}

std::size_t U_Login::Lenstr(const std::wstring& text) const { return ::Lenstr(text); }

void U_Login::ShowMessage(const std::wstring& text) {
    Lberror.Caption(text);
    Picerror.Visible(true);
}

void U_Login::InputsEnabled(bool value) {
    txt_PassWord.Enabled(value);
    txt_UserName.Enabled(value);
}

void U_Login::SignIn() {
    txt_state.Text(L"");
    RequestFlag = L"1";
    if (txt_UserName.Text().empty()) return ShowMessage(L"请输入用户名!");
    if (txt_PassWord.Text().empty()) return ShowMessage(L"请输入密码!");
    ShowMessage(L"系统登陆中...");
    InputsEnabled(false);
    WebBrowser1->Navigate(
        LoginAddress(GetUserUrl(), SiteCode, txt_UserName.Text(), txt_PassWord.Text(), chk_cookies.Value() == 1));
}

void U_Login::WebBrowser1_DocumentComplete() {
    if (RequestFlag != L"1") return;
    std::wstring page;
    try {
        page = WebBrowser1->Document()->documentElement().outerHTML();
    } catch (...) {
        return;  // an unreadable page is no reply
    }
    txt_state.Text(CaptureReply(page));
}

void U_Login::txt_state_Change() {
    const std::wstring reply = txt_state.Text();
    if (reply != L"0") {
        ShowMessage(Lenstr(reply) < 1001 ? reply : L"服务器连接超时");
        InputsEnabled(true);
        return;
    }
    if (chk_save.Value() == 1 && !RememberAccount(txt_UserName.Text(), txt_PassWord.Text()))
        MsgBox(NotRememberedMessage(txt_UserName.Text()), MB_OK | MB_ICONEXCLAMATION);
    TheMainMe().WebRefresh();
    Unload();
}

void U_Login::txt_UserName_Change() {
    std::wstring passWord;
    if (!RememberedPassword(txt_UserName.Text(), passWord)) return;
    txt_PassWord.Text(passWord);
    chk_save.Value(1);
}

void U_Login::LB_Regedit_Click() {
    Unload();
    TheU_Regedit().Show(FormShowConstants::Modeless, &TheMainFrm());
}

U_Login& TheU_Login() {
    static U_Login form;
    return form;
}
