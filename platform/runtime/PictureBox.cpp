#include "PictureBox.h"

PictureBox::PictureBox(Canvas& container) : Canvas(&container) { Attached(); }

PictureBox::~PictureBox() { Destroy(); }

void PictureBox::AutoSize(bool value) {
    autoSize_ = value;
    PictureChanged();
}

void PictureBox::PictureChanged() {
    if (!autoSize_ || !c_.picture) return;
    const ScaleModeConstants s = GeometryScale();
    Move(Left(), Top(), FromPixels(c_.picture->PixelWidth(), s), FromPixels(c_.picture->PixelHeight(), s));
}

void PictureBox::SaveDesign() {
    Canvas::SaveDesign();
    designAutoSize_ = autoSize_;
}

void PictureBox::RestoreDesign() {
    Canvas::RestoreDesign();
    autoSize_ = designAutoSize_;
}

void PictureBox::CopyPropertiesFrom(const Control& other) {
    Canvas::CopyPropertiesFrom(other);
    if (auto* box = dynamic_cast<const PictureBox*>(&other)) autoSize_ = box->autoSize_;
}

void PictureBox::ContainerUnloaded() {
    LinkMode(0);
    Canvas::ContainerUnloaded();
}

LRESULT PictureBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = Canvas::WndProc(msg, wParam, lParam);
    if (msg == WM_SIZE && created_ && Resize) Resize();
    return r;
}

void PictureBox::OnDestroyed() {
    Canvas::OnDestroyed();
    created_ = false;
}
