#include "BitmapTabSkin.h"

#include "StdPicture.h"

using namespace TabStripLayout;

namespace {

// A memory DC owning a copy of the picture's bitmap (the picture keeps its own).
UniqueMemDC LoadSheet(const std::wstring& path) {
    std::shared_ptr<StdPicture> picture;
    try {
        picture = LoadPicture(path);
    } catch (const RaisedError& e) {
        throw SkinFileError(e.Number(), e.Description(), path);
    }
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(picture->HandleAs<HBITMAP>(), IMAGE_BITMAP, 0, 0, 0));
    if (!copy) throw SkinFileError(481, "Invalid picture", path);
    try {
        return UniqueMemDC(CreateBitmapDC(copy));
    } catch (const RaisedError& e) {
        // The DC did not take the copy: it is still ours to free.
        DeleteObject(copy);
        throw SkinFileError(e.Number(), e.Description(), path);
    }
}

}  // namespace

BitmapTabSkin::BitmapTabSkin(const std::wstring& baseFolder) {
    const std::wstring base = baseFolder.empty() || baseFolder.back() == L'\\' ? baseFolder : baseFolder + L'\\';
    mainSheet_ = LoadSheet(base + L"skin\\DefaultSkin\\MainMenu.bmp");
    altSheet_ = LoadSheet(base + L"skin\\DefaultSkin\\PellowMenu.bmp");
}

void BitmapTabSkin::DrawBackground(HDC hDC, long style, long w, long h) {
    // The column is copied as it is: no colour key for the background.
    StretchBlt(hDC, 0, 0, w, h, Sheet(style), 0, 0, 1, Cells(style).backgroundHeight, SRCCOPY);
}

void BitmapTabSkin::DrawTab(HDC hDC, long style, TabCell cell, const Rect& rc) {
    const SheetCells& c = Cells(style);
    NineGridBlt(hDC, rc.x, rc.y, rc.w, rc.h, Sheet(style), c.tabX[cell], 0, c.tabW, c.tabH, c.margin, 0, c.margin, 0,
                kSkinKeyColour);
}

void BitmapTabSkin::DrawClose(HDC hDC, long style, CloseCell cell, long x, long y) {
    TransBlt(hDC, x, y, kCloseSize, kCloseSize, Sheet(style), Cells(style).closeX[cell], 0, kSkinKeyColour);
}
