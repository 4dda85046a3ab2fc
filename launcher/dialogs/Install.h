// The settings dialog: start with Windows (the program's value under the
// machine's "Run" key), closing to the tray (I_Close of table Install) and a
// purge of the browser cache. Shown modally over the main window; closing it
// by either button restarts the main window's notice timer.
#pragma once
#include <cstdint>
#include <string>

#include "CheckBox.h"
#include "Form.h"
#include "TextBox.h"
#include "ToolkitHosting.h"
#include "VScrollBar.h"

class Install : public Form {
public:
    Install();
    ~Install() override;

    CheckBox Chk_Run;
    CheckBox CHK_Close;
    TextBox txt_cler;
    VScrollBar clearVScroll;
    // The key whose value named after the program starts it with Windows,
    // as a full path ending in "\".
    std::wstring RunKey = L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\";

    Hosted<iButton> iBtn_PurgeBtn;
    Hosted<iButton> Btn_Close;
    Hosted<iButton> W_Close;

    // A left-button press anywhere on the dialog moves it.
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    // Saves both settings and closes; a setting that cannot be saved is
    // reported and the dialog stays open.
    void Btn_Close_Click();
    // Closes without saving.
    void W_Close_Click();
    void iBtn_PurgeBtn_Click();

protected:
    void Form_Load() override;

private:
    void ReadCloseSetting();
    // False when the database could not be opened or updated, or the update
    // found no row to change.
    bool WriteCloseSetting();
    bool RunValuePresent() const;
    // The error number of a Run value that could not be written or deleted, 0 when it was.
    uint32_t WriteRunSetting();
};

// The name of the program's Run value ("Orvane") and its data: the program
// folder, "\", the name and ".exe".
std::wstring RunValueName();
std::wstring RunValueData();
// The data for a program file: in quotes when its path holds a blank, so
// that Windows does not first start "C:\Program.exe".
std::wstring RunValueData(const std::wstring& programFile);

// What the dialog says when saving failed: the Run value's error number (0
// when it was changed) and whether the close setting was saved.
std::wstring SettingsNotSavedMessage(uint32_t runError, bool closeSaved);

// The settings dialog (one per process).
Install& TheInstall();
