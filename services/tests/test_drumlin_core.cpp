// The pieces behind Drumlin's exports, linked directly into the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnsiText.h"
#include "Identity.h"
#include "ConfigPairs.h"
#include "Internet.h"
#include "Md5Reference.h"
#include "RequestTimeouts.h"

using namespace drumlin;

namespace {

TEST(DrumlinMd5, MatchesTheRfc1321TestSuite) {
    EXPECT_EQ(MD5Upper(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(MD5Upper("a"), "0CC175B9C0F1B6A831C399E269772661");
    EXPECT_EQ(MD5Upper("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(MD5Upper("message digest"), "F96B697D7CB7938D525A2F31AAF161D0");
    EXPECT_EQ(MD5Upper("abcdefghijklmnopqrstuvwxyz"), "C3FCD3D76192E4007DFB496CCA67E13B");
    EXPECT_EQ(MD5Upper(std::string(8, '\0') + "\xE9\xFF"), ReferenceMd5Upper(std::string(8, '\0') + "\xE9\xFF"));
    EXPECT_EQ(ReferenceMd5Upper("message digest"), "F96B697D7CB7938D525A2F31AAF161D0");
}

TEST(DrumlinText, HexTrimAndIntegers) {
    const unsigned char bytes[] = {0x00, 0x1A, 0xFF, 0x7c};
    EXPECT_EQ(HexUpper(bytes, 4), "001AFF7C");
    EXPECT_EQ(HexUpper(bytes, 0), "");
    EXPECT_EQ(TrimBlanks("  \t\r\nWD-123 45\x01 \x1f"), "WD-123 45");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(ParseInt32("42"), 42);
    EXPECT_EQ(ParseInt32("+7"), 7);
    EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInt32("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseInt32("000000"), 0);
    for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "12ab", "abc", "0x10", "$10", " 1", "1 ",
                            "99999999999999999999"})
        EXPECT_FALSE(ParseInt32(bad).has_value()) << bad;
    EXPECT_FALSE(Utf8ToAnsi("caf\xE9").has_value());
    EXPECT_EQ(Utf8ToAnsi(""), "");
    EXPECT_EQ(FromCaller(nullptr), "");
}

TEST(DrumlinToken, RandomTextDrawsFifteenCharactersWithoutZero) {
    EXPECT_EQ(RandomText16(12345), RandomText16(12345));
    EXPECT_NE(RandomText16(12345), RandomText16(12346));
    std::string all;
    for (uint32_t seed = 0; seed < 2000; ++seed) {
        const std::string text = RandomText16(seed * 2654435761u);
        ASSERT_EQ(text.size(), 16u);
        all += text;
    }
    EXPECT_EQ(all.find('0'), std::string::npos);
    EXPECT_EQ(all.find_first_not_of("ABCDEF123456789"), std::string::npos);
    // Roughly uniform: each of the 15 characters about 1/15 of the draws.
    for (char c : std::string("ABCDEF123456789")) {
        const double share = static_cast<double>(std::count(all.begin(), all.end(), c)) / all.size();
        EXPECT_NEAR(share, 1.0 / 15, 0.01) << c;
    }
    EXPECT_EQ(RandomText16().size(), 16u);
}

TEST(DrumlinToken, LayoutOfTheToken) {
    const std::string token = BuildToken("WD-WCC4E1234567", ":00155D010203:", "ABCDEF123456789A");
    ASSERT_EQ(token.size(), kTokenLength);
    EXPECT_EQ(token.substr(0, 16), ReferenceMd5Upper("WD-WCC4E1234567").substr(0, 16));
    EXPECT_EQ(token.substr(16, 16), ReferenceMd5Upper(":00155D010203:").substr(0, 16));
    EXPECT_EQ(token.substr(32, 16), "ABCDEF123456789A");
    const std::string sum = ReferenceMd5Upper(token.substr(0, 48));
    EXPECT_EQ(token.substr(48, 3), sum.substr(0, 3));
    EXPECT_EQ(token.substr(51, 5), sum.substr(27, 5));
}

TEST(DrumlinToken, SerialNumberFieldOfTheIdentifyBlock) {
    unsigned char block[512] = {};
    const std::string serial = "WD-WCC4E1234567     ";
    for (int i = 0; i < 20; i += 2) {  // the drive stores each word's bytes swapped
        block[20 + i] = serial[i + 1];
        block[20 + i + 1] = serial[i];
    }
    EXPECT_EQ(SerialFromIdentify(block), "WD-WCC4E1234567     ");
    EXPECT_EQ(TrimBlanks(SerialFromIdentify(block)), "WD-WCC4E1234567");
    block[20 + 6] = 0;  // the eighth character
    EXPECT_EQ(SerialFromIdentify(block), "WD-WCC4");
    memset(block, 0, sizeof block);
    EXPECT_EQ(SerialFromIdentify(block), "");
}

TEST(DrumlinToken, ExchangeUsesItsCaches) {
    IdentityTokens tokens;
    EXPECT_EQ(tokens.Exchange("kqV"), "");
    EXPECT_EQ(tokens.Exchange(nullptr), "");
    EXPECT_TRUE(tokens.MacListCache().empty());
    const std::string token = tokens.Exchange("kqv");
    ASSERT_EQ(token.size(), kTokenLength);
    ASSERT_FALSE(tokens.MacListCache().empty());
    EXPECT_EQ(token.substr(0, 16), ReferenceMd5Upper(tokens.DiskSerialCache()).substr(0, 16));
    EXPECT_EQ(token.substr(16, 16), ReferenceMd5Upper(tokens.MacListCache()).substr(0, 16));
    EXPECT_EQ(token.substr(48), ReferenceTokenChecksum(token.substr(0, 48)));
    const std::string& macs = tokens.MacListCache();
    EXPECT_TRUE(macs == "0" || (macs.front() == ':' && macs.back() == ':')) << macs;
    ::testing::Test::RecordProperty("mac_list", macs);
    ::testing::Test::RecordProperty("disk_serial", tokens.DiskSerialCache());
    std::printf("mac list cache: \"%s\", disk serial cache: \"%s\"\n", macs.c_str(), tokens.DiskSerialCache().c_str());
}

TEST(DrumlinToken, DeviceQueriesFailQuietly) {
    EXPECT_EQ(GetAdapterMac("", false), "");
    EXPECT_EQ(GetAdapterMac("NoSuchAdapterService", true), "");
    const std::string serial = GetDiskSerial();
    EXPECT_LE(serial.size(), 20u);
    const auto macs = GetMacList();
    if (macs) {
        EXPECT_TRUE(macs->front() == ':' && macs->back() == ':') << *macs;
    }
}

// ---------------------------------------------------------------- configuration list

std::vector<TCPAs> Pairs(const std::string& json) {
    std::vector<TCPAs> pairs;
    AppendPairs(json, pairs);
    return pairs;
}

TEST(DrumlinConfig, MembersInDocumentOrderWithTheirTextForms) {
    const auto pairs = Pairs(R"( {"b":"x","a":-3,"c":false,"d":[],"e":{},"f":"say \"hi\"\n","g":2.25} )");
    ASSERT_EQ(pairs.size(), 7u);
    const char* keys[] = {"b", "a", "c", "d", "e", "f", "g"};
    const char* values[] = {"x", "-3", "false", "[]", "{}", "say \"hi\"\n", "2.25"};
    for (size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(pairs[i].Key, keys[i]);
        EXPECT_EQ(pairs[i].Value, values[i]);
    }
    EXPECT_TRUE(Pairs("[1,2]").empty());
    EXPECT_TRUE(Pairs("42").empty());
    EXPECT_TRUE(Pairs("").empty());
    EXPECT_TRUE(Pairs(R"({"a":1,)").empty());
    EXPECT_TRUE(Pairs("{}").empty());
    EXPECT_EQ(Pairs(R"({"a":1,"a":2})").size(), 1u);
}

TEST(DrumlinConfig, NestingBeyondTheCapIsRefusedWhole) {
    auto nested = [](size_t levels) {
        return "{\"deep\":" + std::string(levels - 1, '[') + std::string(levels - 1, ']') + ",\"k\":1}";
    };
    const auto within = Pairs(nested(kMaxJsonDepth));
    ASSERT_EQ(within.size(), 2u);
    EXPECT_EQ(within[0].Value.size(), 2 * (kMaxJsonDepth - 1));
    EXPECT_TRUE(Pairs(nested(kMaxJsonDepth + 1)).empty());
    EXPECT_TRUE(Pairs(nested(500000)).empty());
    // Brackets inside strings are text, not nesting.
    const auto quoted = Pairs("{\"k\":\"" + std::string(1000, '[') + "\\\"{\"}");
    ASSERT_EQ(quoted.size(), 1u);
    EXPECT_EQ(quoted[0].Value, std::string(1000, '[') + "\"{");
}

TEST(DrumlinConfig, AnsiTextIsParsedAsText) {
    // The fetched text is already in the ANSI code page; a character outside
    // ASCII survives the parse.
    const std::string ansi = *Utf8ToAnsi("{\"k\":\"caf\xC3\xA9\"}");
    const auto pairs = Pairs(ansi);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].Value, *Utf8ToAnsi("caf\xC3\xA9"));
}

TEST(DrumlinConfig, ListIsFilledOnceAndEmptyFetchesAreRepeated) {
    std::vector<std::string> fetched;
    std::vector<std::string> bodies = {"", "[1]", R"({"one":"1","two":"2"})", R"({"three":"3"})"};
    Tinternet internet([&](const std::string& url) {
        fetched.push_back(url);
        return bodies[std::min(fetched.size() - 1, bodies.size() - 1)];
    });
    EXPECT_EQ(internet.GetPair(0, true), "");
    EXPECT_EQ(internet.LoadPairs("u1"), -1);
    EXPECT_EQ(internet.LoadPairs("u2"), -1);
    EXPECT_EQ(internet.Text(), "[1]");
    EXPECT_EQ(internet.LoadPairs("u3"), 1);
    EXPECT_EQ(internet.LoadPairs("u4"), 1);
    EXPECT_EQ(fetched, (std::vector<std::string>{"u1", "u2", "u3"}));
    EXPECT_EQ(internet.GetPair(0, true), "one");
    EXPECT_EQ(internet.GetPair(1, false), "2");
    EXPECT_EQ(internet.GetPair(2, true), "");
    EXPECT_EQ(internet.GetPair(-1, false), "");
}

TEST(DrumlinConfig, AFetchThatThrowsLeavesTheListEmpty) {
    int calls = 0;
    Tinternet internet([&calls](const std::string&) -> std::string {
        if (++calls == 1) throw std::runtime_error("fetch failed");
        return R"({"k":"v"})";
    });
    EXPECT_EQ(internet.LoadPairs("u"), -1);
    EXPECT_EQ(internet.LoadPairs("u"), 0);
    EXPECT_EQ(calls, 2);
}

// Every phase of a request is bounded, the name lookup too (left at no
// bound, a lookup that never answers held the host's call for ever), and
// none outlasts what is left of the whole fetch.
TEST(DrumlinFetch, EveryPhaseOfARequestEndsByTheFetchDeadline) {
    const HINTERNET session = WinHttpOpen(L"test", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                          WINHTTP_NO_PROXY_BYPASS, 0);
    ASSERT_TRUE(session);
    const HINTERNET connection = WinHttpConnect(session, L"lookup.invalid", 80, 0);
    const HINTERNET request = WinHttpOpenRequest(connection, L"GET", L"/", nullptr, WINHTTP_NO_REFERER,
                                                 WINHTTP_DEFAULT_ACCEPT_TYPES, 0);
    ASSERT_TRUE(request);
    ASSERT_TRUE(BoundRequest(request, GetTickCount64() + 5000));
    for (DWORD option : {WINHTTP_OPTION_RESOLVE_TIMEOUT, WINHTTP_OPTION_CONNECT_TIMEOUT, WINHTTP_OPTION_SEND_TIMEOUT,
                         WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT}) {
        DWORD ms = 0, size = sizeof ms;
        ASSERT_TRUE(WinHttpQueryOption(request, option, &ms, &size)) << option;
        EXPECT_GT(ms, 0u) << option;
        EXPECT_LE(ms, 5000u) << option;
    }
    EXPECT_FALSE(BoundRequest(request, GetTickCount64() - 1)) << "a fetch past its deadline starts no request";
    WinHttpCloseHandle(request);
    WinHttpCloseHandle(connection);
    WinHttpCloseHandle(session);
}

TEST(DrumlinConfig, ShippedReadTimeOut) {
    EXPECT_EQ(kReadTimeoutMs, 20000u);
    EXPECT_EQ(kMaxRedirects, 15);
    EXPECT_STREQ(kUserAgent, "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; Taskel/6.0)");
}

}  // namespace
