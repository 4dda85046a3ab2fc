#include "VScrollBar.h"

#include <algorithm>

#include "Canvas.h"
#include "RaisedError.h"

VScrollBar::VScrollBar(Canvas& container) : Control(&container) { Attached(); }

VScrollBar::~VScrollBar() { Destroy(); }

Window::CreateParams VScrollBar::WindowParams() {
    CreateParams cp;
    cp.className = L"Orvane.VScrollBar";
    cp.baseClass = L"SCROLLBAR";
    cp.style = SBS_VERT;
    return cp;
}

void VScrollBar::Created() { ApplyRange(); }

void VScrollBar::SaveDesign() {
    Control::SaveDesign();
    design_ = s_;
}

void VScrollBar::RestoreDesign() {
    Control::RestoreDesign();
    s_ = design_;
}

void VScrollBar::ApplyRange() {
    if (!hwnd()) return;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS};
    si.nMin = s_.min;
    si.nMax = s_.max;
    si.nPos = s_.value;
    SetScrollInfo(hwnd(), SB_CTL, &si, TRUE);
}

void VScrollBar::Value(int value) {
    if (value < s_.min || value > s_.max) throw RaisedError(380, "VScrollBar", "Invalid property value");
    if (value == s_.value) return;
    s_.value = value;
    ApplyRange();
    if (Change) Change();
}

void VScrollBar::Min(int value) {
    s_.min = value;
    s_.value = std::max(s_.value, value);
    ApplyRange();
}

void VScrollBar::Max(int value) {
    s_.max = value;
    s_.value = std::min(s_.value, value);
    ApplyRange();
}

void VScrollBar::ReflectScroll(WORD code) {
    int v = s_.value;
    switch (code) {
    case SB_LINEUP:
        v -= s_.smallChange;
        break;
    case SB_LINEDOWN:
        v += s_.smallChange;
        break;
    case SB_PAGEUP:
        v -= s_.largeChange;
        break;
    case SB_PAGEDOWN:
        v += s_.largeChange;
        break;
    case SB_TOP:
        v = s_.min;
        break;
    case SB_BOTTOM:
        v = s_.max;
        break;
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS};
        GetScrollInfo(hwnd(), SB_CTL, &si);
        v = si.nTrackPos;
        break;
    }
    default:
        return;
    }
    Value(std::clamp(v, s_.min, s_.max));
}
