// The About box, the notice pop-up, the settings dialog and the update
// check on real windows over the real main window: places, texts, outlines,
// the focus, closing, the Run value, the Install rows and the update replies
// from a server on 127.0.0.1.
#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include "About.h"
#include "App.h"
#include "DialogTestSupport.h"
#include "DragRecorder.h"
#include "FUpload.h"
#include "Install.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "Pump.h"
#include "RightDown.h"
#include "TestHttpServer.h"
#include "Twips.h"
#include "WebBrowser.h"
#include "iButton.h"

namespace {

const wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

RECT WindowRect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
}

// Whether the window's region is the rounded rectangle from (0, 0) to
// (width, height) with a 6 x 6 corner ellipse.
bool HasRoundRegion(HWND h, int width, int height) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    HRGN expected = CreateRoundRectRgn(0, 0, width, height, 6, 6);
    // The system may keep a region as other rectangles: compare point by point.
    bool same = GetWindowRgn(h, rgn) != ERROR;
    for (int y = -1; same && y <= height; ++y)
        for (int x = -1; same && x <= width; ++x) same = PtInRegion(rgn, x, y) == PtInRegion(expected, x, y);
    DeleteObject(rgn);
    DeleteObject(expected);
    return same;
}

int CurrentYear() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wYear;
}

// The Run value as the registry holds it: its type and data, or nothing.
struct RunValue {
    bool present = false;
    DWORD type = 0;
    std::wstring data;
};
RunValue ReadRun(const std::wstring& name) {
    RunValue v;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return v;
    wchar_t data[1024] = L"";
    DWORD size = sizeof data;
    v.present = RegQueryValueExW(key, name.c_str(), nullptr, &v.type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
    v.data = data;
    RegCloseKey(key);
    return v;
}
void SetRun(const std::wstring& name, const std::wstring& data, DWORD type = REG_SZ) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}
void DeleteRun(const std::wstring& name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name.c_str());
    RegCloseKey(key);
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        PortalUrl = server.BaseUrlW();
        DeleteRun(RunValueName());
        main.Show();
        main.Move(1500, 1200);
    }
    void TearDown() override {
        TheAbout().Unload();
        TheRightDown().Unload();
        TheInstall().Unload();
        TheFUpload().Unload();
        main.Unload();
        DeleteRun(RunValueName());
    }

    TestHttpServer server;
    LauncherEnv env;
    MsgBoxRecorder boxes;
    MainFrm& main = TheMainFrm();
};

TEST_F(Dialogs, AboutBoxSitsOverTheMainWindowWithItsTexts) {
    About& about = TheAbout();
    main.TimerRight.Enabled(false);
    about.Show(FormShowConstants::Modeless, &main);
    const RECT r = WindowRect(about.hwnd());
    const RECT m = WindowRect(main.hwnd());
    // Twips are placed on whole pixels.
    EXPECT_EQ(r.left, TwipsToPixels(main.Left() + 2860));
    EXPECT_EQ(r.top, TwipsToPixels(main.Top() + 2650));
    EXPECT_EQ(m.left, 100);
    EXPECT_EQ(r.left, 291);
    EXPECT_EQ(r.top, 257);
    EXPECT_TRUE(HasRoundRegion(about.hwnd(), 419, 256));
    EXPECT_TRUE(about.Picture());

    EXPECT_EQ(about.Label1.Caption(), L"关于我们");
    EXPECT_EQ(about.note1.Caption(), L"Brisco V 3.0 (2012.04.01)");
    const std::wstring year = std::to_wstring(CurrentYear());
    for (Label* line : {&about.note2, &about.note3}) {
        EXPECT_NE(line->Caption().find(year), std::wstring::npos) << line->Caption();
        EXPECT_NE(line->Caption().find(L"Brisco"), std::wstring::npos) << line->Caption();
    }
    EXPECT_EQ(about.Btn_Close->Caption(), L"确 定");
    EXPECT_TRUE(about.Btn_Close->BackPicture());
    EXPECT_TRUE(about.W_Close->BackPicture());
    // Without the credit setting the credit line is hidden.
    EXPECT_FALSE(IsWindowVisible(about.lb_vantor.hWnd()));

    // The caption close button: the notice timer runs again, the box is gone.
    ClickControl(about.W_Close.hwnd());
    EXPECT_FALSE(about.Loaded());
    EXPECT_TRUE(main.TimerRight.Enabled());

    // A new opening follows the main window wherever it is, with the credit line when asked.
    main.Move(3000, 2250);
    ShowStudioCredit = true;
    about.Show(FormShowConstants::Modeless, &main);
    EXPECT_EQ(WindowRect(about.hwnd()).left, 200 + 191);
    EXPECT_EQ(WindowRect(about.hwnd()).top, 150 + 177);
    ASSERT_TRUE(IsWindowVisible(about.lb_vantor.hWnd()));
    EXPECT_FALSE(about.lb_vantor.Caption().empty());
    ClickControl(about.lb_vantor.hWnd());
    ASSERT_EQ(env.shells.size(), 1u);
    EXPECT_EQ(env.shells[0], L"Explorer.exe /s , " + PortalUrl);
    EXPECT_EQ(env.styles[0], VbAppWinStyle::MinimizedFocus);
    main.TimerRight.Enabled(false);
    ClickControl(about.Btn_Close.hwnd());
    EXPECT_FALSE(about.Loaded());
    EXPECT_TRUE(main.TimerRight.Enabled());
    ShowStudioCredit = false;
}

TEST_F(Dialogs, AboutAndSettingsMoveWithTheLeftButtonOnly) {
    for (Form* form : {static_cast<Form*>(&TheAbout()), static_cast<Form*>(&TheInstall())}) {
        form->Show(FormShowConstants::Modeless, &main);
        DragRecorder drag(form->hwnd());
        const LPARAM free = MAKELPARAM(200, 150);  // no control there
        SendMessageW(form->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, free);
        SendMessageW(form->hwnd(), WM_RBUTTONUP, 0, free);
        EXPECT_EQ(drag.drags, 0);
        SendMessageW(form->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, free);
        EXPECT_EQ(drag.drags, 1);
        form->Unload();
    }
}

// The notice pop-up against a work area the test sets, restored afterwards.
class NoticePopup : public Dialogs {
protected:
    void SetUp() override {
        server.Route("/orvane/html/ad/adright.html", TestHttpServer::Text("<HTML><BODY>notice</BODY></HTML>"));
        Dialogs::SetUp();
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &oldWork_, 0);
        // The pop-up needs no main window in sight; a hidden one cannot take the focus late.
        main.Hide();
        // The main window shows the pop-up itself five seconds after its
        // advertisement page has come, which a slow test would meet: once
        // the page is there, that showing is called off.
        ASSERT_TRUE(PumpUntil([&] { return main.TimerRight.Interval() == 5000; }, 20000));
        main.TimerRight.Interval(0);
    }
    void TearDown() override {
        SystemParametersInfoW(SPI_SETWORKAREA, 0, &oldWork_, 0);
        if (other_) DestroyWindow(other_);
        Dialogs::TearDown();
    }
    void SetWorkArea(RECT r) { ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &r, 0)); }
    // A window of the test that has the focus, with a text box to type into.
    HWND Other() {
        other_ = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
        SetForegroundWindow(other_);
        SetFocus(other_);
        PumpUntil([&] { return GetForegroundWindow() == other_; }, 3000);
        return other_;
    }

    RECT oldWork_{};
    HWND other_ = nullptr;
};

TEST_F(NoticePopup, OpensAboveTheTaskbarOnTopWithoutTakingTheFocus) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetWorkArea({0, 0, sw, sh - 40});
    HWND other = Other();
    ASSERT_EQ(GetForegroundWindow(), other);
    RightDown& pop = TheRightDown();
    pop.Show();
    const RECT r = WindowRect(pop.hwnd());
    EXPECT_EQ(r.right, sw);
    EXPECT_EQ(r.bottom, sh - 40) << "its bottom edge meets the taskbar";
    EXPECT_EQ(r.right - r.left, 310);
    EXPECT_EQ(r.bottom - r.top, 200);
    EXPECT_TRUE(IsWindowVisible(pop.hwnd()));
    EXPECT_TRUE(GetWindowLongW(pop.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    PumpFor(200);
    EXPECT_EQ(GetForegroundWindow(), other) << "the previous window keeps the focus";
    EXPECT_EQ(GetFocus(), other);
    // The inner size plus one pixel each way.
    EXPECT_TRUE(HasRoundRegion(pop.hwnd(), 311, 201));
    EXPECT_EQ(pop.Label1.Caption(), L"系统提示");
    ASSERT_TRUE(pop.WB.Live());
    EXPECT_TRUE(PumpUntil([&] { return pop.WB->LocationURL() == GetAdRightUrl(); }));
    // The browser overlaps its frame on every side.
    RECT wb;
    GetWindowRect(pop.WB.hwnd(), &wb);
    MapWindowPoints(nullptr, pop.Picture1.hWnd(), reinterpret_cast<POINT*>(&wb), 2);
    EXPECT_EQ(wb.left, -2);
    EXPECT_EQ(wb.top, -2);

    // Minimising and restoring keeps the rounded outline.
    ShowWindow(pop.hwnd(), SW_MINIMIZE);
    ShowWindow(pop.hwnd(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(HasRoundRegion(pop.hwnd(), 311, 201));
}

TEST_F(NoticePopup, ATaskbarOnTheRightDoesNotMoveItOffTheScreenEdge) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetWorkArea({0, 0, sw - 60, sh});
    TheRightDown().Show();
    const RECT r = WindowRect(TheRightDown().hwnd());
    EXPECT_EQ(r.right, sw);
    EXPECT_EQ(r.bottom, sh);
}

TEST_F(NoticePopup, ClosesItselfAfterItsIntervalOrAtOnceByItsButton) {
    RightDown& pop = TheRightDown();
    pop.Show();
    EXPECT_EQ(pop.TimerClose.Interval(), 15000);
    EXPECT_TRUE(pop.TimerClose.Enabled());
    // Set from outside, as a test sets any property: the close comes by itself.
    pop.TimerClose.Interval(400);
    EXPECT_TRUE(pop.Loaded());
    ASSERT_TRUE(PumpUntil([&] { return !pop.Loaded(); }, 10000));

    // Each showing creates it afresh, with the program's own interval again.
    pop.Show();
    EXPECT_EQ(pop.TimerClose.Interval(), 15000);
    pop.TimerClose.Interval(600);
    pop.W_Close->Click();  // the button's click, whatever else lies on the screen's corner
    EXPECT_FALSE(pop.Loaded());
    PumpFor(1000);  // the timer of the closed window does nothing
    EXPECT_FALSE(pop.Loaded());
}

// A Run key of the test's own below the machine's root, whose values can be
// read but neither set nor deleted, as for a user without the rights.
class LockedRunKey {
public:
    LockedRunKey() : key_(L"Software\\OrvaneMenusTest" + std::to_wstring(GetCurrentProcessId()) + L"\\Run") {}
    ~LockedRunKey() {
        Lock(false);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_.substr(0, key_.rfind(L'\\')).c_str());
    }
    // The path the settings dialog takes.
    std::wstring Path() const { return L"HKLM\\" + key_ + L"\\"; }
    void Write(const std::wstring& name, const std::wstring& data) {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(k);
    }
    bool Has(const std::wstring& name) {
        return RegGetValueW(HKEY_LOCAL_MACHINE, key_.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }
    // Everyone may read; with `locked` nobody may set, create or delete.
    void Lock(bool locked) {
        HKEY k;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, WRITE_DAC, nullptr, &k, nullptr) !=
            ERROR_SUCCESS)
            return;
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
        BYTE buffer[256];
        auto* acl = reinterpret_cast<ACL*>(buffer);
        InitializeAcl(acl, sizeof buffer, ACL_REVISION);
        if (locked) AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE, everyone);
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
        SECURITY_DESCRIPTOR sd;
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
        EXPECT_EQ(RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
        RegCloseKey(k);
        FreeSid(everyone);
    }

private:
    std::wstring key_;
};

class Settings : public Dialogs {
protected:
    Install& dlg = TheInstall();
    int Rows(const std::wstring& where) {
        return env.QueryInt(L"Select Count(*) From Install Where " + where);
    }
};

TEST_F(Settings, OpensOverTheMainWindowWithTheStoredSettings) {
    SetRun(RunValueName(), L"any data at all");
    env.Exec(L"Update Install Set I_Close = 1");
    dlg.Show(FormShowConstants::Modeless, &main);
    const RECT r = WindowRect(dlg.hwnd());
    EXPECT_EQ(r.left, TwipsToPixels(main.Left() + 2860));
    EXPECT_EQ(r.top, TwipsToPixels(main.Top() + 2000));
    EXPECT_EQ(r.top, 80 + 133);
    EXPECT_TRUE(HasRoundRegion(dlg.hwnd(), 421, 323));
    EXPECT_EQ(dlg.Chk_Run.Value(), 1) << "present is checked, whatever the data";
    EXPECT_EQ(dlg.CHK_Close.Value(), 1);
    EXPECT_EQ(dlg.Chk_Run.Caption(), L"开机自动运行");
    EXPECT_EQ(dlg.CHK_Close.Caption(), L"关闭是最小化到托盘");
    EXPECT_EQ(dlg.txt_cler.Text(), L"10");
    dlg.Unload();

    DeleteRun(RunValueName());
    env.Exec(L"Update Install Set I_Close = 0");
    dlg.Show(FormShowConstants::Modeless, &main);
    EXPECT_EQ(dlg.Chk_Run.Value(), 0);
    EXPECT_EQ(dlg.CHK_Close.Value(), 0);
    // The scroll bar's value shows in the text box.
    dlg.clearVScroll.Value(25);
    EXPECT_EQ(dlg.txt_cler.Text(), L"25");
}

TEST_F(Settings, SavingWritesTheRunValueAndEveryInstallRow) {
    env.Exec(std::vector<std::wstring>{L"Insert Into Install(I_Close) Values(0)", L"Insert Into Install(I_Close) Values(1)"});
    ASSERT_EQ(Rows(L"1 = 1"), 3);
    main.TimerRight.Enabled(false);
    dlg.Show(FormShowConstants::Modeless, &main);
    dlg.Chk_Run.Value(1);
    dlg.CHK_Close.Value(1);
    ClickControl(dlg.Btn_Close.hwnd());
    EXPECT_FALSE(dlg.Loaded());
    EXPECT_TRUE(main.TimerRight.Enabled());
    EXPECT_EQ(Rows(L"I_Close = 1"), 3);
    const RunValue v = ReadRun(RunValueName());
    ASSERT_TRUE(v.present);
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(v.data, App::Path() + L"\\" + App::EXEName() + L".exe");
    EXPECT_TRUE(boxes.prompts.empty());
    // Where the program folder has a blank, Windows would first start "C:\Program.exe".
    EXPECT_EQ(RunValueData(L"C:\\Program Files\\Orvane\\Orvane.exe"), L"\"C:\\Program Files\\Orvane\\Orvane.exe\"");

    // Unchecked: the value goes and every row gets 0.
    dlg.Show(FormShowConstants::Modeless, &main);
    EXPECT_EQ(dlg.Chk_Run.Value(), 1);
    dlg.Chk_Run.Value(0);
    dlg.CHK_Close.Value(0);
    dlg.Btn_Close_Click();
    EXPECT_FALSE(ReadRun(RunValueName()).present);
    EXPECT_EQ(Rows(L"I_Close = 0"), 3);

    // Unchecked without a value: nothing to delete, nothing said.
    dlg.Show(FormShowConstants::Modeless, &main);
    dlg.Btn_Close_Click();
    EXPECT_FALSE(dlg.Loaded());
    EXPECT_FALSE(ReadRun(RunValueName()).present);
    EXPECT_TRUE(boxes.prompts.empty());
}

TEST_F(Settings, ARunValueThatCannotBeChangedIsReportedAndTheRestIsSaved) {
    LockedRunKey run;
    run.Lock(true);
    HKEY probe;
    ASSERT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, run.Path().substr(5, run.Path().size() - 6).c_str(), 0, KEY_SET_VALUE,
                            &probe),
              ERROR_SUCCESS)
        << "the test's key must refuse writes";
    main.TimerRight.Enabled(false);
    dlg.RunKey = run.Path();
    dlg.Show(FormShowConstants::Modeless, &main);
    EXPECT_EQ(dlg.Chk_Run.Value(), 0);
    dlg.Chk_Run.Value(1);
    dlg.CHK_Close.Value(1);
    ClickControl(dlg.Btn_Close.hwnd());
    EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{L"无法更改开机自动运行设置：没有修改系统启动项的权限。其他设置已保存。"});
    EXPECT_TRUE(dlg.Loaded()) << "not closed as if it had been saved";
    EXPECT_FALSE(main.TimerRight.Enabled());
    EXPECT_EQ(Rows(L"I_Close = 1"), 1) << "the close setting is saved all the same";
    EXPECT_FALSE(run.Has(RunValueName()));
    ClickControl(dlg.W_Close.hwnd());
    EXPECT_FALSE(dlg.Loaded());
    EXPECT_TRUE(main.TimerRight.Enabled());

    // A value that is there but cannot be deleted.
    run.Lock(false);
    run.Write(RunValueName(), L"old");
    run.Lock(true);
    boxes.prompts.clear();
    dlg.Show(FormShowConstants::Modeless, &main);
    EXPECT_EQ(dlg.Chk_Run.Value(), 1);
    EXPECT_EQ(dlg.CHK_Close.Value(), 1);
    dlg.Chk_Run.Value(0);
    dlg.CHK_Close.Value(0);
    dlg.Btn_Close_Click();
    EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{L"无法更改开机自动运行设置：没有修改系统启动项的权限。其他设置已保存。"});
    EXPECT_TRUE(dlg.Loaded());
    EXPECT_TRUE(run.Has(RunValueName()));
    EXPECT_EQ(Rows(L"I_Close = 0"), 1);
    dlg.W_Close_Click();
}

TEST_F(Settings, TheMessageSaysWhatWasAndWasNotSavedAndWhy) {
    main.TimerRight.Enabled(false);
    const auto save = [&](const std::wstring& runKey) {
        boxes.prompts.clear();
        dlg.RunKey = runKey;
        dlg.Show(FormShowConstants::Modeless, &main);
        dlg.Chk_Run.Value(1);
        dlg.CHK_Close.Value(1);
        ClickControl(dlg.Btn_Close.hwnd());
        return boxes.prompts.size() == 1 ? boxes.prompts[0] : L"<" + std::to_wstring(boxes.prompts.size()) + L" messages>";
    };
    // The Install table cannot be updated: the Run value is saved, the close setting is not.
    env.Exec(L"Alter Table Install Rename To Gone");
    EXPECT_EQ(save(dlg.RunKey), L"无法保存关闭方式的设置：游戏数据库无法写入。开机自动运行设置已保存。");
    EXPECT_TRUE(dlg.Loaded()) << "not closed as if everything had been saved";
    EXPECT_TRUE(ReadRun(RunValueName()).present);
    dlg.W_Close_Click();

    // The table is there without its row: an update that changes nothing saves nothing.
    env.Exec(L"Create Table Install (I_Close Integer Not Null Default 0)");
    EXPECT_EQ(save(dlg.RunKey), L"无法保存关闭方式的设置：游戏数据库无法写入。开机自动运行设置已保存。");
    EXPECT_TRUE(dlg.Loaded()) << "not closed as if everything had been saved";
    dlg.W_Close_Click();
    env.Exec(L"Drop Table Install");

    // Neither can be saved: no claim that anything was.
    LockedRunKey run;
    run.Lock(true);
    EXPECT_EQ(save(run.Path()), L"无法更改开机自动运行设置：没有修改系统启动项的权限。关闭方式的设置也未能保存。");
    dlg.W_Close_Click();
    env.Exec(L"Alter Table Gone Rename To Install");

    // The registry refuses for another reason: that reason, not missing rights.
    HKEY parent;
    const std::wstring volatileKey = L"Software\\OrvaneVolatile" + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, volatileKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &parent, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(parent);
    EXPECT_EQ(save(L"HKCU\\" + volatileKey + L"\\Run\\"),
              L"无法更改开机自动运行设置：系统拒绝写入启动项（错误 " + std::to_wstring(ERROR_CHILD_MUST_BE_VOLATILE) +
                  L"）。其他设置已保存。");
    EXPECT_EQ(Rows(L"I_Close = 1"), 1);
    dlg.W_Close_Click();
    RegDeleteTreeW(HKEY_CURRENT_USER, volatileKey.c_str());
}

TEST_F(Settings, TheCaptionButtonKeepsTheOldSettings) {
    main.TimerRight.Enabled(false);
    dlg.Show(FormShowConstants::Modeless, &main);
    dlg.Chk_Run.Value(1);
    dlg.CHK_Close.Value(1);
    ClickControl(dlg.W_Close.hwnd());
    EXPECT_FALSE(dlg.Loaded());
    EXPECT_TRUE(main.TimerRight.Enabled());
    EXPECT_FALSE(ReadRun(RunValueName()).present);
    EXPECT_EQ(Rows(L"I_Close = 1"), 0);
}

TEST_F(Settings, WithoutTheDatabaseNothingIsReadOrWritten) {
    ASSERT_TRUE(DeleteFileW(env.dir.File(L"npGameData.DLL").c_str()));
    dlg.Show(FormShowConstants::Modeless, &main);
    EXPECT_EQ(dlg.CHK_Close.Value(), 0);
    dlg.CHK_Close.Value(1);
    dlg.Chk_Run.Value(1);
    dlg.Btn_Close_Click();
    EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{L"无法保存关闭方式的设置：游戏数据库无法写入。开机自动运行设置已保存。"});
    EXPECT_TRUE(dlg.Loaded()) << "not closed as if it had been saved";
    EXPECT_TRUE(ReadRun(RunValueName()).present) << "the rest of the save still happens";
}

TEST_F(Settings, ThePurgeButtonEmptiesTheBrowserCache) {
    const std::wstring url = L"http://cache.test/menus-purge.txt";
    wchar_t file[MAX_PATH] = L"";
    ASSERT_TRUE(CreateUrlCacheEntryW(url.c_str(), 0, L"txt", file, 0));
    HANDLE h = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, "x", 1, &written, nullptr);
    CloseHandle(h);
    FILETIME zero{};
    ASSERT_TRUE(CommitUrlCacheEntryW(url.c_str(), file, zero, zero, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));
    DWORD size = 0;
    GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size);
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER)) << "the entry is in the cache";
    dlg.Show(FormShowConstants::Modeless, &main);
    ClickControl(dlg.iBtn_PurgeBtn.hwnd());
    size = 0;
    EXPECT_FALSE(GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(dlg.Loaded()) << "no message, the dialog stays";
    EXPECT_TRUE(boxes.prompts.empty());
}

class UpdateCheck : public Dialogs {
protected:
    // Runs one check against `body` and waits for the window to go.
    void Check(const std::string& body) {
        boxes.prompts.clear();
        env.shells.clear();
        server.Route("/orvane/uplade.html", TestHttpServer::Text(body));
        TheFUpload().Show(FormShowConstants::Modeless, &main);
        ASSERT_TRUE(PumpUntil([] { return !TheFUpload().Loaded(); }, 10000)) << body;
    }
};

TEST_F(UpdateCheck, EachReplyGetsItsAnswer) {
    const std::wstring open = L"Explorer.exe /s , http://";
    struct Case {
        std::string body;
        std::vector<std::wstring> prompts;
        std::vector<std::wstring> shells;
    } cases[] = {
        // Every reply form is answered by the same pure logic (see the reply
        // capture tests); here each kind of answer goes through the window once.
        {"<HTML><BODY>3.0|server\\setup.exe</BODY></HTML>", {kUpToDate}, {}},
        {"<HTML><BODY>\n 3.01|server\\setup.exe\n</BODY></HTML>", {kUpdateNeeded}, {open + L"server\\setup.exe"}},
        {"<HTML><BODY>3.5|http:\\\\server\\setup.exe</BODY></HTML>", {kUpdateNeeded}, {open + L"\\\\server\\setup.exe"}},
        // Slashes are lost in the capture.
        {"<HTML><BODY>3.5|http://server/setup.exe</BODY></HTML>", {kUpdateNeeded}, {open + L"serversetup.exe"}},
        {"<HTML><BODY>soon</BODY></HTML>", {}, {}},
        // An empty page raises no change of the text box and is answered all the same.
        {"<HTML><BODY></BODY></HTML>", {}, {}},
    };
    for (const Case& c : cases) {
        Check(c.body);
        EXPECT_EQ(boxes.prompts, c.prompts) << c.body;
        EXPECT_EQ(env.shells, c.shells) << c.body;
        for (VbAppWinStyle s : env.styles) EXPECT_EQ(s, VbAppWinStyle::MinimizedFocus);
    }
    EXPECT_EQ(server.RequestCount("/orvane/uplade.html"), std::size(cases));
}

TEST_F(UpdateCheck, LongRepliesAreAFailedConnection) {
    // 101 characters after the capture, beginning with a newer version.
    std::string text = "3.5|server\\setup.exe";
    text += std::string(101 - text.size(), 'x');
    Check("<HTML><BODY>" + text + "</BODY></HTML>");
    EXPECT_EQ(boxes.prompts, (std::vector<std::wstring>{kUpdateNeeded, kConnectionFailed}));
    EXPECT_EQ(env.shells.size(), 1u);
    // Far longer than 32767 characters.
    Check("<HTML><BODY>2.0|" + std::string(40000, 'y') + "</BODY></HTML>");
    EXPECT_EQ(boxes.prompts, (std::vector<std::wstring>{kUpToDate, kConnectionFailed}));
    // No server: the browser's error page is answered as a failed connection.
    boxes.prompts.clear();
    env.shells.clear();
    PortalUrl = L"http://127.0.0.1:1";
    TheFUpload().Show(FormShowConstants::Modeless, &main);
    ASSERT_TRUE(PumpUntil([] { return !TheFUpload().Loaded(); }, 20000));
    EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{kConnectionFailed});
    EXPECT_TRUE(env.shells.empty());
}

TEST_F(UpdateCheck, OneRequestWhileTheWindowIsLoaded) {
    HttpResponse slow = TestHttpServer::Text("<HTML><BODY>3.0</BODY></HTML>");
    slow.delayMs = 1500;
    server.Route("/orvane/uplade.html", slow);
    TheFUpload().Show(FormShowConstants::Modeless, &main);
    EXPECT_EQ(TheFUpload().Width(), 0);
    EXPECT_EQ(TheFUpload().Height(), 0);
    EXPECT_FALSE(IsWindowVisible(TheFUpload().WB.hwnd()));
    TheFUpload().Show(FormShowConstants::Modeless, &main);
    ASSERT_TRUE(PumpUntil([] { return !TheFUpload().Loaded(); }, 10000));
    EXPECT_EQ(server.RequestCount("/orvane/uplade.html"), 1u);
    EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{kUpToDate});
    EXPECT_EQ(TheFUpload().Lenstr(std::wstring(70000, L'z')), 70000u);
}

}  // namespace
