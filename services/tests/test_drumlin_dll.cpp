// Drumlin.dll as its host sees it: loaded with LoadLibrary from the program
// folder, each export looked up by ordinal and by name.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "Drumlin.h"
#include "Md5Reference.h"
#include "TempDir.h"
#include "TestHttpServer.h"
#include "drumlin_test_paths.h"
#include "test_paths.h"

using namespace drumlin_api;

namespace {

constexpr char kUserAgent[] = "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; Taskel/6.0)";

std::wstring ShippedDll() { return std::wstring(kDistDir) + L"Drumlin.dll"; }

// One loaded copy of the library; the exports are taken by ordinal after
// checking that each ordinal and its name give the same function.
class Library {
public:
    explicit Library(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
        if (!module_) return;
        AconfigQget = Take<AconfigQgetFn>(kAconfigQget, "AconfigQget");
        AconfigQ = Take<AconfigQFn>(kAconfigQ, "AconfigQ");
        AconfigGet = Take<AconfigGetFn>(kAconfigGet, "AconfigGet");
        IDconfigGet = Take<IDconfigGetFn>(kIDconfigGet, "IDconfigGet");
        IDconfigSet = Take<IDconfigSetFn>(kIDconfigSet, "IDconfigSet");
        MsgExchange = Take<MsgExchangeFn>(kMsgExchange, "MsgExchange");
    }
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    HMODULE Module() const { return module_; }
    bool Complete() const {
        return module_ && AconfigQget && AconfigQ && AconfigGet && IDconfigGet && IDconfigSet && MsgExchange;
    }

    AconfigQgetFn AconfigQget = nullptr;
    AconfigQFn AconfigQ = nullptr;
    AconfigGetFn AconfigGet = nullptr;
    IDconfigGetFn IDconfigGet = nullptr;
    IDconfigSetFn IDconfigSet = nullptr;
    MsgExchangeFn MsgExchange = nullptr;

private:
    template <typename Fn>
    Fn Take(WORD ordinal, const char* name) {
        const FARPROC byOrdinal = GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
        const FARPROC byName = GetProcAddress(module_, name);
        return byOrdinal && byOrdinal == byName ? reinterpret_cast<Fn>(byOrdinal) : nullptr;
    }
    HMODULE module_;
};

class DrumlinTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dll.Complete()) << "Drumlin.dll or one of its six exports is missing"; }
    std::string Url(const std::string& path) const { return server.BaseUrl() + path; }

    Library dll{ShippedDll()};
    TestHttpServer server;
};

std::string Ansi(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}

// ---------------------------------------------------------------- exports

TEST(DrumlinExports, SixExportsByOrdinalAndUndecoratedName) {
    Library dll(ShippedDll());
    ASSERT_NE(dll.Module(), nullptr) << "cannot load Drumlin.dll from the program folder";
    const char* names[] = {"AconfigQget", "AconfigQ", "AconfigGet", "IDconfigGet", "IDconfigSet", "MsgExchange"};
    for (WORD ordinal = 1; ordinal <= 6; ++ordinal) {
        const FARPROC byOrdinal = GetProcAddress(dll.Module(), MAKEINTRESOURCEA(ordinal));
        ASSERT_NE(byOrdinal, nullptr) << "ordinal " << ordinal;
        EXPECT_EQ(byOrdinal, GetProcAddress(dll.Module(), names[ordinal - 1])) << names[ordinal - 1];
    }
    EXPECT_EQ(GetProcAddress(dll.Module(), MAKEINTRESOURCEA(7)), nullptr);
    EXPECT_EQ(GetProcAddress(dll.Module(), "AconfigQget@8"), nullptr);
    EXPECT_EQ(GetProcAddress(dll.Module(), "_AconfigQget@8"), nullptr);
    EXPECT_TRUE(dll.Complete());
}

TEST_F(DrumlinTest, CallsByNameReachTheSameState) {
    server.Route("/config", TestHttpServer::Text(R"({"a":"1","b":"2"})", "application/json"));
    auto q = reinterpret_cast<AconfigQFn>(GetProcAddress(dll.Module(), "AconfigQ"));
    auto qget = reinterpret_cast<AconfigQgetFn>(GetProcAddress(dll.Module(), "AconfigQget"));
    auto msg = reinterpret_cast<MsgExchangeFn>(GetProcAddress(dll.Module(), "MsgExchange"));
    ASSERT_EQ(q(Url("/config").c_str()), 1);
    EXPECT_STREQ(qget(1, 1), "b");
    EXPECT_STREQ(dll.AconfigQget(1, 0), "2");
    EXPECT_EQ(std::string(msg("kqv")).size(), 56u);
}

// ---------------------------------------------------------------- configuration list

TEST_F(DrumlinTest, QgetBeforeAnyFetchIsEmpty) {
    EXPECT_STREQ(dll.AconfigQget(0, 1), "");
    EXPECT_STREQ(dll.AconfigQget(0, 0), "");
    EXPECT_STREQ(dll.AconfigQget(-1, 1), "");
}

TEST_F(DrumlinTest, ObjectBodyFillsTheListInDocumentOrder) {
    server.Route("/config", TestHttpServer::Text(
                                R"({"zeta":"last letter","alpha":12,"mid":true,"none":null,)"
                                R"("list":[1,"two"],"obj":{"k":"v"},"pi":1.5,"empty":""})",
                                "application/json"));
    ASSERT_EQ(dll.AconfigQ(Url("/config").c_str()), 7);
    const char* keys[] = {"zeta", "alpha", "mid", "none", "list", "obj", "pi", "empty"};
    const char* values[] = {"last letter", "12", "true", "null", R"([1,"two"])", R"({"k":"v"})", "1.5", ""};
    for (int i = 0; i < 8; ++i) {
        EXPECT_STREQ(dll.AconfigQget(i, 1), keys[i]) << i;
        EXPECT_STREQ(dll.AconfigQget(i, 0), values[i]) << i;
    }
    EXPECT_STREQ(dll.AconfigQget(-1, 1), "");
    EXPECT_STREQ(dll.AconfigQget(8, 1), "");
    EXPECT_STREQ(dll.AconfigQget(8, 0), "");
    EXPECT_STREQ(dll.AconfigQget(0, 2), "zeta");  // any non-zero byte is true
    ASSERT_EQ(server.RequestCount("/config"), 1u);
    const HttpRequest request = server.Requests().at(0);
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.headers.at("user-agent"), kUserAgent);
}

TEST_F(DrumlinTest, ReturnedTextStaysUntilTheNextCall) {
    server.Route("/config", TestHttpServer::Text(R"({"first":"one","second":"two"})"));
    ASSERT_EQ(dll.AconfigQ(Url("/config").c_str()), 1);
    const char* first = dll.AconfigQget(0, 1);
    const std::string copy = first;
    EXPECT_EQ(copy, "first");
    EXPECT_STREQ(dll.AconfigQget(1, 0), "two");
}

TEST_F(DrumlinTest, NonObjectBodyLeavesTheListEmptyAndTheNextCallFetchesAgain) {
    int served = 0;
    server.Route("/config", [&served](const HttpRequest&) {
        const char* bodies[] = {"[1,2,3]", "not json at all", "\"text\"", R"({"k":"v"})"};
        return TestHttpServer::Text(bodies[std::min(served++, 3)], "application/json");
    });
    const std::string url = Url("/config");
    EXPECT_EQ(dll.AconfigQ(url.c_str()), -1);
    EXPECT_STREQ(dll.AconfigQget(0, 1), "");
    EXPECT_EQ(server.RequestCount("/config"), 1u);
    EXPECT_EQ(dll.AconfigQ(url.c_str()), -1);
    EXPECT_EQ(server.RequestCount("/config"), 2u);
    EXPECT_EQ(dll.AconfigQ(url.c_str()), -1);
    EXPECT_EQ(server.RequestCount("/config"), 3u);
    EXPECT_EQ(dll.AconfigQ(url.c_str()), 0);
    EXPECT_EQ(server.RequestCount("/config"), 4u);
    EXPECT_STREQ(dll.AconfigQget(0, 1), "k");
    EXPECT_STREQ(dll.AconfigQget(0, 0), "v");
}

TEST_F(DrumlinTest, FailedFetchesLeaveTheListEmpty) {
    HttpResponse missing = TestHttpServer::Text(R"({"k":"v"})");
    missing.status = 404;
    server.Route("/missing", missing);
    EXPECT_EQ(dll.AconfigQ(Url("/missing").c_str()), -1);
    EXPECT_EQ(dll.AconfigQ(nullptr), -1);
    EXPECT_EQ(dll.AconfigQ(""), -1);
    EXPECT_EQ(dll.AconfigQ("no scheme at all"), -1);
    EXPECT_STREQ(dll.AconfigQget(0, 1), "");
    server.Route("/config", TestHttpServer::Text(R"({"k":"v"})"));
    EXPECT_EQ(dll.AconfigQ(Url("/config").c_str()), 0);
}

TEST_F(DrumlinTest, SecondUrlAfterSuccessDoesNotFetch) {
    server.Route("/one", TestHttpServer::Text(R"({"a":"1","b":"2","c":"3"})"));
    server.Route("/two", TestHttpServer::Text(R"({"x":"9"})"));
    ASSERT_EQ(dll.AconfigQ(Url("/one").c_str()), 2);
    EXPECT_EQ(dll.AconfigQ(Url("/two").c_str()), 2);
    EXPECT_EQ(dll.AconfigQ(nullptr), 2);
    EXPECT_EQ(server.RequestCount("/one"), 1u);
    EXPECT_EQ(server.RequestCount("/two"), 0u);
    EXPECT_STREQ(dll.AconfigQget(2, 1), "c");
}

TEST_F(DrumlinTest, Utf8KeysAndValuesArriveInTheAnsiCodePage) {
    server.Route("/config", TestHttpServer::Text("{\"caf\xC3\xA9\":\"\xE2\x82\xAC 5\"}", "application/json"));
    ASSERT_EQ(dll.AconfigQ(Url("/config").c_str()), 0);
    EXPECT_EQ(std::string(dll.AconfigQget(0, 1)), Ansi(L"caf\u00E9"));
    EXPECT_EQ(std::string(dll.AconfigQget(0, 0)), Ansi(L"\u20AC 5"));
}

TEST(DrumlinLifetime, UnloadingForgetsTheList) {
    TestHttpServer server;
    server.Route("/config", TestHttpServer::Text(R"({"k":"v"})"));
    const std::string url = server.BaseUrl() + "/config";
    {
        Library dll(ShippedDll());
        ASSERT_TRUE(dll.Complete());
        ASSERT_EQ(dll.AconfigQ(url.c_str()), 0);
        EXPECT_STREQ(dll.AconfigQget(0, 1), "k");
    }
    Library dll(ShippedDll());
    ASSERT_TRUE(dll.Complete());
    EXPECT_STREQ(dll.AconfigQget(0, 1), "");
    EXPECT_EQ(dll.AconfigQ(url.c_str()), 0);
    EXPECT_EQ(server.RequestCount("/config"), 2u);
}

// ---------------------------------------------------------------- HTTP GET

TEST_F(DrumlinTest, GetReturnsTheBody) {
    server.Route("/page", TestHttpServer::Text("hello, host", "text/plain"));
    EXPECT_STREQ(dll.AconfigGet(Url("/page").c_str()), "hello, host");
    EXPECT_EQ(server.Requests().at(0).headers.at("user-agent"), kUserAgent);
    // Fetching never touches the configuration list.
    EXPECT_STREQ(dll.AconfigQget(0, 1), "");
}

TEST_F(DrumlinTest, GetFailuresGiveEmptyText) {
    HttpResponse error = TestHttpServer::Text("server error page");
    error.status = 500;
    server.Route("/error", error);
    EXPECT_STREQ(dll.AconfigGet(Url("/error").c_str()), "");
    EXPECT_STREQ(dll.AconfigGet(Url("/nowhere").c_str()), "");  // 404
    EXPECT_STREQ(dll.AconfigGet(nullptr), "");
    EXPECT_STREQ(dll.AconfigGet(""), "");
    EXPECT_STREQ(dll.AconfigGet("ftp://127.0.0.1/file"), "");
    EXPECT_STREQ(dll.AconfigGet("not a url"), "");
    std::string refused;
    {
        TestHttpServer gone;
        refused = gone.BaseUrl() + "/page";
    }
    EXPECT_STREQ(dll.AconfigGet(refused.c_str()), "");
}

TEST_F(DrumlinTest, GetConvertsUtf8ToTheAnsiCodePage) {
    const std::string utf8 = "caf\xC3\xA9 \xE2\x82\xAC \xC3\x9F \xE4\xB8\xAD";  // café € ß 中
    server.Route("/text", TestHttpServer::Text(utf8, "text/plain; charset=iso-8859-1"));
    const std::string expected = Ansi(L"caf\u00E9 \u20AC \u00DF \u4E2D");
    EXPECT_EQ(std::string(dll.AconfigGet(Url("/text").c_str())), expected);
    if (GetACP() == 1252) {
        EXPECT_EQ(expected, "caf\xE9 \x80 \xDF ?");
    }
    // A byte-order mark is not part of the text.
    server.Route("/bom", TestHttpServer::Text("\xEF\xBB\xBFplain"));
    EXPECT_STREQ(dll.AconfigGet(Url("/bom").c_str()), "plain");
    // A body that is not UTF-8 cannot be decoded.
    server.Route("/latin1", TestHttpServer::Text("caf\xE9"));
    EXPECT_STREQ(dll.AconfigGet(Url("/latin1").c_str()), "");
}

// A chain of n redirects under prefix, ending at prefix + "/final"; relative
// and absolute locations and every redirect status take turns.
std::string MakeRedirectChain(TestHttpServer& server, const std::string& prefix, int n) {
    const int statuses[] = {301, 302, 303, 307, 308};
    for (int i = 1; i <= n; ++i) {
        const std::string next = i < n ? prefix + "/" + std::to_string(i + 1) : prefix + "/final";
        server.Route(prefix + "/" + std::to_string(i),
                     TestHttpServer::Redirect(i % 2 ? next : server.BaseUrl() + next, statuses[i % 5]));
    }
    server.Route(prefix + "/final", TestHttpServer::Text("end of chain " + prefix));
    return server.BaseUrl() + prefix + "/1";
}

size_t ChainRequests(const TestHttpServer& server, const std::string& prefix) {
    size_t count = 0;
    for (const HttpRequest& r : server.Requests()) count += r.path.rfind(prefix + "/", 0) == 0;
    return count;
}

TEST_F(DrumlinTest, RedirectChainOf15IsFollowed) {
    const std::string start = MakeRedirectChain(server, "/c15", 15);
    EXPECT_STREQ(dll.AconfigGet(start.c_str()), "end of chain /c15");
    EXPECT_EQ(server.RequestCount("/c15/final"), 1u);
    EXPECT_EQ(ChainRequests(server, "/c15"), 16u);
}

TEST_F(DrumlinTest, RedirectChainOf16IsNotFollowed) {
    const std::string start = MakeRedirectChain(server, "/c16", 16);
    EXPECT_STREQ(dll.AconfigGet(start.c_str()), "");
    EXPECT_EQ(server.RequestCount("/c16/final"), 0u);
    EXPECT_EQ(server.RequestCount("/c16/16"), 1u);
    EXPECT_EQ(ChainRequests(server, "/c16"), 16u);
}

TEST_F(DrumlinTest, ConfigurationFollowsRedirectsToo) {
    server.Route("/moved", TestHttpServer::Redirect("/config"));
    server.Route("/config", TestHttpServer::Text(R"({"k":"v"})"));
    EXPECT_EQ(dll.AconfigQ(Url("/moved").c_str()), 0);
    EXPECT_STREQ(dll.AconfigQget(0, 0), "v");
}

// The shipped library waits longer for a slow server than the test-only copy
// with its short read time-out, which gives up on a silent one.
TEST_F(DrumlinTest, ReadTimeOutEndsASilentRequest) {
    Library shortCopy(kDrumlinShortTimeoutDll);
    ASSERT_TRUE(shortCopy.Complete()) << "cannot load the test-only copy of the library";
    HttpResponse silent;
    silent.neverAnswer = true;
    server.Route("/silent", silent);
    HttpResponse slow = TestHttpServer::Text("slow but there");
    slow.delayMs = static_cast<int>(kDrumlinTestTimeoutMs) * 2;
    server.Route("/slow", slow);

    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    EXPECT_STREQ(shortCopy.AconfigGet(Url("/silent").c_str()), "");
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(elapsed, kDrumlinTestTimeoutMs * 8 / 10);
    EXPECT_LT(elapsed, kDrumlinTestTimeoutMs + 8000);

    start = Clock::now();
    EXPECT_EQ(shortCopy.AconfigQ(Url("/silent").c_str()), -1);
    elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(elapsed, kDrumlinTestTimeoutMs * 8 / 10);

    EXPECT_STREQ(shortCopy.AconfigGet(Url("/slow").c_str()), "");
    EXPECT_STREQ(dll.AconfigGet(Url("/slow").c_str()), "slow but there");
}

// A server that keeps sending, a byte at a time within the read time-out,
// is cut off by the fetch's deadline: the call gives empty text instead of
// waiting for the whole body.
TEST_F(DrumlinTest, TricklingServerIsCutOffByTheDeadline) {
    Library shortCopy(kDrumlinShortTimeoutDll);
    ASSERT_TRUE(shortCopy.Complete()) << "cannot load the test-only copy of the library";
    HttpResponse trickle = TestHttpServer::Text(std::string(12 * 64 * 1024, 'x'));
    trickle.chunkDelayMs = static_cast<int>(kDrumlinTestTimeoutMs) * 2 / 3;
    server.Route("/trickle", trickle);
    EXPECT_STREQ(shortCopy.AconfigGet(Url("/trickle").c_str()), "");
    HttpResponse brisk = TestHttpServer::Text(R"({"k":"v"})");
    server.Route("/brisk", brisk);
    EXPECT_EQ(shortCopy.AconfigQ(Url("/brisk").c_str()), 0);
}

// Bodies above the size cap are refused whole; nested bodies above the depth
// cap leave the list empty; neither takes the host down.
TEST_F(DrumlinTest, OversizedAndDeeplyNestedBodiesGiveTheEmptyResult) {
    server.Route("/huge", TestHttpServer::Text(std::string((8u << 20) + 1, 'a')));
    server.Route("/large", TestHttpServer::Text(std::string(8u << 20, 'a')));
    const size_t depth = 200000;
    server.Route("/deep", TestHttpServer::Text("{\"k\":" + std::string(depth, '[') + std::string(depth, ']') + "}"));
    EXPECT_STREQ(dll.AconfigGet(Url("/huge").c_str()), "");
    EXPECT_EQ(strlen(dll.AconfigGet(Url("/large").c_str())), 8u << 20);
    EXPECT_EQ(dll.AconfigQ(Url("/huge").c_str()), -1);
    EXPECT_EQ(dll.AconfigQ(Url("/deep").c_str()), -1);
    EXPECT_STREQ(dll.AconfigQget(0, 1), "");
}

// ---------------------------------------------------------------- identity token

TEST_F(DrumlinTest, WrongGateGivesEmptyText) {
    for (const char* gate : {"KQV", "kq", "kqvv", " kqv", "kqv ", "", "Kqv"}) EXPECT_STREQ(dll.MsgExchange(gate), "") << gate;
    EXPECT_STREQ(dll.MsgExchange(nullptr), "");
}

void ExpectWellFormedToken(const std::string& token) {
    ASSERT_EQ(token.size(), 56u) << token;
    for (size_t i = 0; i < 32; ++i) EXPECT_TRUE(std::isdigit(token[i]) || (token[i] >= 'A' && token[i] <= 'F')) << token;
    EXPECT_EQ(token.substr(32, 16).find_first_not_of("ABCDEF123456789"), std::string::npos) << token;
    EXPECT_EQ(token.substr(48), ReferenceTokenChecksum(token.substr(0, 48))) << token;
}

TEST_F(DrumlinTest, TokensShareTheMachinePartAndEndInTheirChecksum) {
    const std::string first = dll.MsgExchange("kqv");
    ExpectWellFormedToken(first);
    std::set<std::string> randomParts{first.substr(32, 16)};
    for (int i = 0; i < 5; ++i) {
        const std::string next = dll.MsgExchange("kqv");
        ExpectWellFormedToken(next);
        EXPECT_EQ(next.substr(0, 32), first.substr(0, 32));
        randomParts.insert(next.substr(32, 16));
        Sleep(2);
    }
    EXPECT_GT(randomParts.size(), 1u) << "the random part never changed";
}

TEST_F(DrumlinTest, RandomPartNeverContainsZero) {
    std::set<char> seen;
    for (int i = 0; i < 400; ++i) {
        const std::string token = dll.MsgExchange("kqv");
        ASSERT_EQ(token.size(), 56u);
        const std::string random = token.substr(32, 16);
        ASSERT_EQ(random.find('0'), std::string::npos) << token;
        EXPECT_EQ(token.substr(48), ReferenceTokenChecksum(token.substr(0, 48)));
        seen.insert(random.begin(), random.end());
    }
    EXPECT_EQ(std::string(seen.begin(), seen.end()), "123456789ABCDEF");
}

// ---------------------------------------------------------------- identity store

void WriteFile(const std::wstring& path, const std::string& content) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(DrumlinTest, MissingFileGivesZero) {
    TempDir dir;
    const std::string path = Ansi(dir.Path());
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 1), 0);
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 0), 0);
    EXPECT_EQ(dll.IDconfigGet((path + "\\no such folder").c_str(), 1), 0);
    EXPECT_EQ(dll.IDconfigGet(nullptr, 1), 0);
}

TEST_F(DrumlinTest, StoredTextThatIsNotAnIntegerGivesZero) {
    TempDir dir;
    WriteFile(dir.File(L"config.ini"), "[Config]\r\nuid=12ab\r\nmid=abc\r\n");
    const std::string path = Ansi(dir.Path());
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 1), 0);
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 0), 0);
    WriteFile(dir.File(L"config.ini"), "[Config]\r\nuid=2147483648\r\nmid=0x10\r\n");
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 1), 0);
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 0), 0);
    WriteFile(dir.File(L"config.ini"), "[Other]\r\nuid=5\r\n[Config]\r\nuid=-2147483648\r\nmid=2147483647\r\n");
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 1), INT32_MIN);
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 0), INT32_MAX);
}

TEST_F(DrumlinTest, ValuesRoundTrip) {
    TempDir dir;
    const std::string path = Ansi(dir.Path());
    ASSERT_EQ(dll.IDconfigSet(path.c_str(), "42", "7"), 1);
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 1), 42);
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 0), 7);
    const std::string ini = ReadFile(dir.File(L"config.ini"));
    EXPECT_NE(ini.find("[Config]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("uid=42"), std::string::npos) << ini;
    EXPECT_NE(ini.find("mid=7"), std::string::npos) << ini;
    // Writing again replaces the values and keeps the rest of the file.
    WriteFile(dir.File(L"config.ini"), "[Keep]\r\nx=1\r\n[Config]\r\nuid=1\r\n");
    ASSERT_EQ(dll.IDconfigSet(path.c_str(), "-3", "900"), 1);
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 1), -3);
    EXPECT_EQ(dll.IDconfigGet(path.c_str(), 0), 900);
    EXPECT_NE(ReadFile(dir.File(L"config.ini")).find("x=1"), std::string::npos);
}

TEST_F(DrumlinTest, FolderThatCannotBeWrittenGivesFalse) {
    TempDir dir;
    const std::string missing = Ansi(dir.File(L"no such folder"));
    EXPECT_EQ(dll.IDconfigSet(missing.c_str(), "42", "7"), 0);
    EXPECT_EQ(GetFileAttributesW(dir.File(L"no such folder").c_str()), INVALID_FILE_ATTRIBUTES);
    WriteFile(dir.File(L"plain file"), "not a folder");
    const std::string file = Ansi(dir.File(L"plain file"));
    EXPECT_EQ(dll.IDconfigSet(file.c_str(), "42", "7"), 0);
    EXPECT_EQ(dll.IDconfigGet(file.c_str(), 1), 0);
}

}  // namespace
