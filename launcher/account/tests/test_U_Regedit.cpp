// The registration window on real windows against a portal on 127.0.0.1:
// all checks at once, the verification code (made here, checked here, never
// sent), the request address in both channels with query characters in the
// values (kept out of the URL cache), and the replies.
#include "SignInFixture.h"

#include <set>

namespace {

const std::wstring kAlphabet = L"123456789QWERTYUIOPASDFGHJKLZXCVBNM";
const wchar_t kAccepted[] = L"\u221A";

class RegisterTest : public SignInFixture {
protected:
    U_Regedit& Open() {
        U_Regedit& w = TheU_Regedit();
        w.Show(FormShowConstants::Modeless, &TheMainFrm());
        return w;
    }
    void Fill(U_Regedit& w, const std::wstring& name, const std::wstring& pw, const std::wstring& pw1,
              const std::wstring& email, const std::wstring& code) {
        for (TextBox* box : {&w.txt_UserName, &w.txt_PassWord, &w.txt_PassWord1, &w.txt_Email, &w.txt_Code})
            box->Text(L"");
        Type(w.txt_UserName, name);
        Type(w.txt_PassWord, pw);
        Type(w.txt_PassWord1, pw1);
        Type(w.txt_Email, email);
        Type(w.txt_Code, code);
    }
    static std::wstring Lower(std::wstring s) {
        for (wchar_t& c : s) c = static_cast<wchar_t>(towlower(c));
        return s;
    }
    std::vector<std::wstring> Verdicts(U_Regedit& w) {
        return {w.lb_UserName.Caption(), w.lb_PassWord.Caption(), w.lb_PassWord1.Caption(), w.lb_Email.Caption(),
                w.lb_Code1.Caption()};
    }
    // Registers and waits for a reply that changes the message, or the window's end.
    bool Registered(U_Regedit& w, const std::string& path, const std::wstring& before) {
        const size_t asked = server.RequestCount(path);
        ClickButton(w.Btn_Get.Live());
        return Answered(path, asked + 1, [&] { return !w.Loaded() || w.Lberror.Caption() != before; });
    }
};

TEST_F(RegisterTest, ChecksRunTogetherAndTheCodeIsCheckedHereInAnyCase) {
    U_Regedit& w = Open();
    EXPECT_EQ(w.RequestFlag, L"0");
    EXPECT_EQ(Verdicts(w), (std::vector<std::wstring>{L"请输入用户名！", L"请输入密码！", L"请输入确认密码！", L"请输入邮箱！",
                                                      L"请输入验证码！"}));
    const std::wstring code = w.Text2.Text();
    EXPECT_EQ(w.LB_Code.Caption(), code);
    ASSERT_EQ(code.size(), 4u);

    // Everything typed, then emptied: all five complain at once, nothing is sent.
    Fill(w, L"bob", L"secret", L"secret", L"a@b.cn", code);
    ClickButton(w.Btn_Get.Live());
    EXPECT_EQ(w.RequestFlag, L"1");
    EXPECT_TRUE(PumpUntil([&] { return server.RequestCount("/my/register.php") == 1 && !w.Loaded(); }, 20000))
        << "all passed: the request went out and the reply 0 closed the window";
    U_Regedit& v = Open();
    Fill(v, L"x", L"y", L"y", L"z", L"1");
    ClickButton(v.Btn_Get.Live());  // wrong code: the rest are accepted
    Fill(v, L"", L"", L"", L"", L"");
    ClickButton(v.Btn_Get.Live());
    EXPECT_EQ(Verdicts(v), (std::vector<std::wstring>{L"请输入用户名！", L"请输入密码！", kAccepted, L"请输入邮箱！",
                                                      L"请输入验证码！"}))
        << "an empty password leaves the confirmation's verdict as it was";

    // A password with another or an empty confirmation; a wrong code keeps the code.
    const std::wstring current = v.Text2.Text();
    std::wstring wrong = current;
    wrong[0] = current[0] == L'Q' ? L'W' : L'Q';
    Fill(v, L"bob", L"secret", L"", L"a@b.cn", wrong);
    ClickButton(v.Btn_Get.Live());
    EXPECT_EQ(Verdicts(v), (std::vector<std::wstring>{kAccepted, kAccepted, L"两次输入的密码不一致！", kAccepted,
                                                      L"您输入的验证码错误！"}));
    EXPECT_EQ(v.Text2.Text(), current);
    EXPECT_EQ(v.RequestFlag, L"0");

    // A new code on a click; the old one no longer passes, the new one in lower case does.
    ClickWindow(v.LB_Code.hWnd());
    const std::wstring fresh = v.Text2.Text();
    EXPECT_NE(fresh, current);
    EXPECT_EQ(v.LB_Code.Caption(), fresh);
    Fill(v, L"bob", L"secret", L"secret", L"a@b.cn", current);
    ClickButton(v.Btn_Get.Live());
    EXPECT_EQ(v.lb_Code1.Caption(), L"您输入的验证码错误！");
    EXPECT_EQ(v.lb_PassWord1.Caption(), kAccepted);
    EXPECT_EQ(server.RequestCount("/my/register.php"), 1u);
    Reply("用户名已被注册");
    Fill(v, L"bob", L"secret", L"secret", L"a@b.cn", Lower(fresh));
    ASSERT_TRUE(Registered(v, "/my/register.php", L""));
    EXPECT_EQ(Verdicts(v), (std::vector<std::wstring>{kAccepted, kAccepted, kAccepted, kAccepted, kAccepted}));
    EXPECT_EQ(v.Lberror.Caption(), L"用户名已被注册");
    EXPECT_EQ(v.RequestFlag, L"1");
    EXPECT_EQ(LastTarget("/my/register.php"), "/my/register.php?username=bob&password=secret&email=a%40b.cn");
}

TEST_F(RegisterTest, EnterInABoxRegisters) {
    U_Regedit& w = Open();
    ClickWindow(w.txt_UserName.hWnd());
    ASSERT_EQ(GetFocus(), w.txt_UserName.hWnd());
    Type(w.txt_UserName, L"bob");
    PressEnter();
    EXPECT_TRUE(PumpUntil([&] { return w.lb_UserName.Caption() == kAccepted; })) << "Enter in the name box";
    EXPECT_EQ(w.lb_PassWord.Caption(), L"请输入密码！");

    Fill(w, L"bob", L"secret", L"secret", L"a@b.cn", w.Text2.Text());
    ClickWindow(w.txt_Code.hWnd());
    PressEnter();
    ASSERT_TRUE(Answered("/my/register.php", 1, [&] { return !w.Loaded(); })) << "Enter in the code box";
    EXPECT_EQ(LastTarget("/my/register.php"), "/my/register.php?username=bob&password=secret&email=a%40b.cn");
}

TEST_F(RegisterTest, CodesAreFourDifferentAlphabetCharactersAndEveryClickDrawsAgain) {
    U_Regedit& w = Open();
    std::set<std::wstring> codes;
    for (int i = 0; i < 60; ++i) {
        ClickWindow(w.LB_Code.hWnd());  // back-to-back clicks within one clock tick
        const std::wstring code = w.LB_Code.Caption();
        ASSERT_EQ(code.size(), 4u);
        EXPECT_EQ(std::set<wchar_t>(code.begin(), code.end()).size(), 4u);
        for (wchar_t c : code) EXPECT_NE(kAlphabet.find(c), std::wstring::npos) << "no 0, nothing outside the alphabet";
        codes.insert(code);
    }
    EXPECT_GT(codes.size(), 55u);
}

TEST_F(RegisterTest, RepliesChannelsAndQueryCharactersInTheValues) {
    U_Regedit& w = Open();
    ExpectPlacedAndRounded(w.hwnd(), 2860, 2000, 401, 348);
    EXPECT_NE(w.Picture(), nullptr);

    SiteCode = L"6082";
    Reply("邮箱格式不正确");
    Fill(w, L" 李&四=1 ", L"p#+% q", L"p#+% q", L"a&email=b", Lower(w.Text2.Text()));
    ASSERT_TRUE(Registered(w, "/register.php", L""));
    EXPECT_EQ(LastTarget("/register.php"),
              "/register.php?username=%20%E6%9D%8E%26%E5%9B%9B%3D1%20&password=p%23%2B%25%20q&email=a%26email%3Db");
    EXPECT_EQ(w.Lberror.Caption(), L"邮箱格式不正确");
    EXPECT_FALSE(InCache(LastTarget("/register.php"))) << "the address with the password is in the URL cache";

    // The same reply again changes nothing: the message shown is not rewritten.
    w.Lberror.Caption(L"");
    const size_t asked = server.RequestCount("/register.php");
    ClickButton(w.Btn_Get.Live());
    ASSERT_TRUE(Answered("/register.php", asked + 1, [] { return true; }));
    PumpFor(700);
    EXPECT_EQ(w.Lberror.Caption(), L"");

    Reply(std::string(1001, 'y'));
    ASSERT_TRUE(Registered(w, "/register.php", L""));
    EXPECT_EQ(w.Lberror.Caption(), L"服务器连接超时");
    EXPECT_EQ(w.Lenstr(std::wstring(70000, L'y')), 70000u);

    // Success refreshes the web pane and closes the window.
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/my/space1.php") >= 1; }, 20000));
    PumpFor(300);
    const size_t spaceLoads = server.RequestCount("/my/space1.php");
    Reply("0\n");
    ASSERT_TRUE(Registered(w, "/register.php", w.Lberror.Caption()));
    EXPECT_FALSE(w.Loaded());
    EXPECT_TRUE(PumpUntil([&] { return server.RequestCount("/my/space1.php") > spaceLoads; }, 20000));
}

}  // namespace
