#include "WebImage.h"

#include <ocidl.h>
#include <olectl.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include "stb_image.h"
#pragma GCC diagnostic pop

#include "DibHeader.h"
#include "PictureHeader.h"
#include "StdPicture.h"

namespace {

bool WithinPixelLimit(int64_t w, int64_t h) { return w > 0 && h > 0 && w * h <= kMaxPicturePixels; }

struct ComRelease {
    void operator()(IUnknown* p) const { p->Release(); }
};

// A 32-bit top-down DIB section with a memory DC selected into it.
class PixelSurface {
public:
    PixelSurface(int w, int h) {
        BITMAPINFO bi{DibHeader(w, -h, 32), {}};
        bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        if (bitmap_ && dc_) old_ = SelectObject(dc_, bitmap_);
    }
    ~PixelSurface() {
        if (old_) SelectObject(dc_, old_);
        if (dc_) DeleteDC(dc_);
        if (bitmap_) DeleteObject(bitmap_);
    }
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;
    bool Valid() const { return old_ != nullptr; }
    HDC dc() const { return dc_; }
    const uint32_t* bits() const { return bits_; }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// The header's size has been checked.
std::unique_ptr<DecodedImage> DecodePng(std::string_view bytes) {
    int w = 0, h = 0, comp = 0;
    stbi_uc* rgba = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), static_cast<int>(bytes.size()),
                                          &w, &h, &comp, 4);
    if (!rgba) return nullptr;
    auto img = std::make_unique<DecodedImage>();
    img->width = w;
    img->height = h;
    img->pixels.resize(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < img->pixels.size(); ++i) {
        const stbi_uc* p = rgba + i * 4;
        const uint32_t a = p[3];
        img->pixels[i] = (a << 24) | ((p[0] * a / 255) << 16) | ((p[1] * a / 255) << 8) | (p[2] * a / 255);
    }
    stbi_image_free(rgba);
    return img;
}

// Renders the picture on black and on white: the difference gives each
// pixel's transparency, and the render on black is already premultiplied.
std::unique_ptr<DecodedImage> DecodeWithOle(std::string_view bytes) {
    std::unique_ptr<IPicture, ComRelease> picture(OleLoadPictureBytes(bytes.data(), bytes.size()));
    if (!picture) return nullptr;
    OLE_XSIZE_HIMETRIC hmW = 0;
    OLE_YSIZE_HIMETRIC hmH = 0;
    picture->get_Width(&hmW);
    picture->get_Height(&hmH);
    HDC screen = GetDC(nullptr);
    const int w = MulDiv(hmW, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int h = MulDiv(hmH, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ReleaseDC(nullptr, screen);
    if (!WithinPixelLimit(w, h)) return nullptr;
    PixelSurface black(w, h), white(w, h);
    if (!black.Valid() || !white.Valid()) return nullptr;
    const RECT all{0, 0, w, h};
    FillRect(black.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(white.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (HDC dc : {black.dc(), white.dc()})
        if (FAILED(picture->Render(dc, 0, 0, w, h, 0, hmH, hmW, -hmH, nullptr))) return nullptr;
    GdiFlush();
    auto img = std::make_unique<DecodedImage>();
    img->width = w;
    img->height = h;
    img->pixels.resize(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < img->pixels.size(); ++i) {
        const uint32_t b = black.bits()[i] & 0xFFFFFF, wt = white.bits()[i] & 0xFFFFFF;
        const int diff = static_cast<int>((wt >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
        const uint32_t alpha = static_cast<uint32_t>(255 - (diff < 0 ? 0 : diff));
        img->pixels[i] = (alpha << 24) | b;
    }
    return img;
}

}  // namespace

std::unique_ptr<DecodedImage> DecodeImage(std::string_view bytes) {
    if (bytes.size() > 0x7FFFFFFF) return nullptr;
    // The size the header declares, before any decoder runs: a picture
    // whose size cannot be read is not decoded at all.
    const std::optional<PictureHeader> header =
        ReadPictureHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!header || !WithinPixelLimit(header->width, header->height)) return nullptr;
    if (header->kind == PictureKind::Png) return DecodePng(bytes);
    return DecodeWithOle(bytes);
}

WebBitmap::WebBitmap(const DecodedImage& image) : width_(image.width), height_(image.height) {
    BITMAPINFO bi{DibHeader(width_, -height_, 32), {}};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_) memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
}

WebBitmap::~WebBitmap() {
    if (bitmap_) DeleteObject(bitmap_);
}

void WebBitmap::Draw(HDC hdc, int x, int y, int cx, int cy) const {
    if (!bitmap_) return;
    HDC mem = CreateCompatibleDC(hdc);
    if (!mem) return;
    HGDIOBJ old = SelectObject(mem, bitmap_);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(hdc, x, y, cx, cy, mem, 0, 0, width_, height_, blend);
    SelectObject(mem, old);
    DeleteDC(mem);
}
