// Check box: a caption with a box whose Value is 0 (clear), 1 (checked) or
// 2 (grey); Click follows every change of Value, by the user or the program.
#pragma once
#include "Control.h"
#include "SolidBrush.h"

class CheckBox : public Control {
public:
    explicit CheckBox(Canvas& container);
    ~CheckBox() override;

    int Value() const { return k_.value; }
    void Value(int value);
    const std::wstring& Caption() const { return k_.caption; }
    void Caption(const std::wstring& value);
    OLE_COLOR ForeColor() const { return k_.foreColor; }
    void ForeColor(OLE_COLOR value);
    OLE_COLOR BackColor() const { return k_.backColor; }
    void BackColor(OLE_COLOR value);

    void ReflectCommand(WORD code) override;
    HBRUSH ReflectCtlColor(HDC dc) override;

protected:
    CreateParams WindowParams() override;
    void Created() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    bool TracksMouse() const override { return false; }

private:
    struct Props {
        int value = 0;
        std::wstring caption;
        OLE_COLOR foreColor = kButtonText;
        OLE_COLOR backColor = kButtonFace;
    };
    Props k_, design_;
    SolidBrush brush_;
};
