// Percent-encoded UTF-8 text: the stored byte forms and their way back.
#include <gtest/gtest.h>

#include <random>

#include "SqlText.h"
#include "UtfToGb.h"

namespace {

TEST(UtfToGb, EncodesEachRangeInItsStoredForm) {
    EXPECT_EQ(Utf8UrlEncode(L""), L"");
    EXPECT_EQ(Utf8UrlEncode(L"abc"), L"abc");
    EXPECT_EQ(Utf8UrlEncode(L"50% it's a b"), L"50% it's a b") << "ASCII is never escaped";
    EXPECT_EQ(Utf8UrlEncode(L"\u0080"), L"%C280");
    EXPECT_EQ(Utf8UrlEncode(L"\u00E9"), L"%C3A9");
    EXPECT_EQ(Utf8UrlEncode(L"\u07FF"), L"%DFBF");
    EXPECT_EQ(Utf8UrlEncode(L"\u0800"), L"%E080");
    EXPECT_EQ(Utf8UrlEncode(L"\u0FFF"), L"%FFBF");
    EXPECT_EQ(Utf8UrlEncode(L"\u1000"), L"%E1%80%80");
    EXPECT_EQ(Utf8UrlEncode(L"\u4E2D"), L"%E4%B8%AD");
    EXPECT_EQ(Utf8UrlEncode(L"\uFFFF"), L"%EF%BF%BF");
    EXPECT_EQ(Utf8UrlEncode(L"\U0001F600"), L"%ED%A0%BD%ED%B8%80") << "each surrogate unit on its own";
    EXPECT_EQ(Utf8UrlEncode(L"连连看"), Utf8UrlEncode(L"连连看"));
}

TEST(UtfToGb, DecodesGroupsAndLeavesStrayPercentSigns) {
    EXPECT_EQ(Utf8UrlDecode(L"%E4%B8%ADx"), L"\u4E2Dx");
    EXPECT_EQ(Utf8UrlDecode(L"50%"), L"50%");
    EXPECT_EQ(Utf8UrlDecode(L"%E4%B8"), L"%E4%B8");
    EXPECT_EQ(Utf8UrlDecode(L"%C3A9 and %E080!"), L"\u00E9 and \u0800!");
    EXPECT_EQ(Utf8UrlDecode(L"%C3A9"), L"\u00E9") << "the short form at the very end";
    EXPECT_EQ(Utf8UrlDecode(L"%41%42%43"), L"%41%42%43") << "not a form the encoder writes";
    EXPECT_EQ(Utf8UrlDecode(L"%ZZ%E4%B8%AD"), L"%ZZ\u4E2D");
    EXPECT_EQ(Utf8UrlDecode(L"%E0%A0%80"), L"\u0800") << "three-byte forms written by others still read";
}

TEST(UtfToGb, EveryUnitSurvivesTheRoundTrip) {
    std::wstring all;
    for (unsigned c = 1; c <= 0xFFFF; ++c)
        if (c != L'%') all += static_cast<wchar_t>(c);
    EXPECT_EQ(Utf8UrlDecode(Utf8UrlEncode(all)), all);

    // Mixed texts, stray "%" signs and units of every range next to each other.
    std::mt19937 rng(12345);
    const wchar_t pool[] = {L'a', L'%', L'\'', L' ', L'9', L'\u0080', L'\u00E9', L'\u07FF', L'\u0800',
                            L'\u0FFF', L'\u1000', L'\u4E2D', wchar_t(0xD83D), wchar_t(0xDE00), L'\uFFFF'};
    for (int n = 0; n < 2000; ++n) {
        std::wstring text;
        const int len = rng() % 12;
        for (int i = 0; i < len; ++i) text += pool[rng() % (sizeof pool / sizeof pool[0])];
        ASSERT_EQ(Utf8UrlDecode(Utf8UrlEncode(text)), text) << "case " << n;
    }
}

TEST(UtfToGb, BitStringRoutines) {
    EXPECT_EQ(NumberToBits(0), L"0");
    EXPECT_EQ(NumberToBits(5), L"101");
    EXPECT_EQ(NumberToBits(-6), L"-110");
    EXPECT_EQ(BitsToNumber(L"0"), 0);
    EXPECT_EQ(BitsToNumber(L"100111000101101"), 0x4E2D);
    EXPECT_EQ(HexToBits(L"E4"), L"11100100");
    EXPECT_EQ(HexToBits(L"0a"), L"00001010");
    EXPECT_EQ(BitsToHex(L"0100111000101101"), L"4E2D");
    EXPECT_EQ(BitsToHex(L"111110"), L"F2") << "a short last group is read by itself";
    EXPECT_EQ(DecodeUtf8Group(L"%E4%B8%AD"), L'\u4E2D');
    EXPECT_EQ(DecodeUtf8Group(L"%EF%BF%BF"), L'\uFFFF');
}

TEST(SqlText, KeepsLiteralsClosedAndStatementsAscii) {
    EXPECT_EQ(SqlText(L"Tom's"), L"Tom''s");
    EXPECT_EQ(SqlText(L"''"), L"''''");
    EXPECT_EQ(SqlText(L"中'"), L"%E4%B8%AD''");
}

}  // namespace
