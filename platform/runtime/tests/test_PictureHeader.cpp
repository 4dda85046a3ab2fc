// Picture sizes read from headers alone: the test pictures of each kind, and
// headers of kinds no decoder of the program reads (RLE bitmaps,
// arithmetic-coded and 12-bit JPEG) declaring sizes nobody should decode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PictureDecode.h"
#include "PictureHeader.h"
#include "runtime_pictures.h"

namespace {

std::optional<PictureHeader> Read(const std::string& bytes) {
    return ReadPictureHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::optional<PictureHeader> ReadFile(const wchar_t* name) {
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(std::wstring(kPictureDir) + name, bytes)) return std::nullopt;
    return ReadPictureHeader(bytes.data(), bytes.size());
}

std::string Le16(unsigned v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string Le32(unsigned v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be16(unsigned v) { return {static_cast<char>(v >> 8), static_cast<char>(v)}; }

// A run-length coded 8-bit bitmap of two colours whose only run is the end.
std::string RleBitmap(int width, int height) {
    const std::string info = Le32(40) + Le32(width) + Le32(height) + Le16(1) + Le16(8) + Le32(1) + Le32(2) +
                             Le32(2835) + Le32(2835) + Le32(2) + Le32(0);
    const std::string palette(8, '\x7F'), bits("\x00\x01", 2);
    return "BM" + Le32(14 + 40 + 8 + 2) + Le32(0) + Le32(14 + 40 + 8) + info + palette + bits;
}

// A JPEG's start, an APP0 segment whose data looks like a frame header,
// then the frame header `marker` with the sample precision and size.
std::string JpegFrame(unsigned marker, int precision, int width, int height) {
    const std::string app = "\xFF\xE0" + Be16(9) + std::string("\xFF\xC0\x08\x00\x01\x00\x01", 7);
    const std::string frame = std::string("\xFF", 1) + static_cast<char>(marker) + Be16(11) +
                              static_cast<char>(precision) + Be16(height) + Be16(width) + "\x01\x01\x11\x00";
    return std::string("\xFF\xD8", 2) + app + frame + "\xFF\xDA";
}

// An icon whose one entry says 16 x 16 and whose image is a PNG of another size.
std::string IconWithPng(unsigned width, unsigned height) {
    auto be32 = [](unsigned v) { return Be16(v >> 16) + Be16(v & 0xFFFF); };
    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + be32(13) + "IHDR" + be32(width) + be32(height) +
                            std::string("\x08\x06\x00\x00\x00", 5);
    return Le16(0) + Le16(1) + Le16(1) + std::string("\x10\x10\x00\x00", 4) + Le16(1) + Le16(32) +
           Le32(static_cast<unsigned>(png.size())) + Le32(22) + png;
}

}  // namespace

TEST(PictureHeader, EachKindOfTestPictureGivesItsSize) {
    const struct {
        const wchar_t* name;
        PictureKind kind;
        int width, height;
    } pictures[] = {
        {L"quadrants.bmp", PictureKind::Bitmap, 16, 16}, {L"quadrants.gif", PictureKind::Gif, 16, 16},
        {L"quadrants.jpg", PictureKind::Jpeg, 16, 16},   {L"quadrants.ico", PictureKind::Icon, 16, 16},
        {L"quadrants.cur", PictureKind::Icon, 16, 16},   {L"photo_progressive.jpg", PictureKind::Jpeg, 60, 44},
        {L"interlaced.gif", PictureKind::Gif, 60, 44},   {L"transparent.gif", PictureKind::Gif, 16, 16},
    };
    for (const auto& p : pictures) {
        const std::optional<PictureHeader> h = ReadFile(p.name);
        ASSERT_TRUE(h) << p.name;
        EXPECT_EQ(h->kind, p.kind) << p.name;
        EXPECT_EQ(h->width, p.width) << p.name;
        EXPECT_EQ(h->height, p.height) << p.name;
    }
    EXPECT_FALSE(ReadFile(L"not_a_picture.gif"));
    // The program decodes opaque 8-bit JPEG and GIF itself; the rest goes to the system.
    EXPECT_TRUE(DecodedInProgram(*ReadFile(L"photo_progressive.jpg")));
    EXPECT_TRUE(DecodedInProgram(*ReadFile(L"photo.gif")));
    EXPECT_TRUE(ReadFile(L"transparent.gif")->transparent);
    EXPECT_FALSE(DecodedInProgram(*ReadFile(L"transparent.gif")));
    EXPECT_FALSE(DecodedInProgram(*ReadFile(L"quadrants.bmp")));
}

TEST(PictureHeader, KindsNoDecoderOfTheProgramReadsDeclareTheirSizeToo) {
    const std::optional<PictureHeader> rle = Read(RleBitmap(30000, 30000));
    ASSERT_TRUE(rle);
    EXPECT_EQ(rle->Pixels(), int64_t{900000000});
    EXPECT_EQ(Read(RleBitmap(640, -480))->height, 480) << "rows top-down";

    for (unsigned marker : {0xC3u, 0xC9u, 0xCAu, 0xCBu, 0xCDu, 0xCEu, 0xCFu}) {
        const std::optional<PictureHeader> jpeg = Read(JpegFrame(marker, 12, 30000, 20000));
        ASSERT_TRUE(jpeg) << std::hex << marker;
        EXPECT_EQ(jpeg->width, 30000);
        EXPECT_EQ(jpeg->height, 20000);
        EXPECT_EQ(jpeg->jpegFrame, static_cast<int>(marker));
        EXPECT_FALSE(DecodedInProgram(*jpeg));
    }
    EXPECT_FALSE(DecodedInProgram(*Read(JpegFrame(0xC0, 12, 8, 8)))) << "12-bit baseline";
    EXPECT_TRUE(DecodedInProgram(*Read(JpegFrame(0xC1, 8, 8, 8))));
    // The height may come after the first scan (DNL): no size, no decoding.
    EXPECT_FALSE(Read(JpegFrame(0xC0, 8, 640, 0)));

    const std::optional<PictureHeader> icon = Read(IconWithPng(40000, 300));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, 40000);
    EXPECT_EQ(icon->height, 300);

    // Cut anywhere before its size, a header gives none.
    const std::string full = JpegFrame(0xC9, 8, 100, 100);
    const size_t sized = full.rfind("\xFF\xC9") + 2 + 8;  // through the frame's component count
    for (size_t n = 0; n < sized; ++n) EXPECT_FALSE(Read(full.substr(0, n))) << n;
    EXPECT_TRUE(Read(full.substr(0, sized)));
}
