#include "PictureDecode.h"

#include <cstring>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#include <stb_image.h>

namespace {

bool IsJpegOrGif(const BYTE* b, size_t size) {
    return (size >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) || (size >= 6 && std::memcmp(b, "GIF8", 4) == 0);
}

struct StbPixels {
    stbi_uc* p = nullptr;
    ~StbPixels() {
        if (p) stbi_image_free(p);
    }
};

}  // namespace

bool DecodeOpaquePixels(const BYTE* bytes, size_t size, DecodedPixels& out) {
    if (!IsJpegOrGif(bytes, size) || size > 0x7FFFFFFF) return false;
    int w = 0, h = 0, channels = 0;
    StbPixels rgba;
    rgba.p = stbi_load_from_memory(bytes, static_cast<int>(size), &w, &h, &channels, 4);
    if (!rgba.p || w <= 0 || h <= 0) return false;
    const size_t pixels = static_cast<size_t>(w) * static_cast<size_t>(h);
    out.bgra.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const stbi_uc* p = rgba.p + 4 * i;
        if (p[3] != 255) return false;
        out.bgra[i] = 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
    out.width = w;
    out.height = h;
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

bool DecodeOpaqueFile(const std::wstring& path, DecodedPixels& out) {
    std::vector<BYTE> bytes;
    return ReadWholeFile(path, bytes) && DecodeOpaquePixels(bytes.data(), bytes.size(), out);
}

HBITMAP DecodeOpaquePicture(const BYTE* bytes, size_t size) {
    DecodedPixels pixels;
    if (!DecodeOpaquePixels(bytes, size, pixels)) return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = pixels.width;
    bi.bmiHeader.biHeight = -pixels.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section) std::memcpy(bits, pixels.bgra.data(), pixels.bgra.size() * sizeof(uint32_t));
    return section;
}
