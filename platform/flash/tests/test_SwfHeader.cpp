// Reading the header of FWS, CWS and ZWS movies, and of files that are none.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "SwfBytes.h"
#include "SwfHeader.h"
#include "test_paths.h"

namespace {

std::optional<SwfHeader> Parse(const std::string& bytes) {
    return ParseSwfHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

TEST(SwfHeader, UncompressedMovieGivesFrameSizeRateAndCount) {
    const auto h = Parse(FwsMovie(9, 550, 400, 24 << 8, 3));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->compression, SwfHeader::None);
    EXPECT_STREQ(h->Signature(), "FWS");
    EXPECT_EQ(h->version, 9);
    ASSERT_TRUE(h->hasFrame);
    EXPECT_EQ(h->WidthPx(), 550);
    EXPECT_EQ(h->HeightPx(), 400);
    EXPECT_DOUBLE_EQ(h->FrameRate(), 24.0);
    EXPECT_EQ(h->frameCount, 3);
    EXPECT_EQ(h->fileLength, FwsMovie(9, 550, 400, 24 << 8, 3).size());
}

TEST(SwfHeader, ReadsTheClassicMinimalRectEncoding) {
    // 550 x 400 at 24 fps, one frame, with the 15-bit fields most tools write.
    const std::string bytes("FWS\x0a\x24\x00\x00\x00\x78\x00\x05\x5f\x00\x00\x0f\xa0\x00\x00\x18\x01\x00", 21);
    const auto h = Parse(bytes);
    ASSERT_TRUE(h && h->hasFrame);
    EXPECT_EQ(h->xMin, 0);
    EXPECT_EQ(h->xMax, 11000);
    EXPECT_EQ(h->yMax, 8000);
    EXPECT_EQ(h->frameRate88, 24 << 8);
    EXPECT_EQ(h->frameCount, 1);
}

TEST(SwfHeader, NegativeOriginAndFractionalRate) {
    const auto h = Parse(FwsMovie(6, 0, 0, (12 << 8) | 0x80, 1));  // 12.5 fps
    ASSERT_TRUE(h && h->hasFrame);
    EXPECT_DOUBLE_EQ(h->FrameRate(), 12.5);
    // A RECT from -100 to 300 by 0 to 40 twips: fields of 10 bits, signed.
    const std::string neg("FWS\x08\x12\x00\x00\x00" "\x57\x38\x96\x00\x01\x40" "\x00\x0c\x02\x00", 18);
    const auto n = Parse(neg);
    ASSERT_TRUE(n && n->hasFrame);
    EXPECT_EQ(n->xMin, -100);
    EXPECT_EQ(n->xMax, 300);
    EXPECT_EQ(n->WidthPx(), 20);
    EXPECT_EQ(n->frameCount, 2);
}

TEST(SwfHeader, CompressedMoviesGiveSignatureVersionAndLengthOnly) {
    const auto c = Parse(CompressedMovie('C', 10, 123456));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->compression, SwfHeader::Zlib);
    EXPECT_STREQ(c->Signature(), "CWS");
    EXPECT_EQ(c->version, 10);
    EXPECT_EQ(c->fileLength, 123456u);
    EXPECT_FALSE(c->hasFrame);

    const auto z = Parse(CompressedMovie('Z', 13, 0x01020304));
    ASSERT_TRUE(z);
    EXPECT_EQ(z->compression, SwfHeader::Lzma);
    EXPECT_STREQ(z->Signature(), "ZWS");
    EXPECT_EQ(z->version, 13);
    EXPECT_EQ(z->fileLength, 0x01020304u);
    EXPECT_FALSE(z->hasFrame);
}

TEST(SwfHeader, OtherFilesAndShortHeadsAreRecognised) {
    EXPECT_FALSE(Parse("GIF89a\x01\x00\x01\x00"));
    EXPECT_FALSE(Parse("<html><body>not found</body></html>"));
    EXPECT_FALSE(Parse("FWS\x0a"));  // shorter than the fixed part
    EXPECT_FALSE(Parse(""));
    EXPECT_FALSE(Parse(std::string("XWS\x0a\x10\x00\x00\x00", 8)));
    // The fixed part alone, or a RECT cut short: a movie without frame facts.
    const std::string movie = FwsMovie(10, 320, 240, 30 << 8, 1);
    for (size_t cut : {size_t{8}, size_t{9}, size_t{12}, size_t{17}}) {
        const auto h = Parse(movie.substr(0, cut));
        ASSERT_TRUE(h) << cut;
        EXPECT_FALSE(h->hasFrame) << cut;
    }
    EXPECT_TRUE(Parse(movie.substr(0, kSwfHeaderBytes))->hasFrame);
}

TEST(SwfHeader, TheProgramFolderMoviesAreValid) {
    for (const wchar_t* name : {L"Games\\1.swf", L"Games\\2.swf"}) {
        std::ifstream in(std::filesystem::path(std::wstring(kDistDir) + name), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto h = Parse(bytes);
        ASSERT_TRUE(h && h->hasFrame);
        EXPECT_EQ(h->compression, SwfHeader::None);
        EXPECT_EQ(h->fileLength, bytes.size());
        EXPECT_GT(h->WidthPx(), 0);
        EXPECT_GT(h->FrameRate(), 0.0);
        EXPECT_EQ(h->frameCount, 1);
        // The tags after the header end with the End tag.
        EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string("\0\0", 2));
    }
}
