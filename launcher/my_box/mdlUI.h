// Painter of the "我的盒子" grid: whole pages of 20 cells, one cell when its
// hover state changes, and the row of page buttons, straight onto the page's
// drawing surface. Each game picture gets the partly transparent bed frame
// blended over it; a hovered cell a light white veil; an empty slot the
// placeholder picture. A page's games are composed once onto a sheet of the
// page's cache and copied from there while the sheet is kept.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "GameGridLayout.h"
#include "GridEntries.h"
#include "GridPageCache.h"

// The three skin pictures of the grid as 32-bit sections (per-pixel alpha
// kept); a missing or unreadable one is nullptr: no frame is drawn, empty
// slots take the page's colour and page buttons are plain squares.
struct GridSkin {
    GridSkin();
    ~GridSkin();
    GridSkin(const GridSkin&) = delete;
    GridSkin& operator=(const GridSkin&) = delete;

    HBITMAP Bed = nullptr;     // bed.bmp, the frame over every picture
    HBITMAP Origin = nullptr;  // origin.bmp, an empty slot
    HBITMAP Knob = nullptr;    // knob.bmp, page-button frames side by side
    HBITMAP White = nullptr;   // the veil
};

// Loads a bitmap file as a DIB section keeping its bits; nullptr when it cannot.
HBITMAP LoadSectionFile(const wchar_t* path);

// What the painter draws on and from; the "我的盒子" page lends it these
// and nothing else of itself.
struct GridCanvas {
    HWND window;                  // shown at once where drawn
    HDC dc;                       // the page's drawing surface, its font selected
    COLORREF textColour;          // of the names under the pictures
    const GameGrid& grid;
    const GridSkin& skin;
    GridPageCache& pages;         // the composed pages of the current list
    const GridEntries& entries;
    // Entry n's picture file (empty: none may be read for it).
    std::function<std::wstring(int)> picturePath;
};

// Composes the page's sheet unless it is kept (or there is no such page),
// without drawing anything.
void PreparePage(const GridCanvas& canvas, int page);
void DrawGamePage(const GridCanvas& canvas, int page);
void DrawGameCell(const GridCanvas& canvas, int entry, const GameCellRect& cell, int32_t hover);
// Marks the row for showing; the page drawn next shows it too.
void DrawPageButtons(const GridCanvas& canvas);
