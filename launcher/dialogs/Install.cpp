#include "Install.h"

#include "App.h"
#include "Api_bar.h"
#include "CacheMain.h"
#include "CatalogueGroup.h"
#include "FormDrag.h"
#include "MainFrm.h"
#include "MsgBox.h"
#include "ProgramFiles.h"
#include "RaisedError.h"
#include "WshShell.h"
#include "mSqlite.h"

Install::Install()
    : Chk_Run(*this), CHK_Close(*this), txt_cler(*this), clearVScroll(*this), iBtn_PurgeBtn(*this), Btn_Close(*this),
      W_Close(*this) {
    Caption(L"系统设置");
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(6315, 4845);
    Chk_Run.Move(600, 900, 3600, 300);
    Chk_Run.Caption(L"开机自动运行");
    CHK_Close.Move(600, 1400, 3600, 300);
    CHK_Close.Caption(L"关闭是最小化到托盘");
    txt_cler.Move(2000, 2100, 600, 345);
    txt_cler.Text(L"10");
    clearVScroll.Move(2600, 2100, 255, 345);
    clearVScroll.Change = [this] {
        txt_cler.Text(std::to_wstring(clearVScroll.Value()));
        txt_cler.SetFocus();
    };
    iBtn_PurgeBtn.Move(600, 2100, 1125, 345);
    iBtn_PurgeBtn.Design = [this](iButton& b) { b.Click = [this] { iBtn_PurgeBtn_Click(); }; };
    Btn_Close.Move(2542, 4185, 1230, 360);
    Btn_Close.Design = [this](iButton& b) {
        b.Caption(L"确 定");
        b.Click = [this] { Btn_Close_Click(); };
    };
    W_Close.Move(5730, 15, 570, 290);
    W_Close.Design = [this](iButton& b) { b.Click = [this] { W_Close_Click(); }; };
}

Install::~Install() = default;

void Install::Form_Load() {
    MainFrm& main = TheMainFrm();
    Move(main.Left() + 2860, main.Top() + 2000);
    Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\Install_bg.gif"));
    iBtn_PurgeBtn->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\PurgeBtn.bmp"));
    Btn_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\btn75_23.bmp"));
    W_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\pop_close.bmp"));
    SetRoundRegion(hWnd(), 421, 323, 6, 6);
    // Present is checked, whatever the value holds.
    if (RunValuePresent()) Chk_Run.Value(1);
    ReadCloseSetting();
}

void Install::ReadCloseSetting() {
    CatalogueGroup group;
    if (!group.Open()) return;
    CatalogueQuery rows(group, L"Select * From [Install]");
    while (rows.Step())
        if (rows.Text(0) == L"1") CHK_Close.Value(1);
}

bool Install::WriteCloseSetting() {
    CatalogueGroup group;
    // An update that found no row (a library without its Install row) saved nothing.
    return group.Exec(CHK_Close.Value() == 1 ? L"Update Install Set [I_Close]=1" : L"Update Install Set [I_Close]=0") ==
               SQLITE_OK_ &&
           SqliteChanges(group.Db()) > 0;
}

bool Install::RunValuePresent() const {
    try {
        WshShell().RegRead(RunKey + RunValueName());
        return true;
    } catch (const RaisedError&) {
        return false;
    }
}

uint32_t Install::WriteRunSetting() {
    const std::wstring path = RunKey + RunValueName();
    try {
        if (Chk_Run.Value() == 1)
            WshShell().RegWrite(path, RunValueData(), L"REG_SZ");
        else if (RunValuePresent())  // nothing to delete is no failure
            WshShell().RegDelete(path);
        return 0;
    } catch (const RaisedError& e) {
        return e.Number();
    }
}

void Install::Btn_Close_Click() {
    const bool closeSaved = WriteCloseSetting();
    const uint32_t runError = WriteRunSetting();
    if (!closeSaved || runError != 0) {
        MsgBox(SettingsNotSavedMessage(runError, closeSaved), MB_OK | MB_ICONWARNING);
        return;
    }
    W_Close_Click();
}

void Install::W_Close_Click() {
    TheMainFrm().TimerRight.Enabled(true);
    Unload();
}

void Install::iBtn_PurgeBtn_Click() { ClearUrlCache("*.*", 0x300000); }

void Install::Form_MouseDown(int Button, int Shift, int X, int Y) {
    if (Button == 1) DragByMouse(hWnd());
}

std::wstring SettingsNotSavedMessage(uint32_t runError, bool closeSaved) {
    if (runError == 0) return L"无法保存关闭方式的设置：游戏数据库无法写入。开机自动运行设置已保存。";
    // Registry failures carry the system's error code in an HRESULT.
    const uint32_t code = runError & 0xFFFF;
    const std::wstring why = code == ERROR_ACCESS_DENIED ? L"没有修改系统启动项的权限"
                                                         : L"系统拒绝写入启动项（错误 " + std::to_wstring(code) + L"）";
    return L"无法更改开机自动运行设置：" + why + (closeSaved ? L"。其他设置已保存。" : L"。关闭方式的设置也未能保存。");
}

std::wstring RunValueName() { return App::EXEName(); }

std::wstring RunValueData() {
    std::wstring folder = App::Path();
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return RunValueData(folder + App::EXEName() + L".exe");
}

std::wstring RunValueData(const std::wstring& programFile) {
    return programFile.find(L' ') == std::wstring::npos ? programFile : L"\"" + programFile + L"\"";
}

Install& TheInstall() {
    static Install form;
    return form;
}
