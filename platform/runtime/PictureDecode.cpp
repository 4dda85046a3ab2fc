#include "PictureDecode.h"

#include <cstring>

#include "DibHeader.h"
#include "GifDecode.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb_image.h>

namespace {

// The kind of picture decoded here, or nothing.
std::optional<PictureKind> InProgramKind(const BYTE* bytes, size_t size) {
    const std::optional<PictureHeader> header = ReadPictureHeader(bytes, size);
    if (!header || !DecodedInProgram(*header)) return std::nullopt;
    return header->kind;
}

bool OpaqueGif(const BYTE* bytes, size_t size, GifPicture& gif) {
    return DecodeGif(bytes, size, gif) && !gif.transparent;
}

struct StbPixels {
    stbi_uc* p = nullptr;
    ~StbPixels() {
        if (p) stbi_image_free(p);
    }
};

bool DecodeJpeg(const BYTE* bytes, size_t size, DecodedPixels& out) {
    if (size > 0x7FFFFFFF) return false;
    int w = 0, h = 0, channels = 0;
    StbPixels rgb;
    rgb.p = stbi_load_from_memory(bytes, static_cast<int>(size), &w, &h, &channels, 3);
    if (!rgb.p || w <= 0 || h <= 0) return false;
    const size_t pixels = static_cast<size_t>(w) * static_cast<size_t>(h);
    out.bgra.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const stbi_uc* p = rgb.p + 3 * i;
        out.bgra[i] = 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
    out.width = w;
    out.height = h;
    return true;
}

HBITMAP PaletteSection(const GifPicture& gif) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{DibHeader(gif.width, -gif.height, 8), {}};
    info.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = gif.palette[i];
        info.colours[i] = {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
    }
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return nullptr;
    const size_t stride = (static_cast<size_t>(gif.width) + 3) & ~size_t{3};
    for (int y = 0; y < gif.height; ++y)
        std::memcpy(static_cast<BYTE*>(bits) + y * stride, &gif.indices[static_cast<size_t>(y) * gif.width], gif.width);
    return section;
}

}  // namespace

bool DecodedInProgram(const PictureHeader& header) {
    switch (header.kind) {
    case PictureKind::Jpeg:
        return (header.jpegFrame == 0xC0 || header.jpegFrame == 0xC1 || header.jpegFrame == 0xC2) &&
               header.jpegPrecision == 8;
    case PictureKind::Gif:
        return !header.transparent;
    default:
        return false;
    }
}

bool DecodeOpaquePixels(const BYTE* bytes, size_t size, DecodedPixels& out) {
    const std::optional<PictureKind> kind = InProgramKind(bytes, size);
    if (!kind) return false;
    if (*kind == PictureKind::Jpeg) return DecodeJpeg(bytes, size, out);
    GifPicture gif;
    if (!OpaqueGif(bytes, size, gif)) return false;
    out.width = gif.width;
    out.height = gif.height;
    out.bgra.resize(gif.indices.size());
    for (size_t i = 0; i < gif.indices.size(); ++i) out.bgra[i] = 0xFF000000u | gif.palette[gif.indices[i]];
    return true;
}

bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    // Read until a read comes back short, which for a file is its end: no
    // asking for the size first, which under Wine is one more server call.
    constexpr size_t kChunk = 64 * 1024;
    size_t have = 0;
    bool ok = true;
    for (;;) {
        bytes.resize(have + kChunk);
        DWORD got = 0;
        ok = ::ReadFile(f, bytes.data() + have, static_cast<DWORD>(kChunk), &got, nullptr) != FALSE;
        have += got;
        if (!ok || got < kChunk) break;
    }
    CloseHandle(f);
    bytes.resize(have);
    return ok;
}

HBITMAP DecodeOpaquePicture(const BYTE* bytes, size_t size) {
    const std::optional<PictureKind> kind = InProgramKind(bytes, size);
    if (!kind) return nullptr;
    if (*kind == PictureKind::Gif) {
        GifPicture gif;
        return OpaqueGif(bytes, size, gif) ? PaletteSection(gif) : nullptr;
    }
    DecodedPixels pixels;
    if (!DecodeJpeg(bytes, size, pixels)) return nullptr;
    BITMAPINFO bi{DibHeader(pixels.width, -pixels.height, 32), {}};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section) std::memcpy(bits, pixels.bgra.data(), pixels.bgra.size() * sizeof(uint32_t));
    return section;
}
