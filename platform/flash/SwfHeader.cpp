#include "SwfHeader.h"

namespace {

// Reads the bit fields of a RECT record, most significant bit first.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Has(size_t bits) const { return pos_ + bits <= size_ * 8; }
    uint32_t Unsigned(int bits) {
        uint32_t v = 0;
        for (int i = 0; i < bits; ++i, ++pos_) v = (v << 1) | ((data_[pos_ / 8] >> (7 - pos_ % 8)) & 1);
        return v;
    }
    int32_t Signed(int bits) {
        const uint32_t v = Unsigned(bits);
        if (bits == 0) return 0;
        const uint32_t sign = 1u << (bits - 1);
        return static_cast<int32_t>((v ^ sign) - sign);
    }
    size_t NextByte() const { return (pos_ + 7) / 8; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

const char* SwfHeader::Signature() const {
    switch (compression) {
        case Zlib: return "CWS";
        case Lzma: return "ZWS";
        default: return "FWS";
    }
}

std::optional<SwfHeader> ParseSwfHeader(const uint8_t* data, size_t size) {
    if (size < 8 || data[1] != 'W' || data[2] != 'S') return std::nullopt;
    SwfHeader h;
    switch (data[0]) {
        case 'F': h.compression = SwfHeader::None; break;
        case 'C': h.compression = SwfHeader::Zlib; break;
        case 'Z': h.compression = SwfHeader::Lzma; break;
        default: return std::nullopt;
    }
    h.version = data[3];
    h.fileLength = static_cast<uint32_t>(data[4] | data[5] << 8 | data[6] << 16) | static_cast<uint32_t>(data[7]) << 24;
    if (h.compression != SwfHeader::None) return h;

    BitReader bits(data + 8, size - 8);
    if (!bits.Has(5)) return h;
    const int n = static_cast<int>(bits.Unsigned(5));
    if (!bits.Has(4 * static_cast<size_t>(n))) return h;
    h.xMin = bits.Signed(n);
    h.xMax = bits.Signed(n);
    h.yMin = bits.Signed(n);
    h.yMax = bits.Signed(n);
    const size_t at = 8 + bits.NextByte();
    if (at + 4 > size) return h;
    h.frameRate88 = U16(data + at);
    h.frameCount = U16(data + at + 2);
    h.hasFrame = true;
    return h;
}
