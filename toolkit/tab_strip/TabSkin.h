// How a tab strip puts its sprite sheets on screen. The launcher's skin
// draws PNG sheets through stbimage.dll; the player passes a bitmap skin of
// its own. Cell positions are those of TabStripLayout for both.
#pragma once
#include <windows.h>

#include "TabStripLayout.h"

class TabSkin {
public:
    virtual ~TabSkin() = default;
    // Height of the strip of a style, in pixels.
    virtual long StripHeight(long style) const { return TabStripLayout::StripHeight(style); }
    // The background column stretched over w x h at 0, 0.
    virtual void DrawBackground(HDC hDC, long style, long w, long h) = 0;
    // A tab cell drawn nine-slice into the rectangle.
    virtual void DrawTab(HDC hDC, long style, TabStripLayout::TabCell cell, const TabStripLayout::Rect& rc) = 0;
    // A 12 x 12 close button, unscaled.
    virtual void DrawClose(HDC hDC, long style, TabStripLayout::CloseCell cell, long x, long y) = 0;
};
