// Drawing and window-style helpers shared by the tab strip, the main windows
// and the player's strip skin: style bits, off-screen device contexts,
// nine-slice and colour-keyed copies, text in a rectangle.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

// Style bits of a page window made into a child: caption and sizing border.
inline constexpr LONG kCaptionAndFrame = WS_CAPTION | WS_THICKFRAME;  // 12845056
// Colour the skins use for pixels that are not drawn.
inline constexpr COLORREF kSkinKeyColour = RGB(255, 0, 255);

// Clears RemoveBits and sets AddBits of a window long; writes only when the
// value changes, then applies SwpFlags (with no move, size, z-order or
// activation) when they are not 0.
void ModifyWindowLong(HWND hWnd, int nIndex, LONG RemoveBits, LONG AddBits, UINT SwpFlags);

// Memory DC holding a new screen-compatible bitmap. Raises RaisedError
// ("GetDC调用失败", "CreateCompatibleBitmap调用失败", "CreateCompatibleDC调用失败").
HDC CreateMemDC(int Width, int Height);
// Memory DC with hBitmap selected; the bitmap then belongs to the DC.
HDC CreateBitmapDC(HBITMAP hBitmap);
// Deletes the DC and the bitmap selected into it. Returns 1.
int DeleteMemDC(HDC hDC);

// Nine-slice scaled copy of a source rectangle: margins keep their size, the
// edges and the centre stretch. With TransColor the result is copied
// colour-keyed. Returns 0 (nothing drawn) when a size is 0 or less.
int NineGridBlt(HDC hDestDC, int X, int Y, int W, int H, HDC hSrcDC, int SrcX, int SrcY, int SrcW, int SrcH,
                int LeftW, int TopH, int RightW, int BottomH, std::optional<COLORREF> TransColor = std::nullopt);
// Same-size copy leaving out the pixels of TransColor.
int TransBlt(HDC hDestDC, int X, int Y, int W, int H, HDC hSrcDC, int SrcX, int SrcY, COLORREF TransColor);
// Draws Count characters of Text (-1: all) into the rectangle X, Y, W, H with
// the DrawText format flags; returns the text height.
int DrawTextRect(HDC hDC, const std::wstring& Text, int Count, int X, int Y, int W, int H, UINT Format);

// Owner of a DC made by CreateMemDC or CreateBitmapDC.
struct MemDCDeleter {
    void operator()(HDC hDC) const { DeleteMemDC(hDC); }
};
using UniqueMemDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemDCDeleter>;
