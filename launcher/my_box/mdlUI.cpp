#include "mdlUI.h"

#include <iterator>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "DibHeader.h"
#include "GridPageCache.h"
#include "PictureDecode.h"
#include "PictureHeader.h"
#include "ProgramFiles.h"
#include "ScopedGdi.h"
#include "StdPicture.h"

namespace {

constexpr COLORREF kCaptionBack = RGB(249, 249, 249);
constexpr UINT kCaptionFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_WORD_ELLIPSIS;  // 0x42011
constexpr BLENDFUNCTION kFrameBlend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
constexpr BLENDFUNCTION kVeilBlend{AC_SRC_OVER, 0, 48, 0};
// Page buttons drawn without knob.bmp: a plain square per state (none,
// normal, current page, under the pointer) on the page's colour.
constexpr COLORREF kPlainKnob[] = {kCaptionBack, RGB(176, 176, 176), RGB(64, 112, 192), RGB(128, 160, 208)};
constexpr int kPlainKnobInset = 4;
// A thumbnail is drawn at 72 x 72: one declaring more pixels than this is
// not decoded at all (a file of a few hundred bytes can declare gigabytes).
constexpr int64_t kMaxThumbnailPixels = 4 << 20;

// A memory DC with one bitmap selected for the object's life.
class SelectedDC {
public:
    explicit SelectedDC(HBITMAP bitmap) : dc_(bitmap ? CreateCompatibleDC(nullptr) : nullptr) {
        if (dc_) old_ = SelectObject(dc_, bitmap);
    }
    ~SelectedDC() {
        if (!dc_) return;
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    SelectedDC(const SelectedDC&) = delete;
    SelectedDC& operator=(const SelectedDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

HBITMAP NewSection(int cx, int cy, void** bits = nullptr) {
    BITMAPINFO bi{DibHeader(cx, cy, 32), {}};
    void* p = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bits) *bits = p;
    return section;
}

// A square of one colour.
void FillArea(HDC target, int left, int top, int size, COLORREF colour) {
    const RECT area{left, top, left + size, top + size};
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(target, &area, brush.get());
}

void DrawPlainKnob(HDC target, const PageButtonRect& b) {
    FillArea(target, b.Rect.Left, b.Rect.Top, kKnobSize, kCaptionBack);
    if (b.State > 0 && b.State < static_cast<int32_t>(std::size(kPlainKnob)))
        FillArea(target, b.Rect.Left + kPlainKnobInset, b.Rect.Top + kPlainKnobInset, kKnobSize - 2 * kPlainKnobInset,
                 kPlainKnob[b.State]);
}

// The picture file stretched to 72 x 72 at (x, y), decoded once by the
// decoder its header names; false when it cannot be read, is damaged or
// declares too many pixels.
bool DrawThumbnail(HDC dc, int x, int y, const std::wstring& path) {
    if (path.empty()) return false;
    try {
        std::vector<BYTE> bytes;
        if (!ReadWholeFile(path, bytes)) return false;
        const std::optional<PictureHeader> header = ReadPictureHeader(bytes.data(), bytes.size());
        if (!header || header->Pixels() > kMaxThumbnailPixels) return false;
        SetStretchBltMode(dc, COLORONCOLOR);
        if (DecodedInProgram(*header)) {
            DecodedPixels pixels;
            if (!DecodeOpaquePixels(bytes.data(), bytes.size(), pixels)) return false;
            const BITMAPINFO bi{DibHeader(pixels.width, -pixels.height, 32), {}};
            return StretchDIBits(dc, x, y, kThumbSize, kThumbSize, 0, 0, pixels.width, pixels.height,
                                 pixels.bgra.data(), &bi, DIB_RGB_COLORS, SRCCOPY) != 0;
        }
        // Other kinds (a bitmap, a transparent GIF) through the system's picture loading.
        PictureFromBytes(bytes)->Render(dc, x, y, kThumbSize, kThumbSize);
        return true;
    } catch (...) {
        // Not enough memory for it, or no picture the system reads.
        return false;
    }
}

// Composes the page's games onto a new sheet, kept in the page cache once
// whole: each picture (or the page's colour where there is none) under the
// frame, each name below it. Nullptr when it cannot be composed.
const Surface* ComposePage(const GridCanvas& canvas, int page) {
    try {
        const int count = canvas.grid.ItemCount;
        std::unique_ptr<Surface> sheet = GridPageCache::NewSheet(kCaptionBack);
        HDC dc = sheet->dc();
        if (!dc) return nullptr;
        SelectObject(dc, GetCurrentObject(canvas.dc, OBJ_FONT));
        SetTextColor(dc, canvas.textColour);
        SetBkMode(dc, TRANSPARENT);
        const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(kCaptionBack));
        const SelectedDC bed(canvas.skin.Bed);
        for (int cell = 0; cell < kCellsPerPage && page * kCellsPerPage + cell < count; ++cell) {
            const int entry = page * kCellsPerPage + cell + 1;
            const POINT pic = GridPageCache::PictureAt(cell), caption = GridPageCache::CaptionAt(cell);
            PatBlt(dc, pic.x, pic.y, kPictureSize, kPictureSize, BLACKNESS);
            if (!DrawThumbnail(dc, pic.x + 1, pic.y + 1, canvas.picturePath(entry))) {
                RECT inner{pic.x + 1, pic.y + 1, pic.x + 1 + kThumbSize, pic.y + 1 + kThumbSize};
                FillRect(dc, &inner, brush.get());
            }
            if (bed.get())
                AlphaBlend(dc, pic.x, pic.y, kPictureSize, kPictureSize, bed.get(), 0, 0, kPictureSize, kPictureSize,
                           kFrameBlend);
            // Wide text: names show whatever the system's code page.
            std::wstring name(canvas.entries.Name(entry));
            RECT text{caption.x, caption.y, caption.x + kCaptionWidth, caption.y + kCaptionHeight};
            DrawTextW(dc, name.data(), -1, &text, kCaptionFormat);
        }
        return &canvas.pages.Keep(page, std::move(sheet));
    } catch (...) {
        // Out of memory half-way: nothing half-drawn is kept or shown.
        return nullptr;
    }
}

// The page as composed before, or composed now; nullptr when it cannot be.
const Surface* PageSheet(const GridCanvas& canvas, int page) {
    if (const Surface* kept = canvas.pages.Find(page)) return kept;
    return ComposePage(canvas, page);
}

// Shows what was drawn in the area (and anything else marked for it) at
// once, the rest of the window as it is.
void ShowArea(const GridCanvas& canvas, const RECT& area) {
    InvalidateRect(canvas.window, &area, FALSE);
    UpdateWindow(canvas.window);
}

}  // namespace

HBITMAP LoadSectionFile(const wchar_t* path) {
    return static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

GridSkin::GridSkin() {
    Bed = LoadSectionFile(ProgramFile(L"Skin\\DefaultSkin\\bed.bmp").c_str());
    Origin = LoadSectionFile(ProgramFile(L"Skin\\DefaultSkin\\origin.bmp").c_str());
    Knob = LoadSectionFile(ProgramFile(L"Skin\\DefaultSkin\\knob.bmp").c_str());
    void* bits = nullptr;
    White = NewSection(kPictureSize, kPictureSize, &bits);
    if (White) {
        SelectedDC dc(White);
        RECT all{0, 0, kPictureSize, kPictureSize};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

GridSkin::~GridSkin() {
    for (HBITMAP b : {Bed, Origin, Knob, White})
        if (b) DeleteObject(b);
}

void PreparePage(const GridCanvas& canvas, int page) {
    if (page >= 0 && page * kCellsPerPage < canvas.grid.ItemCount) PageSheet(canvas, page);
}

void DrawGamePage(const GridCanvas& canvas, int page) {
    const int count = canvas.grid.ItemCount;
    HDC target = canvas.dc;
    const Surface* sheet = page * kCellsPerPage < count ? PageSheet(canvas, page) : nullptr;
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(kCaptionBack));
    for (int cell = 0; cell < kCellsPerPage; ++cell) {
        const int entry = page * kCellsPerPage + cell + 1;
        const GameCellRect& rect = canvas.grid.GameCells[cell];
        if (entry <= count && sheet) {
            const POINT pic = GridPageCache::PictureAt(cell), caption = GridPageCache::CaptionAt(cell);
            BitBlt(target, rect.PicRect.Left, rect.PicRect.Top, kPictureSize, kPictureSize, sheet->dc(), pic.x, pic.y, SRCCOPY);
            BitBlt(target, rect.TextRect.Left, rect.TextRect.Top, kCaptionWidth, kCaptionHeight, sheet->dc(), caption.x,
                   caption.y, SRCCOPY);
            continue;
        }
        RECT text{rect.TextRect.Left, rect.TextRect.Top, rect.TextRect.Right, rect.TextRect.Bottom};
        FillRect(target, &text, brush.get());
        if (HBITMAP origin = entry > count ? canvas.skin.Origin : nullptr) {
            SelectedDC src(origin);
            BitBlt(target, rect.PicRect.Left, rect.PicRect.Top, kPictureSize, kPictureSize, src.get(), 0, 0, SRCCOPY);
        } else {
            // An empty slot without its picture, or a game whose page could
            // not be composed, is the page's colour, not whatever the page
            // shown before left there.
            FillArea(target, rect.PicRect.Left, rect.PicRect.Top, kPictureSize, kCaptionBack);
        }
    }
    const GameCellRect &first = canvas.grid.GameCells.front(), &last = canvas.grid.GameCells.back();
    ShowArea(canvas, RECT{first.PicRect.Left, first.PicRect.Top, last.PicRect.Right, last.TextRect.Bottom});
}

void DrawGameCell(const GridCanvas& canvas, int entry, const GameCellRect& cell, int32_t hover) {
    const POINT pic = GridPageCache::PictureAt((entry - 1) % kCellsPerPage);
    HDC target = canvas.dc;
    const int x = cell.PicRect.Left, y = cell.PicRect.Top;
    if (const Surface* sheet = PageSheet(canvas, (entry - 1) / kCellsPerPage))
        BitBlt(target, x, y, kPictureSize, kPictureSize, sheet->dc(), pic.x, pic.y, SRCCOPY);
    if (hover == 1 && canvas.skin.White) {
        SelectedDC veil(canvas.skin.White);
        AlphaBlend(target, x, y, kPictureSize, kPictureSize, veil.get(), 0, 0, kPictureSize, kPictureSize, kVeilBlend);
    }
    // Only the cell changed: the rest of the window keeps what it shows.
    ShowArea(canvas, RECT{x, y, x + kPictureSize, y + kPictureSize});
}

void DrawPageButtons(const GridCanvas& canvas) {
    HDC target = canvas.dc;
    if (HBITMAP knob = canvas.skin.Knob) {
        SelectedDC src(knob);
        for (const PageButtonRect& b : canvas.grid.PageButtons)
            BitBlt(target, b.Rect.Left, b.Rect.Top, kKnobSize, kKnobSize, src.get(), b.State * kKnobSize, 0, SRCCOPY);
    } else {
        // Without their picture the buttons would still take clicks unseen.
        for (const PageButtonRect& b : canvas.grid.PageButtons) DrawPlainKnob(target, b);
    }
    // Shown with the page or the cell drawn next, or by the caller.
    const GridRect &first = canvas.grid.PageButtons.front().Rect, &last = canvas.grid.PageButtons.back().Rect;
    const RECT row{first.Left, first.Top, last.Right, last.Bottom};
    InvalidateRect(canvas.window, &row, FALSE);
}
