// Pictures of a page: bytes decoded into premultiplied 32-bit pixels (PNG by
// stb_image, GIF/JPG/BMP/ICO by the system's picture loader, transparency
// kept), and the bitmap the view draws them from.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

struct DecodedImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // top-down rows, premultiplied BGRA
};

// The most pixels a picture may have: 16 MiB decoded. A larger one is not
// decoded at all (a small file can declare a picture of gigabytes), nor is
// one whose header gives no size.
constexpr int kMaxPicturePixels = 4 << 20;

// Runs on a worker thread (which must have called CoInitializeEx); nullptr
// when the bytes are no picture whose size its header gives (PictureHeader)
// or the picture has more than kMaxPicturePixels.
std::unique_ptr<DecodedImage> DecodeImage(std::string_view bytes);

// A decoded picture as a DIB section, drawn with its transparency.
class WebBitmap {
public:
    explicit WebBitmap(const DecodedImage& image);
    ~WebBitmap();
    WebBitmap(const WebBitmap&) = delete;
    WebBitmap& operator=(const WebBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    size_t Bytes() const { return static_cast<size_t>(width_) * height_ * sizeof(uint32_t); }
    bool Valid() const { return bitmap_ != nullptr; }
    // Draws the picture scaled into the rectangle.
    void Draw(HDC hdc, int x, int y, int cx, int cy) const;

private:
    HBITMAP bitmap_ = nullptr;
    int width_ = 0, height_ = 0;
};
