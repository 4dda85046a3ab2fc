// What forms and picture boxes share: a background colour and picture, an
// optional persistent image (AutoRedraw) that drawing goes to, a scale in
// twips or pixels, PaintPicture, and the controls that lie in them.
#pragma once
#include <vector>

#include "Control.h"

class Canvas : public Control {
public:
    explicit Canvas(Canvas* container);
    ~Canvas() override;

    OLE_COLOR BackColor() const { return c_.backColor; }
    void BackColor(OLE_COLOR value);
    // Text colour of drawing on hDC.
    OLE_COLOR ForeColor() const { return c_.foreColor; }
    void ForeColor(OLE_COLOR value);
    // Drawn unstretched at the top-left corner, over the background colour.
    std::shared_ptr<StdPicture> Picture() const { return c_.picture; }
    void Picture(std::shared_ptr<StdPicture> value);
    // True: drawing goes to a persistent image, which repaints the window.
    bool AutoRedraw() const { return c_.autoRedraw; }
    void AutoRedraw(bool value);
    ScaleModeConstants ScaleMode() const { return c_.scaleMode; }
    void ScaleMode(ScaleModeConstants value) { c_.scaleMode = value; }
    // Inner size in this canvas's own scale units.
    int ScaleWidth();
    int ScaleHeight();

    // Drawing surface: the persistent image with AutoRedraw, else the window's own DC.
    HDC hDC();
    // Clears what was drawn: back to the background colour and picture.
    void Cls();
    // Draws `picture` (or its area x2, y2, width2, height2) at x1, y1, stretched
    // to width1 x height1 when given; all in this canvas's scale units.
    void PaintPicture(const std::shared_ptr<StdPicture>& picture, double x1, double y1,
                      std::optional<double> width1 = {}, std::optional<double> height1 = {},
                      std::optional<double> x2 = {}, std::optional<double> y2 = {},
                      std::optional<double> width2 = {}, std::optional<double> height2 = {},
                      std::optional<DWORD> opcode = {});
    // A copy of what the canvas shows (its persistent image with AutoRedraw).
    std::shared_ptr<StdPicture> PersistentImage();

    // Members (controls, timers, control arrays) follow this canvas's window.
    void AddMember(ContainerMember* member);
    void RemoveMember(ContainerMember* member);
    // Paints into `dc` at (0, 0) what this canvas shows under `area` (its client
    // pixels): for controls with a transparent background.
    void PaintUnder(HDC dc, const RECT& area);

    void ContainerCreated() override;
    void ContainerUnloaded() override;

protected:
    struct CanvasProps {
        OLE_COLOR backColor = kButtonFace;
        OLE_COLOR foreColor = kButtonText;
        std::shared_ptr<StdPicture> picture;
        bool autoRedraw = false;
        ScaleModeConstants scaleMode = ScaleModeConstants::Twips;
    };
    CanvasProps c_;

    CreateParams CanvasParams(const std::wstring& className) const;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyPropertiesFrom(const Control& other) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;
    ScaleModeConstants MouseScale() const override { return c_.scaleMode; }
    // The window now exists: members get theirs.
    void CreateMembers();
    // The form was unloaded: members go back to their design.
    void UnloadMembers();
    virtual void PictureChanged() {}
    void FontReplaced(HFONT font) override;

private:
    void FillBackground(HDC dc, const RECT& area);
    void EnsureImage();
    void DropImage();
    void Paint(HDC dc, const RECT& area);

    std::vector<ContainerMember*> members_;
    CanvasProps cdesign_;
    HDC imageDC_ = nullptr;
    HBITMAP imageBitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    SIZE imageSize_{};
};
