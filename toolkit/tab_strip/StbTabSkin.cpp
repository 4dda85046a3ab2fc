#include "StbTabSkin.h"

#include "StbImage.h"

using namespace TabStripLayout;

StbTabSkin::StbTabSkin(const std::wstring& baseFolder) {
    const std::wstring base = baseFolder.empty() || baseFolder.back() == L'\\' ? baseFolder : baseFolder + L'\\';
    mainSheet_ = StbImage::LoadImage(base + L"skin\\DefaultSkin\\MainMenu.png");
    altSheet_ = StbImage::LoadImage(base + L"skin\\DefaultSkin\\PellowMenu.png");
}

StbTabSkin::~StbTabSkin() {
    if (mainSheet_) StbImage::DestroyImage(mainSheet_);
    if (altSheet_) StbImage::DestroyImage(altSheet_);
}

void StbTabSkin::DrawBackground(HDC hDC, long style, long w, long h) {
    StbImage::StretchBlt(hDC, 0, 0, w, h, Sheet(style), 0, 0, 1, Cells(style).backgroundHeight);
}

void StbTabSkin::DrawTab(HDC hDC, long style, TabCell cell, const Rect& rc) {
    const SheetCells& c = Cells(style);
    StbImage::GridBlt(hDC, rc.x, rc.y, rc.w, rc.h, Sheet(style), c.tabX[cell], 0, c.tabW, c.tabH, c.margin, 0,
                      c.margin, 0);
}

void StbTabSkin::DrawClose(HDC hDC, long style, CloseCell cell, long x, long y) {
    StbImage::BitBlt(hDC, x, y, kCloseSize, kCloseSize, Sheet(style), Cells(style).closeX[cell], 0);
}
