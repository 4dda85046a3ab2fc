#include "mdlUI.h"

#include <iterator>
#include <memory>
#include <type_traits>

#include "MainMe.h"
#include "OleColor.h"
#include "ProgramFiles.h"
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
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    bi.bmiHeader.biSizeImage = cx * cy * 4;
    void* p = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bits) *bits = p;
    return section;
}

// The 74 x 74 working section of one paint call; starts zeroed.
class ComposeSection {
public:
    ComposeSection() : bitmap_(NewSection(kPictureSize, kPictureSize, &bits_)), dc_(bitmap_) {}
    ~ComposeSection() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    HDC dc() const { return dc_.get(); }
    void Clear() {
        if (bits_) ZeroMemory(bits_, kPictureSize * kPictureSize * 4);
    }

private:
    void* bits_ = nullptr;
    HBITMAP bitmap_;
    SelectedDC dc_;
};

// A square of one colour.
void FillArea(HDC target, int left, int top, int size, COLORREF colour) {
    const RECT area{left, top, left + size, top + size};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(target, &area, brush);
    DeleteObject(brush);
}

// Picture of the entry at 1, 1 of the section, then the bed over all of it.
void Compose(MainMe& form, const ComposeSection& section, int entry) {
    if (HBITMAP picture = form.EntryPicture(entry)) {
        SelectedDC src(picture);
        BitBlt(section.dc(), 1, 1, kThumbSize, kThumbSize, src.get(), 0, 0, SRCCOPY);
    } else {
        // No readable picture: the frame around the page's own colour.
        FillArea(section.dc(), 1, 1, kThumbSize, kCaptionBack);
    }
    if (HBITMAP bed = form.Skin().Bed) {
        SelectedDC src(bed);
        AlphaBlend(section.dc(), 0, 0, kPictureSize, kPictureSize, src.get(), 0, 0, kPictureSize, kPictureSize, kFrameBlend);
    }
}

void DrawPlainKnob(HDC target, const PageButtonRect& b) {
    FillArea(target, b.Rect.Left, b.Rect.Top, kKnobSize, kCaptionBack);
    if (b.State > 0 && b.State < static_cast<int32_t>(std::size(kPlainKnob)))
        FillArea(target, b.Rect.Left + kPlainKnobInset, b.Rect.Top + kPlainKnobInset, kKnobSize - 2 * kPlainKnobInset,
                 kPlainKnob[b.State]);
}

void CopyToCell(HDC target, const ComposeSection& section, const GameCellRect& cell) {
    BitBlt(target, cell.PicRect.Left, cell.PicRect.Top, kPictureSize, kPictureSize, section.dc(), 0, 0, SRCCOPY);
}

}  // namespace

HBITMAP LoadSectionFile(const wchar_t* path) {
    return static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HBITMAP LoadThumbnail(const std::wstring& path) {
    std::shared_ptr<StdPicture> picture;
    try {
        picture = LoadPicture(path);
    } catch (...) {
        return nullptr;
    }
    HBITMAP section = NewSection(kThumbSize, kThumbSize);
    if (!section) return nullptr;
    SelectedDC dc(section);
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    picture->Render(dc.get(), 0, 0, kThumbSize, kThumbSize);
    return section;
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

void DrawGamePage(MainMe& form, int count, int page) {
    HDC target = form.hDC();
    ComposeSection section;
    HBRUSH brush = CreateSolidBrush(kCaptionBack);
    const int oldMode = SetBkMode(target, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(target, TranslateColor(form.ForeColor()));
    for (int cell = 0; cell < kCellsPerPage; ++cell) {
        const int entry = page * kCellsPerPage + cell + 1;
        const GameCellRect& rect = form.Grid().GameCells[cell];
        RECT text{rect.TextRect.Left, rect.TextRect.Top, rect.TextRect.Right, rect.TextRect.Bottom};
        FillRect(target, &text, brush);
        if (entry > count) {
            if (HBITMAP origin = form.Skin().Origin) {
                SelectedDC src(origin);
                BitBlt(target, rect.PicRect.Left, rect.PicRect.Top, kPictureSize, kPictureSize, src.get(), 0, 0, SRCCOPY);
            } else {
                // Without its picture an empty slot is the page's colour, not
                // whatever the page shown before left there.
                FillArea(target, rect.PicRect.Left, rect.PicRect.Top, kPictureSize, kCaptionBack);
            }
            continue;
        }
        section.Clear();
        Compose(form, section, entry);
        CopyToCell(target, section, rect);
        // Wide text: names show whatever the system's code page.
        std::wstring name = form.Entry(entry).Name;
        DrawTextW(target, name.data(), -1, &text, kCaptionFormat);
    }
    SetTextColor(target, oldColour);
    SetBkMode(target, oldMode);
    DeleteObject(brush);
    form.Refresh();
}

void DrawGameCell(MainMe& form, int, int entry, const GameCellRect& cell, int32_t hover) {
    ComposeSection section;
    Compose(form, section, entry);
    if (hover == 1 && form.Skin().White) {
        SelectedDC veil(form.Skin().White);
        AlphaBlend(section.dc(), 0, 0, kPictureSize, kPictureSize, veil.get(), 0, 0, kPictureSize, kPictureSize, kVeilBlend);
    }
    CopyToCell(form.hDC(), section, cell);
    // Only the cell changed: the rest of the window keeps what it shows.
    RECT area{cell.PicRect.Left, cell.PicRect.Top, cell.PicRect.Left + kPictureSize, cell.PicRect.Top + kPictureSize};
    InvalidateRect(form.hwnd(), &area, FALSE);
    UpdateWindow(form.hwnd());
}

void DrawPageButtons(MainMe& form) {
    HDC target = form.hDC();
    if (HBITMAP knob = form.Skin().Knob) {
        SelectedDC src(knob);
        for (const PageButtonRect& b : form.Grid().PageButtons)
            BitBlt(target, b.Rect.Left, b.Rect.Top, kKnobSize, kKnobSize, src.get(), b.State * kKnobSize, 0, SRCCOPY);
    } else {
        // Without their picture the buttons would still take clicks unseen.
        for (const PageButtonRect& b : form.Grid().PageButtons) DrawPlainKnob(target, b);
    }
    form.Refresh();
}
