#include "About.h"

#include <windows.h>

#include "Api_bar.h"
#include "FormDrag.h"
#include "MainFrm.h"
#include "OpenBrowser.h"
#include "ProgramFiles.h"
#include "Settings.h"

namespace {

void PlaceLabel(Label& label, int left, int top, int width, int height, const std::wstring& caption = {}) {
    label.Move(left, top, width, height);
    label.BackStyle(Label::BackStyleConstants::Transparent);
    label.Caption(caption);
}

int CurrentYear() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear;
}

}  // namespace

std::wstring ChineseLegalLine(int year, const std::wstring& portalName) {
    return L"版权所有 (C) " + std::to_wstring(year) + L" " + portalName + L"，保留所有权利。";
}

std::wstring EnglishLegalLine(int year, const std::wstring& portalName) {
    return L"Copyright (C) " + std::to_wstring(year) + L" " + portalName + L". All Rights Reserved.";
}

About::About()
    : Label1(*this), note1(*this), note2(*this), note3(*this), lb_vantor(*this), Btn_Close(*this), W_Close(*this) {
    Caption(L"关于我们");
    BorderStyle(FormBorderStyleConstants::None);
    ClientSize(6270, 3855);
    PlaceLabel(Label1, 140, 100, 975, 255, L"关于我们");
    Label1.FontName(L"宋体");
    Label1.FontSize(9);
    Label1.FontBold(true);
    Label1.ForeColor(kHighlightText);
    PlaceLabel(note1, 300, 1450, 5535, 250);
    PlaceLabel(note2, 300, 1850, 5775, 255);
    PlaceLabel(note3, 300, 2250, 5895, 255);
    PlaceLabel(lb_vantor, 300, 2655, 5535, 255);
    lb_vantor.ForeColor(kGrayText);
    lb_vantor.Click = [this] { lb_vantor_Click(); };
    Btn_Close.Move(2520, 3240, 1230, 360);
    Btn_Close.Design = [this](iButton& b) {
        b.Caption(L"确 定");
        b.Click = [this] { Btn_Close_Click(); };
    };
    W_Close.Move(5680, 15, 570, 290);
    W_Close.Design = [this](iButton& b) { b.Click = [this] { W_Close_Click(); }; };
}

About::~About() = default;

void About::Form_Load() {
    MainFrm& main = TheMainFrm();
    Move(main.Left() + 2860, main.Top() + 2650);
    Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\About_bg.gif"));
    W_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\pop_close.bmp"));
    SetRoundRegion(hWnd(), 419, 256, 6, 6);
    Btn_Close->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\btn75_23.bmp"));
    lb_vantor.MouseIcon(LoadSkinPicture(L"Skin\\DefaultSkin\\Cur\\harrow.cur"));
    lb_vantor.MousePointer(MousePointerConstants::Custom);
    const int year = CurrentYear();
    note1.Caption(PortalName + L" V 3.0 (2012.04.01)");
    note2.Caption(ChineseLegalLine(year, PortalName));
    note3.Caption(EnglishLegalLine(year, PortalName));
    lb_vantor.Caption(L"界面设计与程序开发：" + PortalName + L" 工作室");
    lb_vantor.Visible(ShowStudioCredit);
}

void About::Form_MouseDown(int Button, int Shift, int X, int Y) {
    if (Button == 1) DragByMouse(hWnd());
}

void About::W_Close_Click() {
    TheMainFrm().TimerRight.Enabled(true);
    Unload();
}

void About::Btn_Close_Click() { W_Close_Click(); }

void About::lb_vantor_Click() { OpenInBrowser(GetHomeUrl()); }

About& TheAbout() {
    static About form;
    return form;
}
