#include "GameGridLayout.h"

void GameGrid::SetItems(int itemCount) {
    ItemCount = itemCount;
    PageCount = (itemCount + kCellsPerPage - 1) / kCellsPerPage;
    CurrentPage = 0;
}

void GameGrid::LayoutPageButtons() {
    for (int i = 0; i < kPageButtonCount; ++i) {
        PageButtonRect& b = PageButtons[i];
        b.State = i == 0 ? 2 : i < PageCount ? 1 : 0;
        b.Rect.Left = 285 + kKnobSize * i;
        b.Rect.Top = 529;
        b.Rect.Right = b.Rect.Left + kKnobSize;
        b.Rect.Bottom = 547;
    }
}

void GameGrid::LayoutCells() {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c) {
            GameCellRect& cell = GameCells[5 * r + c];
            cell.PicRect = {32 + 116 * c, 30 + 121 * r, 32 + 116 * c + kPictureSize, 30 + 121 * r + kPictureSize};
            cell.TextRect = {37 + 116 * c, 111 + 121 * r, 37 + 116 * c + kCaptionWidth, 111 + 121 * r + kCaptionHeight};
            cell.Hover = 0;
        }
    }
}

void GameGrid::ShowPage(int page) {
    CurrentPage = page;
    for (int i = 0; i < kPageButtonCount; ++i) PageButtons[i].State = i >= PageCount ? 0 : i == page ? 2 : 1;
}

int GameGrid::CellsOnPage() const {
    if (CurrentPage >= PageCount - 1) return ItemCount - (PageCount - 1) * kCellsPerPage;
    return kCellsPerPage;
}

GridHit GameGrid::HoverHitTest(int32_t x, int32_t y) {
    GridHit hit;
    int firstChanged = -1;
    bool onButton = false;
    for (int i = 0; i < kPageButtonCount; ++i) {
        PageButtonRect& b = PageButtons[i];
        const int32_t before = b.State;
        if (i >= PageCount) {
            b.State = 0;
        } else if (b.Rect.Contains(x, y)) {
            b.State = 3;
            onButton = true;
            hit.Hit = true;
        } else {
            b.State = i == CurrentPage ? 2 : 1;
        }
        if (b.State != before && firstChanged < 0) firstChanged = i;
    }
    if (firstChanged >= 0) return {1, firstChanged, hit.Hit};
    if (onButton) return hit;
    const int cells = CellsOnPage();
    for (int i = 0; i < cells && i < kCellsPerPage; ++i) {
        GameCellRect& cell = GameCells[i];
        const int32_t before = cell.Hover;
        cell.Hover = cell.PicRect.Contains(x, y) ? 1 : 0;
        if (cell.Hover) hit.Hit = true;
        if (cell.Hover != before && firstChanged < 0) firstChanged = i;
    }
    if (firstChanged >= 0) return {2, firstChanged, hit.Hit};
    return {0, 0, hit.Hit};
}

GridHit GameGrid::ClickHitTest(int32_t x, int32_t y) {
    for (int k = 0; k < PageCount && k < kPageButtonCount; ++k) {
        if (!PageButtons[k].Rect.Contains(x, y)) continue;
        for (int i = 0; i < PageCount && i < kPageButtonCount; ++i) PageButtons[i].State = i == k ? 2 : 1;
        return {1, k, true};
    }
    const int cells = CellsOnPage();
    for (int i = 0; i < cells && i < kCellsPerPage; ++i) {
        if (GameCells[i].PicRect.Contains(x, y)) {
            GameCells[i].Hover = 1;
            return {2, i, true};
        }
        GameCells[i].Hover = 0;
    }
    return {};
}
