// The registration window: checks its five inputs (all at once, each in its
// own label), makes up and checks its own verification code, sends the
// accepted data to the portal's registration page through its browser view
// and, on the reply "0", refreshes the My box page's web pane.
#pragma once
#include <cstddef>
#include <string>

#include "CommandButton.h"
#include "Form.h"
#include "Label.h"
#include "TextBox.h"
#include "ToolkitHosting.h"
#include "VerifyCode.h"
#include "WebBrowserHosting.h"

class U_Regedit : public Form {
public:
    U_Regedit();
    ~U_Regedit() override;

    // Drags the window by any point of its surface (left button).
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    // Number of characters of the text.
    std::size_t Lenstr(const std::wstring& text) const;

    // Captions in front of the inputs.
    Label Label1;
    Label Label2;
    Label Label3;
    Label Label4;
    Label Label5;
    TextBox txt_UserName;
    TextBox txt_PassWord;
    TextBox txt_PassWord1;
    TextBox txt_Email;
    TextBox txt_Code;
    Label lb_UserName;
    Label lb_PassWord;
    Label lb_PassWord1;
    Label lb_Email;
    Label lb_Code1;
    Label LB_Code;
    TextBox Text1;
    TextBox Text2;
    Hosted<iButton> Btn_Get{*this};
    CommandButton Command1;
    Hosted<iButton> W_Close{*this};
    Label Lberror;
    TextBox txt_state;
    Hosted<WebBrowser> WB{*this};

    // "0" at load, "1" once a request was sent.
    std::wstring RequestFlag;

protected:
    void Form_Load() override;

private:
    void MakeCode();
    void Register();
    void WB_DocumentComplete();
    void txt_state_Change();

    VerifyCode code_;  // seeded once per window
};

// The program's one registration window (loaded on first touch).
U_Regedit& TheU_Regedit();
