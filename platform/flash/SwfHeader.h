// The header of a Flash movie file: signature, version and, for an
// uncompressed movie, the frame size, frame rate and frame count.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

struct SwfHeader {
    enum Compression { None, Zlib, Lzma };  // "FWS", "CWS", "ZWS"
    Compression compression = None;
    int version = 0;
    uint32_t fileLength = 0;  // of the uncompressed movie, as the header states
    // Known only for an uncompressed movie whose first bytes hold them.
    bool hasFrame = false;
    int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;  // twips (1/20 pixel)
    uint16_t frameRate88 = 0;                         // 8.8 fixed point, frames per second
    uint16_t frameCount = 0;

    const char* Signature() const;
    int WidthPx() const { return (xMax - xMin) / 20; }
    int HeightPx() const { return (yMax - yMin) / 20; }
    double FrameRate() const { return frameRate88 / 256.0; }
};

// nullopt when the bytes do not start like a Flash movie.
std::optional<SwfHeader> ParseSwfHeader(const uint8_t* data, size_t size);

// Enough leading bytes for ParseSwfHeader to find everything it can.
constexpr size_t kSwfHeaderBytes = 8 + 17 + 4;
