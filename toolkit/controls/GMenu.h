// Self-drawn popup menu control: text lines with optional 16 x 16 icons,
// check marks, per-line colours and font styles, a hover frame, an engraved
// look for disabled lines; the choice arrives as the Click event after the
// menu has closed. Positions are in twips (15 per pixel); lines count from 1.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "FMenu.h"
#include "StdPicture.h"
#include "Window.h"

class GMenu : public Window {
public:
    GMenu();
    ~GMenu() override;

    int32_t Mytop = 0;     // top of the next line; 0 while there is none
    double MaxWidth = 0;   // width the menu window gets
    int32_t ClickIndex = 0;

    void Add(const std::wstring& caption, const std::shared_ptr<StdPicture>& picture = nullptr);
    // auto: at the cursor, turned left of or above it near the screen's edges.
    void ShowMenu(bool autoPlace, int x = 0, int y = 0);
    // A separator: a 30-twip gap.
    void AddLine();
    void UnLoadMenu();
    std::wstring GetCaption(int index);
    void SetCaption(int index, const std::wstring& caption);
    void SetEnabled(int index, bool mode);
    bool GetEnabled(int index);
    bool GetCheck(int index);
    int GetCount();
    void SetPicture(int index, const std::shared_ptr<StdPicture>& picture);
    void SetCheck(int index, bool mode);
    void ForeColor(int index, COLORREF color);
    void FontBold(int index, bool mode);
    void FontItalic(int index, bool mode);
    void FontStrikethru(int index, bool mode);
    void FontUnderline(int index, bool mode);
    void HideMenu();
    void PrintChange(int index);

    // A line was chosen; raised at most once per showing, after the menu closed.
    std::function<void(int32_t& ClickIndex)> Click;

    // The menu window, made on first use.
    FMenu& Menu();

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr UINT_PTR kTimer1 = 1;
    void Timer1(UINT interval);
    void OnTimer();
    int LetterHeight();
    // Sets one font flag of a line and reprints it.
    void SetFontFlag(int index, bool FMenu::Line::*flag, bool mode);

    std::unique_ptr<FMenu> menu_;
};
