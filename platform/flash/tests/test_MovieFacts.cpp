// The player's pure parts: stage geometry per scale mode, addresses, and
// the lines it shows for each state of a movie.
#include <gtest/gtest.h>

#include "MovieFacts.h"
#include "MovieStage.h"
#include "SwfBytes.h"

TEST(MovieStage, ShowAllKeepsProportionsCentred) {
    EXPECT_EQ(StageFor(400, 400, 800, 400, kScaleShowAll), (StageRect{0, 100, 400, 200}));
    EXPECT_EQ(StageFor(400, 400, 300, 600, kScaleShowAll), (StageRect{100, 0, 200, 400}));
    EXPECT_EQ(StageFor(793, 497, 550, 400, kScaleShowAll), (StageRect{55, 0, 683, 497}));
    EXPECT_EQ(StageFor(550, 400, 550, 400, kScaleShowAll), (StageRect{0, 0, 550, 400}));
}

TEST(MovieStage, ExactFitAndUnknownSizesTakeTheWholeWindow) {
    EXPECT_EQ(StageFor(400, 400, 800, 400, kScaleExactFit), (StageRect{0, 0, 400, 400}));
    EXPECT_EQ(StageFor(400, 300, 0, 0, kScaleShowAll), (StageRect{0, 0, 400, 300}));
    EXPECT_EQ(StageFor(0, 0, 550, 400, kScaleShowAll), (StageRect{0, 0, 0, 0}));
}

TEST(MovieAddress, WebAddressesAndNames) {
    EXPECT_TRUE(IsWebAddress(L"http://127.0.0.1:8470/swf/a.swf"));
    EXPECT_TRUE(IsWebAddress(L"HTTP://host/a.swf"));
    EXPECT_TRUE(IsWebAddress(L"https://host/a.swf"));
    EXPECT_FALSE(IsWebAddress(L"C:\\Prog\\Games\\1.swf"));
    EXPECT_FALSE(IsWebAddress(L"http:/x"));
    EXPECT_EQ(MovieName(L"C:\\Prog\\Games\\小游戏.swf"), L"小游戏.swf");
    EXPECT_EQ(MovieName(L"http://h/swf/abc.swf?nosave"), L"abc.swf?nosave");
    EXPECT_EQ(MovieName(L"abc.swf"), L"abc.swf");
}

TEST(MovieFacts, HeadBytesDecideTheState) {
    EXPECT_EQ(FactsFromHead(L"a.swf", std::nullopt).state, MovieFacts::Missing);
    EXPECT_EQ(FactsFromHead(L"a.swf", std::string("not a movie")).state, MovieFacts::NotFlash);
    EXPECT_EQ(FactsFromHead(L"a.swf", std::string()).state, MovieFacts::NotFlash);
    const MovieFacts f = FactsFromHead(L"C:\\g\\a.swf", FwsMovie(10, 640, 480, 12 << 8, 1));
    EXPECT_EQ(f.state, MovieFacts::Shown);
    EXPECT_EQ(f.address, L"C:\\g\\a.swf");
    ASSERT_TRUE(f.header);
    EXPECT_EQ(f.header->WidthPx(), 640);
}

TEST(MovieFacts, LinesNameTheMovieAndWhatItsHeaderSays) {
    MovieFacts f = FactsFromHead(L"C:\\g\\abc.swf", FwsMovie(10, 640, 480, (12 << 8) | 0x80, 3));
    EXPECT_EQ(FactLines(f, true),
              (std::vector<std::wstring>{L"abc.swf", L"FWS  版本 10", L"640 × 480  12.5 帧/秒  3 帧", L"播放中"}));
    EXPECT_EQ(FactLines(f, false).back(), L"已暂停");

    f = FactsFromHead(L"http://h/z.swf", CompressedMovie('Z', 13, 100));
    EXPECT_EQ(FactLines(f, true), (std::vector<std::wstring>{L"z.swf", L"ZWS  版本 13", L"LZMA 压缩", L"播放中"}));
    f = FactsFromHead(L"http://h/c.swf", CompressedMovie('C', 9, 100));
    EXPECT_EQ(FactLines(f, true)[2], L"zlib 压缩");

    EXPECT_EQ(FactLines(FactsFromHead(L"C:\\g\\gone.swf", std::nullopt), true),
              (std::vector<std::wstring>{L"gone.swf", L"找不到影片"}));
    EXPECT_EQ(FactLines(FactsFromHead(L"x.swf", std::string("GIF89a")), true)[1], L"不是 Flash 影片");
    EXPECT_TRUE(FactLines(MovieFacts{}, true).empty());
}
