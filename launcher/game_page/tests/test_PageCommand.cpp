// Page-to-program command links and the game-name check, as the pages see them.
#include <gtest/gtest.h>

#include "MainGameSearch.h"
#include "PageCommand.h"

namespace {

using Fields = std::vector<std::wstring>;

TEST(PageCommand, OnlyTheExactMarkerMakesACommand) {
    EXPECT_FALSE(ParsePageCommand(L"http://127.0.0.1/game/12.html"));
    EXPECT_FALSE(ParsePageCommand(L""));
    EXPECT_FALSE(ParsePageCommand(L"javascript:call_api('WebTable,a|b|c')")) << "another case is no command";
    EXPECT_FALSE(ParsePageCommand(L"javascript:CALL_Api('WebTable,a|b|c')"));
    // Anywhere in the text, not only at its start.
    auto c = ParsePageCommand(L"xx javascript:CALL_API('openTable,Some Game|/game/12.html')");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->kind, L"xx openTable") << "the text before the marker stays part of the kind";
}

TEST(PageCommand, QuotesAndParenthesesVanishAndCommasCutTheData) {
    auto c = ParsePageCommand(L"javascript:CALL_API('openTable,Some Game|/game/12.html')");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->kind, L"openTable");
    EXPECT_EQ(c->fields, (Fields{L"Some Game", L"/game/12.html"}));

    c = ParsePageCommand(L"javascript:CALL_API('WebTable,A(1)'s|/i/a.jpg|http://x/(p)')");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->fields, (Fields{L"A1s", L"/i/a.jpg", L"http://x/p"}));

    c = ParsePageCommand(L"javascript:CALL_API('FlashTable,Name|a.jpg|x,y')");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->fields, (Fields{L"Name", L"a.jpg", L"x"})) << "a comma cuts the data there";

    // The marker is removed wherever it appears, also inside the data.
    c = ParsePageCommand(L"javascript:CALL_API('WebTable,njavascript:CALL_APIm|t|u')");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->fields[0], L"nm");
}

TEST(PageCommand, FieldCountsDecideAcceptance) {
    auto extra = ParsePageCommand(L"javascript:CALL_API('WebTable,N|t|u|v|w')");
    ASSERT_TRUE(extra);
    EXPECT_EQ(extra->fields.size(), 5u);
    EXPECT_TRUE(IsAccepted(*extra, {L"openTable", L"WebTable"})) << "extra fields are ignored";

    for (const wchar_t* link : {L"javascript:CALL_API('WebTable,N|t')", L"javascript:CALL_API('WebTable,')",
                                L"javascript:CALL_API('WebTable')", L"javascript:CALL_API()",
                                L"javascript:CALL_API", L"javascript:CALL_API('FlashTable,N|t|m')"}) {
        auto c = ParsePageCommand(link);
        ASSERT_TRUE(c) << link;
        EXPECT_FALSE(IsAccepted(*c, {L"FlashTable", L"WebTable"})) << link;
    }
    auto empty = ParsePageCommand(L"javascript:CALL_API('WebTable,')");
    EXPECT_TRUE(empty->fields.empty()) << "empty data has no fields at all";
    auto blanks = ParsePageCommand(L"javascript:CALL_API('WebTable,||')");
    EXPECT_EQ(blanks->fields, (Fields{L"", L"", L""}));
    EXPECT_TRUE(IsAccepted(*blanks, {L"WebTable"})) << "empty fields count; the name check refuses them later";

    auto flash = ParsePageCommand(L"javascript:CALL_API('FlashTable,N|t|m|i')");
    EXPECT_TRUE(IsAccepted(*flash, {L"FlashTable", L"WebTable"}));
    EXPECT_FALSE(IsAccepted(*flash, {L"openTable", L"WebTable"})) << "a kind the page does not take";
    auto wrongCase = ParsePageCommand(L"javascript:CALL_API('webtable,N|t|u')");
    EXPECT_FALSE(IsAccepted(*wrongCase, {L"openTable", L"WebTable"})) << "kinds compare with their case";
}

TEST(PageCommand, GameNamesThatCannotBeFileNamesAreRefused) {
    for (const wchar_t* good : {L"Some Game", L"植物大战僵尸", L"A1s", L"x.y", L".hidden", L"CONSOLE", L"COM10",
                                L"LPT", L"a-b_c (2)", L"1"})
        EXPECT_TRUE(IsUsableGameName(good)) << good;
    for (const wchar_t* bad : {L"", L".", L"..", L"..\\..\\x", L"a/b", L"c:x", L"a*", L"a?", L"a\"b", L"a<b",
                               L"a>b", L"a|b", L"tab\there", L"dot.", L"blank ", L"CON", L"con", L"Con.txt",
                               L"NUL", L"PRN ", L"aux.tar.gz", L"COM1", L"lpt9", L"LPT\u00B9", L"CONOUT$"})
        EXPECT_FALSE(IsUsableGameName(bad)) << bad;
    EXPECT_FALSE(IsUsableGameName(std::wstring(L"a\0b", 3)));
    EXPECT_FALSE(IsUsableGameName(L"a\x7F"));

    // The library stores a name percent-encoded and reads it back decoded:
    // a name that would come back as another one is no usable name.
    for (const wchar_t* same : {L"100%", L"50% off", L"A%41", L"%%", L"%E6"}) EXPECT_TRUE(IsUsableGameName(same)) << same;
    for (const wchar_t* other : {L"A%C3A9", L"%E6%B3%A1泡", L"x%E080"}) EXPECT_FALSE(IsUsableGameName(other)) << other;
}

TEST(SearchWords, EncodedAsABrowserSendsTypedWords) {
    EXPECT_EQ(SearchWordsForAddress(L"abc-_.~09"), L"abc-_.~09");
    EXPECT_EQ(SearchWordsForAddress(L"a b+c&d#e%"), L"a%20b%2Bc%26d%23e%25");
    EXPECT_EQ(SearchWordsForAddress(L"植物"), L"%E6%A4%8D%E7%89%A9");
    EXPECT_EQ(SearchWordsForAddress(L"\u00E9"), L"%C3%A9");
    EXPECT_EQ(SearchWordsForAddress(L"\U0001F600"), L"%F0%9F%98%80") << "a pair is one character";
    EXPECT_EQ(SearchWordsForAddress(std::wstring(1, wchar_t(0xD800)) + L"x"), L"%EF%BF%BDx");
    EXPECT_EQ(SearchWordsForAddress(L""), L"");
}

}  // namespace
