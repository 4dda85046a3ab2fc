// The sign-in window: checks the two inputs, sends them to the portal's
// sign-in page through its own browser view (so the portal's cookie is the
// one the My box page's web pane shows), reads the page's text back as the
// reply, and on "0" remembers the account when asked and refreshes the web
// pane. Typing a remembered user name fills in its password.
#pragma once
#include <cstddef>
#include <string>

#include "CheckBox.h"
#include "CommandButton.h"
#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "ToolkitHosting.h"
#include "WebBrowserHosting.h"

class U_Login : public Form {
public:
    U_Login();
    ~U_Login() override;

    // Drags the window by any point of its surface (left button).
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    // Number of characters of the text.
    std::size_t Lenstr(const std::wstring& text) const;

    // Captions in front of the two input boxes.
    Label Label1;
    Label Label2;
    TextBox txt_UserName;
    TextBox txt_PassWord;
    CheckBox chk_save;
    CheckBox chk_cookies;
    Hosted<iButton> Btn_Get{*this};
    CommandButton Cmd_Enter;
    Hosted<iButton> Btn_Close{*this};
    Hosted<iButton> W_Close{*this};
    Label LB_Regedit;
    PictureBox Picerror;
    Label Lberror;
    TextBox txt_state;
    Hosted<WebBrowser> WebBrowser1{*this};

    // "0" until the first press of sign-in, then "1" for good: every later
    // page of WebBrowser1 is read as a reply too.
    std::wstring RequestFlag;

protected:
    void Form_Load() override;

private:
    void SignIn();
    void ShowMessage(const std::wstring& text);
    void InputsEnabled(bool value);
    void WebBrowser1_DocumentComplete();
    void txt_state_Change();
    void txt_UserName_Change();
    void LB_Regedit_Click();

};

// The program's one sign-in window (loaded on first touch, like any form).
U_Login& TheU_Login();

// The account remembered under `userName` (trimmed of blanks): its decoded
// password, or nothing when no row matches or the database cannot be read.
bool RememberedPassword(const std::wstring& userName, std::wstring& passWord);
// Replaces the account's row in Users with the trimmed name and password,
// in one transaction; false (and the old row kept) when it cannot be saved.
bool RememberAccount(const std::wstring& userName, const std::wstring& passWord);
// What the user is told when a signed-in account could not be remembered.
std::wstring NotRememberedMessage(const std::wstring& userName);
