#include "WebPainter.h"

namespace {

// Restores the DC's state (clip region, selected objects) when it ends.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDc() {
        if (id_) RestoreDC(dc_, id_);
    }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int id_;
};

class SolidBrush {
public:
    explicit SolidBrush(COLORREF c) : brush_(CreateSolidBrush(c)) {}
    ~SolidBrush() {
        if (brush_) DeleteObject(brush_);
    }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH get() const { return brush_; }

private:
    HBRUSH brush_;
};

}  // namespace

void PaintFrame(const PaintContext& pc, const WebFrame& frame, int left, int top, const RECT& clip) {
    SavedDc saved(pc.dc);
    IntersectClipRect(pc.dc, clip.left, clip.top, clip.right, clip.bottom);
    {
        SolidBrush bg(frame.style.background);
        FillRect(pc.dc, &clip, bg.get());
    }
    SetBkMode(pc.dc, TRANSPARENT);
    const int ox = left - frame.scrollX, oy = top - frame.scrollY;
    for (const LayoutBox& b : frame.layout.boxes) {
        RECT r{ox + b.x, oy + b.y, ox + b.x + b.width, oy + b.y + b.height};
        RECT visible;
        if (!IntersectRect(&visible, &r, &clip)) continue;
        switch (b.kind) {
            case LayoutBox::Kind::Text:
                SelectObject(pc.dc, pc.fonts->Font(b.font));
                SetTextColor(pc.dc, b.colour);
                ExtTextOutW(pc.dc, r.left, r.top, 0, nullptr, b.text.c_str(), static_cast<UINT>(b.text.size()), nullptr);
                break;
            case LayoutBox::Kind::Image:
                if (const WebBitmap* bmp = pc.image(frame, *b.node)) bmp->Draw(pc.dc, r.left, r.top, b.width, b.height);
                break;
            case LayoutBox::Kind::Rule: {
                SolidBrush line(b.colour);
                FillRect(pc.dc, &r, line.get());
                break;
            }
            case LayoutBox::Kind::Frame:
                if (b.node && frame.child) PaintFrame(pc, *frame.child, r.left, r.top, visible);
                break;
        }
        if (b.link && b.link == pc.focusLink) {
            SetTextColor(pc.dc, 0);
            DrawFocusRect(pc.dc, &r);
        }
    }
}

BackBuffer::BackBuffer(HDC target, int cx, int cy) : target_(target), cx_(cx), cy_(cy) {
    mem_ = CreateCompatibleDC(target);
    bitmap_ = CreateCompatibleBitmap(target, cx > 0 ? cx : 1, cy > 0 ? cy : 1);
    if (mem_ && bitmap_) old_ = SelectObject(mem_, bitmap_);
}

BackBuffer::~BackBuffer() {
    if (old_) {
        BitBlt(target_, 0, 0, cx_, cy_, mem_, 0, 0, SRCCOPY);
        SelectObject(mem_, old_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    if (mem_) DeleteDC(mem_);
}
