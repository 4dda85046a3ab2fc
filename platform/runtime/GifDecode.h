// The first picture of a GIF file as palette indices: the form in which a
// GIF is small (one byte a pixel) and quick to read. Pure logic, free of
// windows.h; which pictures go to it is read from their headers.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct GifPicture {
    int width = 0, height = 0;               // the first picture's own size
    std::array<uint32_t, 256> palette{};     // 0x00RRGGBB per index; missing entries black
    std::vector<uint8_t> indices;            // width x height, rows top-down
    bool transparent = false;                // the picture names a transparent index
};

// False when the bytes are no GIF, are damaged or cut short, or name no
// colour table for the first picture.
bool DecodeGif(const uint8_t* bytes, size_t size, GifPicture& out);
