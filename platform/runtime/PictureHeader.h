// The size a picture file declares, read from its header before any decoder
// runs, so that a small file declaring gigabytes of pixels is refused
// without being decoded: bitmaps (any compression, RLE included), JPEG
// (every frame kind, arithmetic-coded and 12-bit too), GIF, PNG, and icons
// and cursors. Pure logic, free of windows.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

enum class PictureKind { Bitmap, Jpeg, Gif, Png, Icon };

struct PictureHeader {
    PictureKind kind = PictureKind::Bitmap;
    // Pixels, both above 0. A GIF's is the area its first picture needs on
    // the screen it declares; an icon's the largest of its images'.
    int width = 0, height = 0;
    // JPEG: the frame's start marker (0xC0 baseline, 0xC2 progressive, 0xC9
    // arithmetic-coded, ...) and the bits of a sample.
    int jpegFrame = 0, jpegPrecision = 0;
    // GIF: the first picture names a transparent colour.
    bool transparent = false;

    int64_t Pixels() const { return static_cast<int64_t>(width) * height; }
};

// Nothing when the bytes are none of these kinds or their header is cut
// short, damaged or declares no size (a JPEG whose height comes after its
// first scan).
std::optional<PictureHeader> ReadPictureHeader(const uint8_t* bytes, size_t size);
