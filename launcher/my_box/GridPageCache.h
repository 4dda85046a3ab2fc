// Pages of the "我的盒子" grid as the painter composed them, one sheet per
// page: each cell's picture under its frame with its caption strip below,
// side by side. The last few pages shown or prepared are kept, so that a
// page shown again is a copy; the least recently used one goes first. The
// sheets belong to one list of entries: a new list starts without any.
#pragma once
#include <windows.h>

#include <list>
#include <memory>

#include "GameGridLayout.h"
#include "Surface.h"

class GridPageCache {
public:
    // About 0.6 MB a page.
    static constexpr int kPages = 6;

    // The page's sheet, or nullptr when none is kept; a found one becomes the most recent.
    Surface* Find(int page);
    // A sheet of a page's size filled with `background`, not kept yet.
    static std::unique_ptr<Surface> NewSheet(COLORREF background);
    // Keeps the composed sheet as the page's, the most recent.
    Surface& Keep(int page, std::unique_ptr<Surface> sheet);
    void Clear() { kept_.clear(); }

    // Where a cell's framed picture and its caption are on a sheet.
    static POINT PictureAt(int cell) { return {cell * kPictureSize, 0}; }
    static POINT CaptionAt(int cell) { return {cell * kPictureSize, kPictureSize}; }

private:
    struct Kept {
        int page;
        std::unique_ptr<Surface> sheet;
    };
    std::list<Kept> kept_;  // the most recent first
};
