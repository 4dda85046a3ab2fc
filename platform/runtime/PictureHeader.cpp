#include "PictureHeader.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Reads at offsets, each checked against the end by the caller with Has.
class Bytes {
public:
    Bytes(const uint8_t* bytes, size_t size) : p_(bytes), size_(size) {}
    bool Has(size_t at, size_t count) const { return at <= size_ && count <= size_ - at; }
    uint8_t operator[](size_t at) const { return p_[at]; }
    uint32_t Le16(size_t at) const { return p_[at] | (p_[at + 1] << 8); }
    uint32_t Le32(size_t at) const { return Le16(at) | (Le16(at + 2) << 16); }
    uint32_t Be16(size_t at) const { return (p_[at] << 8) | p_[at + 1]; }
    uint32_t Be32(size_t at) const { return (Be16(at) << 16) | Be16(at + 2); }
    bool Match(size_t at, const char* text, size_t n) const { return Has(at, n) && std::memcmp(p_ + at, text, n) == 0; }

private:
    const uint8_t* p_;
    size_t size_;
};

struct Size {
    int64_t width = 0, height = 0;
};

std::optional<PictureHeader> Sized(PictureKind kind, Size size) {
    if (size.width <= 0 || size.height <= 0 || size.width > INT_MAX || size.height > INT_MAX) return std::nullopt;
    PictureHeader h;
    h.kind = kind;
    h.width = static_cast<int>(size.width);
    h.height = static_cast<int>(size.height);
    return h;
}

constexpr char kPngSignature[] = "\x89PNG\r\n\x1A\n";

// The IHDR chunk that follows the signature at `at`.
std::optional<Size> PngSize(const Bytes& b, size_t at) {
    if (!b.Match(at, kPngSignature, 8) || !b.Has(at + 8, 16) || !b.Match(at + 12, "IHDR", 4)) return std::nullopt;
    return Size{b.Be32(at + 16), b.Be32(at + 20)};
}

// A DIB's own header at `at`: the old core form with 16-bit sizes, or any
// later one with 32-bit sizes, whose negative height means rows top-down.
std::optional<Size> DibSize(const Bytes& b, size_t at) {
    if (!b.Has(at, 4)) return std::nullopt;
    const uint32_t headerSize = b.Le32(at);
    if (headerSize == 12) {
        if (!b.Has(at, 12)) return std::nullopt;
        return Size{b.Le16(at + 4), b.Le16(at + 6)};
    }
    if (headerSize < 16 || headerSize > 124 || !b.Has(at, 16)) return std::nullopt;
    const int64_t height = static_cast<int32_t>(b.Le32(at + 8));
    return Size{static_cast<int32_t>(b.Le32(at + 4)), height < 0 ? -height : height};
}

std::optional<PictureHeader> Bitmap(const Bytes& b) {
    const std::optional<Size> size = DibSize(b, 14);
    return size ? Sized(PictureKind::Bitmap, *size) : std::nullopt;
}

// Every image of an icon or cursor counts: the directory's sizes (0 for
// 256) and what the image itself declares, PNG or DIB (whose height covers
// the mask below the picture too).
std::optional<PictureHeader> Icon(const Bytes& b) {
    const uint32_t count = b.Le16(4);
    if (count == 0 || !b.Has(6, 16 * size_t{count})) return std::nullopt;
    Size largest;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * size_t{i};
        const uint32_t offset = b.Le32(entry + 12);
        std::optional<Size> image = PngSize(b, offset);
        if (!image) {
            image = DibSize(b, offset);
            if (image) image->height /= 2;
        }
        if (!image) return std::nullopt;
        largest.width = std::max({largest.width, image->width, int64_t{b[entry] ? b[entry] : 256}});
        largest.height = std::max({largest.height, image->height, int64_t{b[entry + 1] ? b[entry + 1] : 256}});
    }
    return Sized(PictureKind::Icon, largest);
}

bool IsFrameStart(uint8_t marker) {
    // SOF0..SOF15 but the table and reserved markers among them, and the
    // hierarchical frame's size (DHP).
    return (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) || marker == 0xDE;
}

// Markers up to the first frame header, skipping what lies between them as
// the decoders do.
std::optional<PictureHeader> Jpeg(const Bytes& b) {
    size_t at = 2;
    for (;;) {
        while (b.Has(at, 1) && b[at] != 0xFF) ++at;
        while (b.Has(at, 1) && b[at] == 0xFF) ++at;
        if (!b.Has(at, 1)) return std::nullopt;
        const uint8_t marker = b[at++];
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // the end, or a scan, before any frame
        if (!b.Has(at, 2)) return std::nullopt;
        const uint32_t length = b.Be16(at);
        if (length < 2) return std::nullopt;
        if (IsFrameStart(marker)) {
            if (length < 8 || !b.Has(at, 8)) return std::nullopt;
            std::optional<PictureHeader> h = Sized(PictureKind::Jpeg, Size{b.Be16(at + 5), b.Be16(at + 3)});
            if (h) {
                h->jpegFrame = marker;
                h->jpegPrecision = b[at + 2];
            }
            return h;
        }
        at += length;
    }
}

// Up to the first picture: the screen's size and colour table, then
// extensions, of which a graphic control one may name a transparent colour.
std::optional<PictureHeader> Gif(const Bytes& b) {
    if (!b.Has(0, 13)) return std::nullopt;
    const Size screen{b.Le16(6), b.Le16(8)};
    const uint8_t flags = b[10];
    size_t at = 13;
    if (flags & 0x80) at += 3 * (size_t{2} << (flags & 7));
    bool transparent = false;
    for (;;) {
        if (!b.Has(at, 1)) return std::nullopt;
        const uint8_t kind = b[at++];
        if (kind == 0x21) {
            if (!b.Has(at, 1)) return std::nullopt;
            const uint8_t label = b[at++];
            bool first = true;
            for (;;) {
                if (!b.Has(at, 1)) return std::nullopt;
                const uint8_t n = b[at++];
                if (n == 0) break;
                if (!b.Has(at, n)) return std::nullopt;
                if (label == 0xF9 && first) transparent = (b[at] & 1) != 0;
                first = false;
                at += n;
            }
            continue;
        }
        if (kind != 0x2C || !b.Has(at, 8)) return std::nullopt;
        const int64_t left = b.Le16(at), top = b.Le16(at + 2), width = b.Le16(at + 4), height = b.Le16(at + 6);
        if (width == 0 || height == 0) return std::nullopt;
        std::optional<PictureHeader> h =
            Sized(PictureKind::Gif, Size{std::max(screen.width, left + width), std::max(screen.height, top + height)});
        if (h) h->transparent = transparent;
        return h;
    }
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(const uint8_t* bytes, size_t size) {
    if (!bytes) return std::nullopt;
    const Bytes b(bytes, size);
    if (b.Match(0, "BM", 2)) return Bitmap(b);
    if (b.Has(0, 3) && b[0] == 0xFF && b[1] == 0xD8) return Jpeg(b);
    if (b.Match(0, "GIF87a", 6) || b.Match(0, "GIF89a", 6)) return Gif(b);
    if (b.Match(0, kPngSignature, 8)) {
        const std::optional<Size> png = PngSize(b, 0);
        return png ? Sized(PictureKind::Png, *png) : std::nullopt;
    }
    if (b.Has(0, 6) && b.Le16(0) == 0 && (b.Le16(2) == 1 || b.Le16(2) == 2)) return Icon(b);
    return std::nullopt;
}
