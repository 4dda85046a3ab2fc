// The popup menu window of GMenu: a borderless top-most window whose lines
// are child boxes (the control array PP, element 0 being the template) and
// whose own surface carries the icons, check marks and the 1-pixel frame.
// Positions and sizes are in twips (15 per pixel).
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ControlFont.h"
#include "StdPicture.h"
#include "Surface.h"
#include "Window.h"

class FMenu : public Window {
public:
    static constexpr COLORREF kBackColor = RGB(219, 216, 209);
    static constexpr COLORREF kLineBackColor = RGB(249, 248, 247);
    static constexpr COLORREF kLineForeColor = RGB(0, 0, 0);  // the template's text colour
    static constexpr int kLineLeft = 360, kLineHeight = 480;

    // One menu line: a box of PP with its caption kept as the box's tag.
    class Line : public Window {
    public:
        Line(FMenu& menu, int index, int top);
        std::wstring caption;
        bool checked = false;
        COLORREF foreColor = kLineForeColor;
        bool bold = false, italic = false, strikethru = false, underline = false;
        int Top() const { return top_; }
        int Width() const;   // twips
        int Height() const;  // twips
        void Width(int twips);
        HDC hDC() const { return surface_.dc(); }
        // Clears the box and prints the caption at (x, y) twips in colour.
        void Print(int x, int y, COLORREF colour, bool clear = true);

    protected:
        LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        FMenu& menu_;
        int index_;
        int top_;
        Surface surface_{kLineBackColor};
        bool pressed_ = false;
    };

    FMenu();
    // Makes the window top-most without moving or sizing it.
    void Form_Load();

    // Lines 1..n; element 0, the template, has no window.
    int LineCount() const { return static_cast<int>(lines_.size()); }
    Line* LineAt(int index) const;
    Line& NewLine(int top);
    const std::wstring& Tag() const { return tag_; }
    void Tag(const std::wstring& value) { tag_ = value; }
    // Text size of s in twips, in the lines' font.
    SIZE TextSize(const std::wstring& s) const;
    // Copies the top-left 240 x 240 of picture (or the check mark) into the
    // icon square of the line whose top is `top`; nullptr clears the square.
    void PaintIcon(int top, const StdPicture* picture);
    void PaintCheck(int top);
    void ClearIcon(int top);
    // The 1-pixel frame of a w x h window, drawn or erased.
    void DrawFrame(int w, int h);
    void EraseFrame(int w, int h);
    HDC hDC() const { return surface_.dc(); }
    const ControlFont& Font() const { return font_; }

    // Events of the line boxes (index, x and y in twips within the box).
    void PP_MouseMove(int index, int x, int y);
    void PP_Click(int index);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF colour);

    Surface surface_{kBackColor};
    ControlFont font_;
    std::wstring tag_;
    std::vector<std::unique_ptr<FMenu::Line>> lines_;
    std::shared_ptr<StdPicture> p1_;  // the check mark
};
