// The header of an uncompressed device-independent bitmap, which every
// section, pixel copy and stretch of raw pixels starts from.
#pragma once
#include <windows.h>

// `height` below zero is a picture stored top row first.
inline BITMAPINFOHEADER DibHeader(int width, int height, WORD bitCount) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bitCount;
    h.biCompression = BI_RGB;
    return h;
}
