// Text box: an edit field with its text, length limit, colours, password
// character, and Change and Click events.
#pragma once
#include "Control.h"
#include "SolidBrush.h"

class TextBox : public Control {
public:
    explicit TextBox(Canvas& container);
    ~TextBox() override;

    std::wstring Text();
    // Cut to MaxLength. Setting the text it already has changes nothing and
    // raises no Change.
    void Text(const std::wstring& value);
    // Characters the text may hold, typed or set; 0 is no limit.
    int MaxLength() const { return t_.maxLength; }
    void MaxLength(int value);
    OLE_COLOR ForeColor() const { return t_.foreColor; }
    void ForeColor(OLE_COLOR value);
    OLE_COLOR BackColor() const { return t_.backColor; }
    void BackColor(OLE_COLOR value);
    // Shown for every character when set (a password field); 0 shows the text.
    wchar_t PasswordChar() const { return t_.passwordChar; }
    void PasswordChar(wchar_t value);
    // 0 flat, 1 sunken border (set before the window is created).
    int BorderStyle() const { return t_.borderStyle; }
    void BorderStyle(int value) { t_.borderStyle = value; }

    std::function<void()> Change;

    void ReflectCommand(WORD code) override;
    HBRUSH ReflectCtlColor(HDC dc) override;

protected:
    CreateParams WindowParams() override;
    void Created() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool TracksMouse() const override { return false; }

private:
    struct Props {
        std::wstring text;
        int maxLength = 0;
        OLE_COLOR foreColor = kWindowText;
        OLE_COLOR backColor = kWindowBackground;
        wchar_t passwordChar = 0;
        int borderStyle = 1;
    };
    Props t_, design_;
    SolidBrush brush_;
};
