#include "GifDecode.h"

#include <cstring>

namespace {

constexpr size_t kMaxPixels = size_t{1} << 26;  // a larger picture is refused
constexpr int kMaxCodes = 4096;

class Reader {
public:
    Reader(const uint8_t* bytes, size_t size) : p_(bytes), end_(bytes + size) {}
    bool Has(size_t n) const { return static_cast<size_t>(end_ - p_) >= n; }
    uint8_t Byte() { return *p_++; }
    int Word() {
        const int v = p_[0] | (p_[1] << 8);
        p_ += 2;
        return v;
    }
    const uint8_t* Take(size_t n) {
        const uint8_t* at = p_;
        p_ += n;
        return at;
    }
    // Data sub-blocks up to their empty block: appended to `data`, or skipped.
    bool SubBlocks(std::vector<uint8_t>* data) {
        for (;;) {
            if (!Has(1)) return false;
            const uint8_t n = Byte();
            if (n == 0) return true;
            if (!Has(n)) return false;
            const uint8_t* block = Take(n);
            if (data) data->insert(data->end(), block, block + n);
        }
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

void ReadPalette(Reader& r, int entries, std::array<uint32_t, 256>& palette) {
    palette.fill(0);
    const uint8_t* rgb = r.Take(3 * static_cast<size_t>(entries));
    for (int i = 0; i < entries; ++i) palette[i] = (rgb[3 * i] << 16) | (rgb[3 * i + 1] << 8) | rgb[3 * i + 2];
}

// LZW codes of `minSize` bits and up, least significant bit first, to
// exactly `pixels` indices.
bool Unpack(const std::vector<uint8_t>& data, int minSize, size_t pixels, std::vector<uint8_t>& out) {
    if (minSize < 2 || minSize > 8) return false;
    uint16_t prefix[kMaxCodes];
    uint8_t suffix[kMaxCodes], first[kMaxCodes];
    uint16_t length[kMaxCodes];
    const int clear = 1 << minSize, end = clear + 1;
    for (int c = 0; c < clear; ++c) {
        suffix[c] = first[c] = static_cast<uint8_t>(c);
        length[c] = 1;
    }
    out.resize(pixels);
    size_t at = 0, bitPos = 0;
    const size_t bits = data.size() * 8;
    int size = minSize + 1, next = clear + 2, prev = -1;
    while (at < pixels) {
        if (bitPos + size > bits) return false;
        // A code of up to 12 bits lies within three bytes from its first.
        const size_t byte = bitPos >> 3;
        uint32_t window = data[byte];
        if (byte + 1 < data.size()) window |= data[byte + 1] << 8;
        if (byte + 2 < data.size()) window |= data[byte + 2] << 16;
        const int code = static_cast<int>((window >> (bitPos & 7)) & ((1u << size) - 1));
        bitPos += size;
        if (code == clear) {
            size = minSize + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == end) return false;  // fewer indices than the picture has pixels
        if (prev < 0) {
            if (code >= clear) return false;
            out[at++] = static_cast<uint8_t>(code);
            prev = code;
            continue;
        }
        if (code > next || (code == next && next >= kMaxCodes)) return false;
        const bool known = code < next;
        if (next < kMaxCodes) {
            // The previous string followed by the first index of this one
            // (of itself, when the code is the one being defined).
            prefix[next] = static_cast<uint16_t>(prev);
            suffix[next] = known ? first[code] : first[prev];
            first[next] = first[prev];
            length[next] = static_cast<uint16_t>(length[prev] + 1);
            ++next;
            if (next == (1 << size) && size < 12) ++size;
        }
        // The string of `code`, written from its end back to its start.
        const size_t n = length[code];
        if (n > pixels - at) return false;
        size_t w = at + n;
        for (int c = code; w > at; c = prefix[c]) out[--w] = suffix[c];
        at += n;
        prev = code;
    }
    return true;
}

// Interlaced rows come as every 8th from 0, every 8th from 4, every 4th
// from 2, every 2nd from 1.
void Deinterlace(std::vector<uint8_t>& indices, int width, int height) {
    std::vector<uint8_t> rows(indices.size());
    int source = 0;
    for (const auto& [start, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
        for (int y = start; y < height; y += step, ++source)
            std::memcpy(&rows[static_cast<size_t>(y) * width], &indices[static_cast<size_t>(source) * width], width);
    indices.swap(rows);
}

}  // namespace

bool DecodeGif(const uint8_t* bytes, size_t size, GifPicture& out) {
    Reader r(bytes, size);
    if (!r.Has(13) || (std::memcmp(bytes, "GIF87a", 6) != 0 && std::memcmp(bytes, "GIF89a", 6) != 0)) return false;
    r.Take(10);
    const uint8_t screen = r.Byte();
    r.Take(2);
    bool havePalette = false;
    if (screen & 0x80) {
        const int entries = 2 << (screen & 7);
        if (!r.Has(3 * static_cast<size_t>(entries))) return false;
        ReadPalette(r, entries, out.palette);
        havePalette = true;
    }
    out.transparent = false;
    while (r.Has(1)) {
        const uint8_t kind = r.Byte();
        if (kind == 0x21) {  // an extension; a graphic control one may name a transparent index
            if (!r.Has(1)) return false;
            const uint8_t label = r.Byte();
            std::vector<uint8_t> fields;
            if (!r.SubBlocks(label == 0xF9 ? &fields : nullptr)) return false;
            if (!fields.empty()) out.transparent = (fields[0] & 1) != 0;
            continue;
        }
        if (kind != 0x2C || !r.Has(9)) return false;  // the trailer, or damage, before any picture
        r.Take(4);
        out.width = r.Word();
        out.height = r.Word();
        const uint8_t image = r.Byte();
        if (image & 0x80) {
            const int entries = 2 << (image & 7);
            if (!r.Has(3 * static_cast<size_t>(entries))) return false;
            ReadPalette(r, entries, out.palette);
            havePalette = true;
        }
        const size_t pixels = static_cast<size_t>(out.width) * static_cast<size_t>(out.height);
        if (!havePalette || pixels == 0 || pixels > kMaxPixels || !r.Has(1)) return false;
        const int minSize = r.Byte();
        std::vector<uint8_t> data;
        if (!r.SubBlocks(&data) || !Unpack(data, minSize, pixels, out.indices)) return false;
        if (image & 0x40) Deinterlace(out.indices, out.width, out.height);
        return true;
    }
    return false;
}
