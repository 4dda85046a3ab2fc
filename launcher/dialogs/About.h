// The About box: the portal's name with the program's version, two legal
// notice lines with the current year, and a studio credit line that opens
// the portal's home page when the credit is switched on. Shown modally over
// the main window; closing it restarts the main window's notice timer.
#pragma once
#include <string>

#include "Form.h"
#include "Label.h"
#include "ToolkitHosting.h"

class About : public Form {
public:
    About();
    ~About() override;

    Label Label1;
    Label note1;
    Label note2;
    Label note3;
    Label lb_vantor;
    Hosted<iButton> Btn_Close;
    Hosted<iButton> W_Close;

    // A left-button press on the box's own surface moves the box.
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void W_Close_Click();
    void Btn_Close_Click();
    void lb_vantor_Click();

protected:
    void Form_Load() override;
};

// The legal notice lines for `year` and the portal's name.
std::wstring ChineseLegalLine(int year, const std::wstring& portalName);
std::wstring EnglishLegalLine(int year, const std::wstring& portalName);

// The program's About box (one per process).
About& TheAbout();
