// JPEG and GIF files decoded in the program, many times quicker than the
// system's picture components under Wine and giving the same picture (JPEG
// within the rounding of one decoder to the next): JPEG by stb_image (the
// library stbimage.dll is built from), GIF by GifDecode. Only opaque
// pictures: a GIF with a transparent colour needs the mask that OLE picture
// loading makes. The header alone says whether a picture is one of these,
// so that no picture is decoded twice. Pure work on memory and files: any
// thread may decode.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "PictureHeader.h"

// Rows top-down, each pixel 0xFFRRGGBB (a 32-bit DIB's blue, green, red, 255).
struct DecodedPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> bgra;
};

// Whether the picture is one decoded here: an 8-bit baseline, extended or
// progressive JPEG, or a GIF whose first picture names no transparent colour.
bool DecodedInProgram(const PictureHeader& header);
// False when the bytes are no such picture, or a damaged one.
bool DecodeOpaquePixels(const BYTE* bytes, size_t size, DecodedPixels& out);
// The whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& bytes);

// A top-down DIB section of the picture in `bytes` (see DecodeOpaquePixels),
// or nullptr: a GIF keeps its palette, one byte a pixel.
HBITMAP DecodeOpaquePicture(const BYTE* bytes, size_t size);
