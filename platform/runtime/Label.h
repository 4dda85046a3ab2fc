// Label: a caption drawn in the label's font and colours, over its own
// background colour or, when transparent, over what its container shows.
#pragma once
#include "Control.h"

class Label : public Control {
public:
    enum class AlignmentConstants { LeftJustify = 0, RightJustify = 1, Center = 2 };
    enum class BackStyleConstants { Transparent = 0, Opaque = 1 };

    explicit Label(Canvas& container);
    ~Label() override;

    const std::wstring& Caption() const { return l_.caption; }
    void Caption(const std::wstring& value);
    OLE_COLOR ForeColor() const { return l_.foreColor; }
    void ForeColor(OLE_COLOR value);
    OLE_COLOR BackColor() const { return l_.backColor; }
    void BackColor(OLE_COLOR value);
    BackStyleConstants BackStyle() const { return l_.backStyle; }
    void BackStyle(BackStyleConstants value);
    AlignmentConstants Alignment() const { return l_.alignment; }
    void Alignment(AlignmentConstants value);

protected:
    CreateParams WindowParams() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    void Changed();

    struct Props {
        std::wstring caption;
        OLE_COLOR foreColor = kButtonText;
        OLE_COLOR backColor = kButtonFace;
        BackStyleConstants backStyle = BackStyleConstants::Opaque;
        AlignmentConstants alignment = AlignmentConstants::LeftJustify;
    };
    Props l_, design_;
};
