// Picture box: a canvas inside a form or another picture box, with a
// picture, a persistent image, PaintPicture, and a DDE client link.
#pragma once
#include "Canvas.h"
#include "Dde.h"

class PictureBox : public Canvas, public DdeClientLink {
public:
    explicit PictureBox(Canvas& container);
    // Inside another picture box (not a copy: controls are not copied).
    explicit PictureBox(PictureBox& container) : PictureBox(static_cast<Canvas&>(container)) {}
    ~PictureBox() override;

    // True: the box takes the size of each picture it is given.
    bool AutoSize() const { return autoSize_; }
    void AutoSize(bool value);

    std::function<void()> Resize;

    void ContainerUnloaded() override;

protected:
    CreateParams WindowParams() override { return CanvasParams(L"Orvane.PictureBox"); }
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyPropertiesFrom(const Control& other) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PictureChanged() override;
    void Created() override { created_ = true; }
    void OnDestroyed() override;

private:
    bool created_ = false;  // the size the window gets at creation is no Resize
    bool autoSize_ = false;
    bool designAutoSize_ = false;
};
