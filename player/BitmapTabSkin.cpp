#include "BitmapTabSkin.h"

#include "DibHeader.h"
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
    DrawKeyed(hDC, rc.x, rc.y, rc.w, rc.h, {style, 0, cell, rc.w, rc.h}, [&](HDC dc) {
        NineGridBlt(dc, 0, 0, rc.w, rc.h, Sheet(style), c.tabX[cell], 0, c.tabW, c.tabH, c.margin, 0, c.margin, 0,
                    std::nullopt);
    });
}

void BitmapTabSkin::DrawClose(HDC hDC, long style, CloseCell cell, long x, long y) {
    DrawKeyed(hDC, x, y, kCloseSize, kCloseSize, {style, 1, cell, kCloseSize, kCloseSize}, [&](HDC dc) {
        BitBlt(dc, 0, 0, kCloseSize, kCloseSize, Sheet(style), Cells(style).closeX[cell], 0, SRCCOPY);
    });
}

void BitmapTabSkin::DrawKeyed(HDC hDC, long x, long y, long w, long h, const Key& key,
                              const std::function<void(HDC)>& compose) {
    // A negative size (a strip with very many tabs) draws nothing.
    if (w <= 0 || h <= 0) return;
    auto found = keyed_.find(key);
    if (found == keyed_.end()) {
        // The sizes go with the strip's layout: the pictures of earlier layouts go.
        constexpr size_t kKept = 16;
        if (keyed_.size() >= kKept) keyed_.clear();
        const BITMAPINFO bi{DibHeader(static_cast<int>(w), -static_cast<int>(h), 32), {}};
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!dib) return;
        UniqueMemDC dc;
        try {
            dc.reset(CreateBitmapDC(dib));
        } catch (const RaisedError&) {
            DeleteObject(dib);  // the DC did not take it
            throw;
        }
        compose(dc.get());
        GdiFlush();
        // Premultiplied: a kept pixel is opaque as it is, magenta fully transparent.
        const DWORD magenta =
            (DWORD{GetRValue(kSkinKeyColour)} << 16) | (DWORD{GetGValue(kSkinKeyColour)} << 8) | GetBValue(kSkinKeyColour);
        auto* pixel = static_cast<DWORD*>(bits);
        for (long i = 0; i < w * h; ++i) pixel[i] = (pixel[i] & 0xFFFFFF) == magenta ? 0 : (pixel[i] | 0xFF000000);
        found = keyed_.emplace(key, std::move(dc)).first;
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hDC, x, y, w, h, found->second.get(), 0, 0, w, h, blend);
}
