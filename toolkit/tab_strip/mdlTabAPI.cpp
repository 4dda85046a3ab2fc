#include "mdlTabAPI.h"

#include "RaisedError.h"

namespace {

// Number and source of the errors raised when a GDI resource cannot be made.
constexpr uint32_t kGdiErrorNumber = 0x80040000u + 1;  // vbObjectError + 1
const char kSource[] = "mdlTabAPI";

[[noreturn]] void RaiseGdiError(const char* description) { throw RaisedError(kGdiErrorNumber, kSource, description); }

// Memory DC compatible with the screen with hBitmap selected; releases what
// it made (and hBitmap when owned) before raising.
HDC SelectIntoScreenCompatibleDC(HDC screen, HBITMAP hBitmap, bool deleteBitmapOnFailure) {
    HDC dc = CreateCompatibleDC(screen);
    if (!dc) {
        if (deleteBitmapOnFailure) DeleteObject(hBitmap);
        ReleaseDC(nullptr, screen);
        RaiseGdiError("CreateCompatibleDC调用失败");
    }
    SelectObject(dc, hBitmap);
    ReleaseDC(nullptr, screen);
    return dc;
}

HDC ScreenDC() {
    HDC screen = GetDC(nullptr);
    if (!screen) RaiseGdiError("GetDC调用失败");
    return screen;
}

}  // namespace

void ModifyWindowLong(HWND hWnd, int nIndex, LONG RemoveBits, LONG AddBits, UINT SwpFlags) {
    const LONG old = GetWindowLongW(hWnd, nIndex);
    const LONG now = (old & ~RemoveBits) | AddBits;
    if (now == old) return;
    SetWindowLongW(hWnd, nIndex, now);
    if (SwpFlags)
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SwpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HDC CreateMemDC(int Width, int Height) {
    HDC screen = ScreenDC();
    HBITMAP bitmap = CreateCompatibleBitmap(screen, Width, Height);
    if (!bitmap) {
        ReleaseDC(nullptr, screen);
        RaiseGdiError("CreateCompatibleBitmap调用失败");
    }
    return SelectIntoScreenCompatibleDC(screen, bitmap, true);
}

HDC CreateBitmapDC(HBITMAP hBitmap) {
    return SelectIntoScreenCompatibleDC(ScreenDC(), hBitmap, false);
}

int DeleteMemDC(HDC hDC) {
    HGDIOBJ bitmap = GetCurrentObject(hDC, OBJ_BITMAP);
    DeleteDC(hDC);
    if (bitmap) DeleteObject(bitmap);
    return 1;
}

int NineGridBlt(HDC hDestDC, int X, int Y, int W, int H, HDC hSrcDC, int SrcX, int SrcY, int SrcW, int SrcH,
                int LeftW, int TopH, int RightW, int BottomH, std::optional<COLORREF> TransColor) {
    // A negative size (a strip with very many tabs) draws nothing as well.
    if (W <= 0 || H <= 0 || SrcW <= 0 || SrcH <= 0) return 0;
    HDC tmp = CreateMemDC(W, H);
    SetStretchBltMode(tmp, HALFTONE);
    if (LeftW <= 0 && TopH <= 0 && RightW <= 0 && BottomH <= 0) {
        StretchBlt(tmp, 0, 0, W, H, hSrcDC, SrcX + LeftW, SrcY + TopH, SrcW - RightW, SrcH - BottomH, SRCCOPY);
    } else {
        const int midW = W - LeftW - RightW, midH = H - TopH - BottomH;
        const int srcMidW = SrcW - LeftW - RightW, srcMidH = SrcH - TopH - BottomH;
        const int srcRight = SrcX + SrcW - RightW, srcBottom = SrcY + SrcH - BottomH;
        if (LeftW > 0 && TopH > 0) BitBlt(tmp, 0, 0, LeftW, TopH, hSrcDC, SrcX, SrcY, SRCCOPY);
        if (RightW > 0 && TopH > 0) BitBlt(tmp, W - RightW, 0, RightW, TopH, hSrcDC, srcRight, SrcY, SRCCOPY);
        if (LeftW > 0 && BottomH > 0) BitBlt(tmp, 0, H - BottomH, LeftW, BottomH, hSrcDC, SrcX, srcBottom, SRCCOPY);
        if (RightW > 0 && BottomH > 0)
            BitBlt(tmp, W - RightW, H - BottomH, RightW, BottomH, hSrcDC, srcRight, srcBottom, SRCCOPY);
        if (LeftW > 0)
            StretchBlt(tmp, 0, TopH, LeftW, midH, hSrcDC, SrcX, SrcY + TopH, LeftW, srcMidH, SRCCOPY);
        if (RightW > 0)
            StretchBlt(tmp, W - RightW, TopH, RightW, midH, hSrcDC, srcRight, SrcY + TopH, RightW, srcMidH, SRCCOPY);
        if (TopH > 0)
            StretchBlt(tmp, LeftW, 0, midW, TopH, hSrcDC, SrcX + LeftW, SrcY, srcMidW, TopH, SRCCOPY);
        if (BottomH > 0)
            StretchBlt(tmp, LeftW, H - BottomH, midW, BottomH, hSrcDC, SrcX + LeftW, srcBottom, srcMidW, BottomH,
                       SRCCOPY);
        StretchBlt(tmp, LeftW, TopH, midW, midH, hSrcDC, SrcX + LeftW, SrcY + TopH, srcMidW, srcMidH, SRCCOPY);
    }
    const int result = TransColor ? TransBlt(hDestDC, X, Y, W, H, tmp, 0, 0, *TransColor)
                                  : BitBlt(hDestDC, X, Y, W, H, tmp, 0, 0, SRCCOPY);
    DeleteMemDC(tmp);
    return result;
}

int TransBlt(HDC hDestDC, int X, int Y, int W, int H, HDC hSrcDC, int SrcX, int SrcY, COLORREF TransColor) {
    return TransparentBlt(hDestDC, X, Y, W, H, hSrcDC, SrcX, SrcY, W, H, TransColor);
}

int DrawTextRect(HDC hDC, const std::wstring& Text, int Count, int X, int Y, int W, int H, UINT Format) {
    RECT rc{X, Y, X + W, Y + H};
    return DrawTextW(hDC, Text.c_str(), Count, &rc, Format);
}
