// Geometry and hit testing of the "我的盒子" grid: 20 cells a page (4 rows
// of 5) and a row of 100 page buttons, all in pixels of the page's client
// area. Pure arithmetic, free of windows.h.
#pragma once
#include <array>
#include <cstdint>

struct GridRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

// State: 0 no page behind the button, 1 normal, 2 current page, 3 under the pointer.
struct PageButtonRect {
    GridRect Rect;
    int32_t State = 0;
};

struct GameCellRect {
    GridRect PicRect;
    GridRect TextRect;
    int32_t Hover = 0;  // 1 while the pointer is over the picture
};

inline constexpr int kCellsPerPage = 20;
inline constexpr int kPageButtonCount = 100;
inline constexpr int kPictureSize = 74;  // a cell's picture with its frame
inline constexpr int kThumbSize = 72;    // a game's picture
inline constexpr int kKnobSize = 18;
inline constexpr int kCaptionWidth = 64, kCaptionHeight = 25;  // a game's name under its picture

// What a hit test found: area 0 nothing (changed), 1 page buttons, 2 cells.
struct GridHit {
    int Area = 0;
    int Index = 0;
    bool Hit = false;
};

struct GameGrid {
    std::array<PageButtonRect, kPageButtonCount> PageButtons{};
    std::array<GameCellRect, kCellsPerPage> GameCells{};
    int ItemCount = 0;  // entries, "更多游戏" included
    int PageCount = 0;
    int CurrentPage = 0;

    // Page count for the entries; back to the first page.
    void SetItems(int itemCount);
    // Button rectangles and states: the first current, the other pages normal, the rest none.
    void LayoutPageButtons();
    void LayoutCells();
    // Makes `page` current and gives the buttons their states for it.
    void ShowPage(int page);
    // Cells the current page shows (20, or what is left on the last page).
    int CellsOnPage() const;
    GridHit HoverHitTest(int32_t x, int32_t y);
    GridHit ClickHitTest(int32_t x, int32_t y);
    // 1-based entry number of a cell of the current page.
    int EntryOf(int cell) const { return CurrentPage * kCellsPerPage + cell + 1; }
};
