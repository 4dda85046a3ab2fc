#include "U_Regedit.h"

#include <cwctype>

#include "Api_bar.h"
#include "FormDrag.h"
#include "MainFrm.h"
#include "MainMe.h"
#include "PortalRequest.h"
#include "ProgramFiles.h"
#include "ReplyCapture.h"
#include "Settings.h"
#include "WebBrowser.h"
#include "iButton.h"

namespace {

constexpr int16_t kWidth = 401, kHeight = 348, kCorner = 6;
constexpr OLE_COLOR kFill = 0xFDF9F6;  // RGB(246, 249, 253), the background picture's own
const wchar_t kAccepted[] = L"\u221A";

void Transparent(Label& label, const std::wstring& caption) {
    label.Caption(caption);
    label.BackStyle(Label::BackStyleConstants::Transparent);
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

}  // namespace

U_Regedit::U_Regedit()
    : Label1(*this), Label2(*this), Label3(*this), Label4(*this), Label5(*this), txt_UserName(*this),
      txt_PassWord(*this), txt_PassWord1(*this), txt_Email(*this), txt_Code(*this), lb_UserName(*this),
      lb_PassWord(*this), lb_PassWord1(*this), lb_Email(*this), lb_Code1(*this), LB_Code(*this), Text1(*this),
      Text2(*this), Command1(*this), Lberror(*this), txt_state(*this) {
    BorderStyle(FormBorderStyleConstants::None);
    Caption(L"用户注册");
    BackColor(kFill);
    ClientSize(kWidth * 15, kHeight * 15);

    // One row per input: caption, box, verdict.
    struct Row {
        Label& caption;
        const wchar_t* text;
        TextBox& box;
        Label& verdict;
        const wchar_t* hint;
    };
    const Row rows[] = {{Label1, L"用 户 名：", txt_UserName, lb_UserName, L"请输入用户名！"},
                        {Label2, L"密    码：", txt_PassWord, lb_PassWord, L"请输入密码！"},
                        {Label3, L"确认密码：", txt_PassWord1, lb_PassWord1, L"请输入确认密码！"},
                        {Label4, L"电子邮箱：", txt_Email, lb_Email, L"请输入邮箱！"},
                        {Label5, L"验 证 码：", txt_Code, lb_Code1, L"请输入验证码！"}};
    int top = 900;
    for (const Row& row : rows) {
        Transparent(row.caption, row.text);
        row.caption.Move(360, top + 60, 1140, 255);
        row.box.Move(1500, top, 2400, 330);
        Transparent(row.verdict, row.hint);
        row.verdict.ForeColor(0x0000C0);  // RGB(192, 0, 0)
        row.verdict.Move(4020, top + 60, 1920, 255);
        top += 540;
    }
    txt_PassWord.PasswordChar(L'*');
    txt_PassWord1.PasswordChar(L'*');
    txt_Code.Width(1100);
    txt_Code.MaxLength(4);
    LB_Code.Move(2700, 900 + 4 * 540, 1200, 330);
    LB_Code.BackColor(0xE0E0E0);
    LB_Code.FontSize(14);
    LB_Code.FontBold(true);
    LB_Code.Alignment(Label::AlignmentConstants::Center);
    LB_Code.ToolTipText(L"看不清？点击换一个");
    LB_Code.Click = [this] { MakeCode(); };

    // Outside the visible area: the alphabet and the current code.
    Text1.Move(-6000, 0, 3000, 330);
    Text1.Text(L"123456789QWERTYUIOPASDFGHJKLZXCVBNM");
    Text2.Move(-6000, 400, 3000, 330);
    Text2.MaxLength(4);

    Btn_Get.Move(2445, 3780, 1125, 345);
    Btn_Get.Design = [this](iButton& b) {
        b.Caption(L"注 册");
        b.Click = [this] { Register(); };
    };
    // Outside the visible area: the default button, so that Enter in any box registers.
    Command1.Caption(L"注册");
    Command1.Move(-2000, 0, 900, 345);
    Command1.Default(true);
    Command1.Click = [this] { Register(); };
    W_Close.Move(kWidth * 15 - 570 - 60, 15, 570, 285);
    W_Close.ToolTipText(L"关闭");
    W_Close.Design = [this](iButton& b) { b.Click = [this] { Unload(); }; };

    Transparent(Lberror, L"");
    Lberror.ForeColor(0x0000C0);
    Lberror.Move(360, 4320, 5300, 600);

    txt_state.Visible(false);
    txt_state.Change = [this] { txt_state_Change(); };
    WB.Move(0, 0, 1500, 1500);
    WB.Visible(false);
    WB.Design = [this](WebBrowser& w) {
        w.Silent(true);
        w.NoCache(true);  // the request address holds the password
        w.DocumentComplete = [this](const std::wstring&) { WB_DocumentComplete(); };
    };
}

U_Regedit::~U_Regedit() = default;

void U_Regedit::Form_Load() {
    MainFrm& owner = TheMainFrm();
    Move(owner.Left() + 2860, owner.Top() + 2000);
    W_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\pop_close.bmp"));
    Btn_Get->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\btn75_23.bmp"));
    SetRoundRegion(hwnd(), kWidth, kHeight, kCorner, kCorner);
    Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\Regedit_bg.gif"));
    RequestFlag = L"0";
    MakeCode();
}

void U_Regedit::Form_MouseDown(int Button, int, int, int) {
    if (Button == 1) DragByMouse(hwnd());
}

std::size_t U_Regedit::Lenstr(const std::wstring& text) const { return ::Lenstr(text); }

void U_Regedit::MakeCode() {
    Text2.Text(L"");
    Text2.Text(code_.Shuffle(Text1.Text()));  // the box keeps the first four
    LB_Code.Caption(Text2.Text());
}

void U_Regedit::Register() {
    bool passed = true;
    auto verdict = [&passed](Label& label, bool ok, const wchar_t* complaint) {
        label.Caption(ok ? kAccepted : complaint);
        passed = passed && ok;
    };
    verdict(lb_UserName, !txt_UserName.Text().empty(), L"请输入用户名！");
    if (txt_PassWord.Text().empty()) {
        verdict(lb_PassWord, false, L"请输入密码！");
    } else {
        verdict(lb_PassWord, true, nullptr);
        verdict(lb_PassWord1, txt_PassWord1.Text() == txt_PassWord.Text(), L"两次输入的密码不一致！");
    }
    verdict(lb_Email, !txt_Email.Text().empty(), L"请输入邮箱！");
    const std::wstring code = txt_Code.Text();
    if (code.empty())
        verdict(lb_Code1, false, L"请输入验证码！");
    else
        verdict(lb_Code1, Upper(code) == Text2.Text(), L"您输入的验证码错误！");
    if (!passed) return;
    RequestFlag = L"1";
    WB->Navigate(RegisterAddress(GetUserUrl(), SiteCode, txt_UserName.Text(), txt_PassWord.Text(), txt_Email.Text()));
}

void U_Regedit::WB_DocumentComplete() {
    if (RequestFlag != L"1") return;
    std::wstring page;
    try {
        page = WB->Document()->documentElement().outerHTML();
    } catch (...) {
        return;  // an unreadable page is no reply
    }
    txt_state.Text(CaptureReply(page));
}

void U_Regedit::txt_state_Change() {
    const std::wstring reply = txt_state.Text();
    if (reply != L"0") {
        Lberror.Caption(Lenstr(reply) < 1001 ? reply : L"服务器连接超时");
        return;
    }
    TheMainMe().WebRefresh();
    Unload();
}

U_Regedit& TheU_Regedit() {
    static U_Regedit form;
    return form;
}
