// stbimage.dll, bound by name at the first call (the platform's library
// search order, program folder first). Image handles are small integers;
// 0 draws nothing. When the library cannot be found every load gives 0.
#pragma once
#include <windows.h>

#include <string>

namespace StbImage {

int LoadImage(const std::wstring& path);  // handed to the library as ANSI text
void StretchBlt(HDC hDC, int x, int y, int w, int h, int image, int srcX, int srcY, int srcW, int srcH);
void GridBlt(HDC hDC, int x, int y, int w, int h, int image, int srcX, int srcY, int srcW, int srcH, int left,
             int top, int right, int bottom);
void BitBlt(HDC hDC, int x, int y, int w, int h, int image, int srcX, int srcY);
void DestroyImage(int image);

}  // namespace StbImage
