// Image control: shows a picture over what its container shows, at its own
// size (the control takes the picture's size) or stretched to the control.
#pragma once
#include "Control.h"

class Image : public Control {
public:
    explicit Image(Canvas& container);
    ~Image() override;

    std::shared_ptr<StdPicture> Picture() const { return i_.picture; }
    void Picture(std::shared_ptr<StdPicture> value);
    bool Stretch() const { return i_.stretch; }
    void Stretch(bool value);

protected:
    CreateParams WindowParams() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);

    struct Props {
        std::shared_ptr<StdPicture> picture;
        bool stretch = false;
    };
    Props i_, design_;
};
