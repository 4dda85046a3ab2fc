// The sign-in window on real windows against a portal on 127.0.0.1: the
// request address in both channels with typed values that hold blanks,
// query characters and Chinese (kept out of the URL cache), the replies
// ("0" with a line break, error texts, long and empty pages), remembered
// accounts in a real catalogue database, and the ways the window is opened.
#include "SignInFixture.h"

#include "MainMe.h"
#include "UtfToGb.h"
#include "WebBrowser.h"

namespace {

class SignInTest : public SignInFixture {
protected:
    U_Login& Open() {
        U_Login& w = TheU_Login();
        w.Show(FormShowConstants::Modeless, &TheMainFrm());
        return w;
    }
    // Signs in with what the boxes hold and waits for the reply's handling.
    void SignIn(U_Login& w, const std::string& path) {
        const size_t before = server.RequestCount(path);
        ClickButton(w.Btn_Get.Live());
        ASSERT_TRUE(Answered(path, before + 1, [&] { return !w.Loaded() || w.Lberror.Caption() != L"系统登陆中..."; }));
    }
    int Rows(const std::wstring& where) { return env.QueryInt(L"Select count(*) From Users Where " + where); }
};

TEST_F(SignInTest, ValuesTravelEncodedInBothChannelsAndAnAccountIsRememberedTrimmed) {
    ASSERT_TRUE(PumpUntil([&] { return server.RequestCount("/my/space1.php") >= 1; }, 20000));
    PumpFor(300);
    const size_t spaceLoads = server.RequestCount("/my/space1.php");
    U_Login& w = Open();
    Type(w.txt_UserName, L" bob&x=1 ");
    Type(w.txt_PassWord, L"a&b#c+d%e=f g");
    EXPECT_EQ(w.chk_save.Value(), 0);  // nothing remembered yet
    ClickWindow(w.chk_save.hWnd());
    EXPECT_EQ(w.chk_save.Value(), 1);
    Reply("0\r\n");
    SignIn(w, "/my/login.php");
    EXPECT_EQ(LastTarget("/my/login.php"),
              "/my/login.php?username=%20bob%26x%3D1%20&password=a%26b%23c%2Bd%25e%3Df%20g&cookiesstate=0");
    // Success: remembered under the trimmed name, web pane refreshed, window gone.
    EXPECT_FALSE(w.Loaded());
    EXPECT_FALSE(InCache(LastTarget("/my/login.php"))) << "the address with the password is in the URL cache";
    EXPECT_EQ(Rows(L"U_UserName = 'bob&x=1' And U_PassWord = 'a&b#c+d%e=f g'"), 1);
    EXPECT_TRUE(PumpUntil([&] { return server.RequestCount("/my/space1.php") > spaceLoads; }, 20000));
    const size_t afterFirst = server.RequestCount("/my/space1.php");
    // The web pane asks with the cookie the sign-in got: one signed-in state.
    EXPECT_EQ(LastCookie("/my/space1.php"), "who=" + std::to_string(LastTarget("/my/login.php").size()));
    EXPECT_TRUE(InCache("/my/space1.php")) << "the pane's pages are cached as ever";

    // The 6082 channel, cookies kept, nothing remembered without the box.
    SiteCode = L"6082";
    U_Login& again = Open();
    Type(again.txt_UserName, L"carol");
    Type(again.txt_PassWord, L"pw");
    ClickWindow(again.chk_cookies.hWnd());
    SignIn(again, "/login.php");
    EXPECT_EQ(LastTarget("/login.php"), "/login.php?username=carol&password=pw&cookiesstate=1");
    EXPECT_FALSE(InCache(LastTarget("/login.php")));
    EXPECT_FALSE(again.Loaded());
    EXPECT_EQ(Rows(L"U_UserName = 'carol'"), 0);
    EXPECT_TRUE(PumpUntil([&] { return server.RequestCount("/my/space1.php") > afterFirst; }, 20000));
}

TEST_F(SignInTest, ChineseAndApostropheNamesAreRememberedFoundAgainAndTouchOnlyTheirRows) {
    env.Exec(std::vector<std::wstring>{L"Insert Into Users(U_UserName,U_PassWord) Values('other','keep')",
              L"Insert Into Users(U_UserName,U_PassWord) Values('o''neil','old')"});
    for (const std::wstring& name : {std::wstring(L"张三"), std::wstring(L"o'neil")}) {
        U_Login& w = Open();
        Type(w.txt_UserName, name);
        if (name == L"o'neil") {  // the old row was found while typing
            EXPECT_EQ(w.txt_PassWord.Text(), L"old");
            EXPECT_EQ(w.chk_save.Value(), 1);
            w.txt_PassWord.Text(L"");
        } else {
            ClickWindow(w.chk_save.hWnd());
        }
        Type(w.txt_PassWord, L"新 pass'1");
        SignIn(w, "/my/login.php");
        EXPECT_FALSE(w.Loaded());
    }
    EXPECT_NE(LastTarget("/my/login.php").find("username=o%27neil&password=%E6%96%B0%20pass%271"), std::string::npos);
    EXPECT_EQ(Rows(L"U_UserName = '%E5%BC%A0%E4%B8%89' And U_PassWord = '%E6%96%B0 pass''1'"), 1);
    EXPECT_EQ(Rows(L"U_UserName = 'o''neil'"), 1);
    EXPECT_EQ(Rows(L"U_UserName = 'o''neil' And U_PassWord = '%E6%96%B0 pass''1'"), 1);
    EXPECT_EQ(Rows(L"U_UserName = 'other' And U_PassWord = 'keep'"), 1);
    EXPECT_EQ(Rows(L"1"), 3);

    // Found again at the keystroke that completes the name; typing on keeps it.
    U_Login& w = Open();
    Type(w.txt_UserName, L" 张");
    EXPECT_EQ(w.txt_PassWord.Text(), L"");
    EXPECT_EQ(w.chk_save.Value(), 0);
    Type(w.txt_UserName, L"三 ");
    EXPECT_EQ(w.txt_PassWord.Text(), L"新 pass'1");
    EXPECT_EQ(w.chk_save.Value(), 1);
    Type(w.txt_UserName, L"x");
    EXPECT_EQ(w.txt_PassWord.Text(), L"新 pass'1");
    // A name built to widen the lookup finds nothing.
    w.Unload();
    U_Login& w2 = Open();
    Type(w2.txt_UserName, L"x' or '1'='1");
    EXPECT_EQ(w2.txt_PassWord.Text(), L"");
    EXPECT_EQ(w2.chk_save.Value(), 0);
}

// The library refuses the new row (a full disk, a file another program
// holds): the account remembered before stays, and the user is told that
// this one was not remembered; the sign-in itself has succeeded.
TEST_F(SignInTest, AnAccountThatCannotBeRememberedKeepsTheOldOneAndIsReported) {
    MsgBoxRecorder boxes;
    env.Exec(std::vector<std::wstring>{
        L"Insert Into Users(U_UserName,U_PassWord) Values('dave','old')",
        L"Create Trigger Refused Before Insert On Users Begin Select Raise(Abort, 'disk full'); End"});
    U_Login& w = Open();
    Type(w.txt_UserName, L"dave");
    EXPECT_EQ(w.txt_PassWord.Text(), L"old");
    w.txt_PassWord.Text(L"");
    Type(w.txt_PassWord, L"new");
    SignIn(w, "/my/login.php");
    EXPECT_EQ(Rows(L"U_UserName = 'dave' And U_PassWord = 'old'"), 1) << "the remembered account was lost";
    EXPECT_EQ(Rows(L"1"), 1);
    EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{L"已登录，但无法记住账号“dave”的密码：游戏数据库无法写入。"});
    EXPECT_FALSE(w.Loaded());
}

TEST_F(SignInTest, EmptyInputsErrorTextsLongAndEmptyReplies) {
    U_Login& w = Open();
    EXPECT_EQ(w.RequestFlag, L"0");
    ClickButton(w.Btn_Get.Live());
    EXPECT_TRUE(w.Picerror.Visible());
    EXPECT_EQ(w.Lberror.Caption(), L"请输入用户名!");
    EXPECT_EQ(w.RequestFlag, L"1");
    ClickWindow(w.txt_UserName.hWnd());  // clicking into a box hides the panel
    EXPECT_FALSE(w.Picerror.Visible());
    Type(w.txt_UserName, L"bob");
    SendMessageW(w.Cmd_Enter.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(w.Lberror.Caption(), L"请输入密码!");
    EXPECT_EQ(server.RequestCount("/my/login.php"), 0u);

    Type(w.txt_PassWord, L"wrong");
    Reply("<p>密码 错误</p>\n");
    SignIn(w, "/my/login.php");
    EXPECT_EQ(w.Lberror.Caption(), L"P密码错误P");
    EXPECT_TRUE(w.Picerror.Visible());
    EXPECT_TRUE(w.txt_UserName.Enabled());
    EXPECT_TRUE(w.txt_PassWord.Enabled());
    EXPECT_TRUE(w.Loaded());

    Reply(std::string(1000, 'x'));
    SignIn(w, "/my/login.php");
    EXPECT_EQ(w.Lberror.Caption(), std::wstring(1000, L'x'));
    Reply(std::string(1001, 'x'));
    SignIn(w, "/my/login.php");
    EXPECT_EQ(w.Lberror.Caption(), L"服务器连接超时");
    EXPECT_EQ(w.Lenstr(std::wstring(70000, L'x')), 70000u);

    // An empty page: no reply, so the inputs stay disabled and the panel says so.
    for (const char* empty : {"", " \r\n\t "}) {
        Reply(empty);
        const size_t before = server.RequestCount("/my/login.php");
        ClickButton(w.Btn_Get.Live());
        EXPECT_EQ(w.Lberror.Caption(), L"系统登陆中...");
        ASSERT_TRUE(Answered("/my/login.php", before + 1, [] { return true; }));
        PumpFor(700);
        EXPECT_EQ(w.Lberror.Caption(), L"系统登陆中...");
        EXPECT_FALSE(w.txt_UserName.Enabled());
        EXPECT_FALSE(w.txt_PassWord.Enabled());
        EXPECT_TRUE(w.Loaded());
    }
}

TEST_F(SignInTest, EnterInTheBoxesOrOnTheCheckBoxSignsIn) {
    U_Login& w = Open();
    ClickWindow(w.txt_UserName.hWnd());
    ASSERT_EQ(GetFocus(), w.txt_UserName.hWnd());
    Type(w.txt_UserName, L"bob");
    PressEnter();
    EXPECT_TRUE(PumpUntil([&] { return w.Lberror.Caption() == L"请输入密码!"; })) << "Enter in the name box";
    EXPECT_EQ(w.txt_UserName.Text(), L"bob");

    ClickWindow(w.txt_PassWord.hWnd());
    Type(w.txt_PassWord, L"pw");
    Reply("密码错误");
    PressEnter();
    ASSERT_TRUE(Answered("/my/login.php", 1, [&] { return w.Lberror.Caption() == L"密码错误"; }))
        << "Enter in the password box";
    EXPECT_EQ(LastTarget("/my/login.php"), "/my/login.php?username=bob&password=pw&cookiesstate=0");
    EXPECT_EQ(w.txt_PassWord.Text(), L"pw") << "the key is no character in the box";

    ClickWindow(w.chk_save.hWnd());
    ASSERT_EQ(GetFocus(), w.chk_save.hWnd());
    Reply("0");
    PressEnter();
    ASSERT_TRUE(Answered("/my/login.php", 2, [&] { return !w.Loaded(); })) << "Enter on the check box";
    EXPECT_EQ(env.QueryInt(L"Select count(*) From Users Where U_UserName = 'bob'"), 1);
}

TEST_F(SignInTest, OpensFromTheWebPaneOwnedByTheMainWindowPlacedRoundedAndSkinned) {
    MainFrm& f = TheMainFrm();
    MainMe& me = TheMainMe();
    ASSERT_TRUE(PumpUntil([&] {
        try {
            return me.WB->Document()->documentElement().outerHTML().find(L"register") != std::wstring::npos;
        } catch (...) {
            return false;
        }
    }, 20000));
    PumpFor(50);
    SendMessageW(me.WB->hwnd(), WM_KEYDOWN, VK_TAB, 0);
    SendMessageW(me.WB->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    U_Login& w = TheU_Login();
    ASSERT_TRUE(w.Loaded());
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
    EXPECT_EQ(GetWindow(w.hwnd(), GW_OWNER), f.hwnd());
    EXPECT_FALSE(TheU_Regedit().Loaded());
    ExpectPlacedAndRounded(w.hwnd(), 3500, 2100, 334, 227);
    EXPECT_NE(w.Picture(), nullptr);
    EXPECT_NE(w.Picerror.Picture(), nullptr);
    EXPECT_EQ(w.LB_Regedit.MousePointer(), MousePointerConstants::Custom);
    EXPECT_EQ(w.Picerror.Top() / 15, 2450 / 15);  // whole pixels
    // The background's title band is drawn.
    PumpFor(200);
    HDC dc = GetDC(w.hwnd());
    const COLORREF band = GetPixel(dc, 100, 5);
    ReleaseDC(w.hwnd(), dc);
    EXPECT_LT(GetRValue(band), 120);
    EXPECT_GT(GetBValue(band), 170);

    // The register link hands over to the registration window.
    ClickWindow(w.LB_Regedit.hWnd());
    EXPECT_FALSE(w.Loaded());
    ASSERT_TRUE(TheU_Regedit().Loaded());
    EXPECT_EQ(GetWindow(TheU_Regedit().hwnd(), GW_OWNER), f.hwnd());
    TheU_Regedit().Unload();

    // The pane's second link opens the registration window; no browser window opened.
    SendMessageW(me.WB->hwnd(), WM_KEYDOWN, VK_TAB, 0);
    SendMessageW(me.WB->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(TheU_Regedit().Loaded());
    EXPECT_TRUE(env.shells.empty());
    // The close buttons unload.
    U_Login& w3 = TheU_Login();
    w3.Show(FormShowConstants::Modeless, &f);
    ClickButton(w3.W_Close.Live());
    EXPECT_FALSE(w3.Loaded());
}

}  // namespace
