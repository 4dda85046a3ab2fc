// Cache purge against real WinINet downloads from a server on 127.0.0.1:
// normal entries go, entries larger than the first buffer too, cookie and
// history entries stay.
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CacheMain.h"
#include "TestHttpServer.h"

namespace {

constexpr uint32_t kKeepCookiesAndHistory = 3145728;

std::string Download(const std::string& url) {
    HINTERNET net = InternetOpenA("CacheMainTest", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET req = InternetOpenUrlA(net, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    std::string body;
    char buf[4096];
    DWORD n = 0;
    while (req && InternetReadFile(req, buf, sizeof buf, &n) && n > 0) body.append(buf, n);
    if (req) InternetCloseHandle(req);
    InternetCloseHandle(net);
    return body;
}

bool InCache(const std::string& url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

struct Entry {
    std::string url;
    DWORD type;
};

// Every entry of every container whose address contains needle.
std::vector<Entry> Entries(const char* pattern, const std::string& needle) {
    std::vector<Entry> out;
    std::vector<char> buf(16384);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buf.data());
    DWORD size = buf.size();
    HANDLE find = FindFirstUrlCacheEntryA(pattern, info, &size);
    if (!find) return out;
    do {
        if (info->lpszSourceUrlName && std::string(info->lpszSourceUrlName).find(needle) != std::string::npos)
            out.push_back({info->lpszSourceUrlName, info->CacheEntryType});
        size = buf.size();
    } while (FindNextUrlCacheEntryA(find, info, &size));
    FindCloseUrlCache(find);
    return out;
}

bool HasType(const std::vector<Entry>& v, DWORD bit) {
    for (const auto& e : v)
        if (e.type & bit) return true;
    return false;
}

// Puts url into the content cache by hand, with the given entry type and
// stored headers.
bool CommitEntry(const std::string& url, DWORD type, const std::string& headers = {}) {
    char file[MAX_PATH];
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "html", file, 0)) return false;
    HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(h, "<p>x</p>", 8, &written, nullptr);
    CloseHandle(h);
    FILETIME zero{};
    return CommitUrlCacheEntryA(url.c_str(), file, zero, zero, type,
                                headers.empty() ? nullptr : reinterpret_cast<BYTE*>(const_cast<char*>(headers.data())),
                                static_cast<DWORD>(headers.size()), nullptr, nullptr);
}

class CachePurge : public ::testing::Test {
protected:
    void SetUp() override {
        HttpResponse page = TestHttpServer::Text("<html><body>cached page</body></html>");
        page.headers.emplace_back("Cache-Control", "max-age=3600");
        server.Route("/a.html", page);
        server.Route("/b.html", page);
        HttpResponse image = TestHttpServer::Text(std::string(3000, 'x'), "image/jpeg");
        image.headers.emplace_back("Cache-Control", "max-age=3600");
        server.Route("/c.jpg", image);
        // The port makes this test's entries unique in the shared per-user cache.
        needle = "127.0.0.1:" + std::to_string(server.Port());
    }
    TestHttpServer server;
    std::string needle;
};

}  // namespace

// One test: purges act on the whole per-user cache, so steps that run in
// parallel processes would race with each other.
TEST_F(CachePurge, NormalEntriesGoCookiesAndHistoryStayEmptyCacheEndsAtOnce) {
    const std::string base = server.BaseUrl();
    for (const char* path : {"/a.html", "/b.html", "/c.jpg"}) ASSERT_FALSE(Download(base + path).empty());
    ASSERT_TRUE(InCache(base + "/a.html"));
    ASSERT_TRUE(InCache(base + "/c.jpg"));
    // A persistent cookie on a path of its own, so other tests' requests to
    // this host never carry it; it is expired again at the end.
    const std::string cookieUrl = base + "/cachetest/page";
    const std::string cookieName = "session" + std::to_string(server.Port());
    ASSERT_TRUE(InternetSetCookieA(cookieUrl.c_str(), nullptr,
                                   (cookieName + "=abc; path=/cachetest; expires=Fri, 01-Jan-2038 00:00:00 GMT").c_str()));
    ASSERT_TRUE(CommitEntry(base + "/visited.html", NORMAL_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY));
    // Entries whose description does not fit the first buffer: a long
    // address, and many stored headers.
    std::string headers;
    for (int i = 0; headers.size() < 4000; ++i) headers += "X-Header-" + std::to_string(i) + ": value\r\n";
    const std::string longUrl = base + "/long/" + std::string(1800, 'l') + ".html";
    ASSERT_TRUE(CommitEntry(longUrl, NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(CommitEntry(base + "/headers.html", NORMAL_CACHE_ENTRY, headers));
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(CommitEntry(base + "/more" + std::to_string(i) + ".html", NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(HasType(Entries(nullptr, "127.0.0.1"), COOKIE_CACHE_ENTRY));

    ClearUrlCache("*.*", kKeepCookiesAndHistory);

    EXPECT_FALSE(InCache(base + "/a.html"));
    EXPECT_FALSE(InCache(base + "/b.html"));
    EXPECT_FALSE(InCache(base + "/c.jpg"));
    EXPECT_FALSE(InCache(longUrl));
    EXPECT_FALSE(InCache(base + "/headers.html"));
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(InCache(base + "/more" + std::to_string(i) + ".html")) << i;
    EXPECT_TRUE(InCache(base + "/visited.html"));
    EXPECT_TRUE(HasType(Entries(nullptr, "127.0.0.1"), COOKIE_CACHE_ENTRY));
    EXPECT_TRUE(HasType(Entries("Cookie:", "127.0.0.1"), COOKIE_CACHE_ENTRY));
    char cookie[512];
    DWORD len = sizeof cookie;
    ASSERT_TRUE(InternetGetCookieA(cookieUrl.c_str(), nullptr, cookie, &len));
    EXPECT_NE(std::string(cookie).find(cookieName + "=abc"), std::string::npos);

    // Keeping cookies only: the history entry goes now, the cookies still stay.
    ClearUrlCache("*.*", COOKIE_CACHE_ENTRY);
    EXPECT_FALSE(InCache(base + "/visited.html"));
    EXPECT_TRUE(HasType(Entries("Cookie:", "127.0.0.1"), COOKIE_CACHE_ENTRY));

    // Nothing of this test is left to purge: the next purge ends at once.
    EXPECT_TRUE(Entries(nullptr, needle).empty());
    const DWORD start = GetTickCount();
    ClearUrlCache("*.*", kKeepCookiesAndHistory);
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_TRUE(Entries(nullptr, needle).empty());
    InternetSetCookieA(cookieUrl.c_str(), nullptr,
                       (cookieName + "=; path=/cachetest; expires=Thu, 01-Jan-1970 00:00:00 GMT").c_str());
    len = sizeof cookie;
    EXPECT_FALSE(InternetGetCookieA(cookieUrl.c_str(), nullptr, cookie, &len) &&
                 std::string(cookie).find(cookieName) != std::string::npos);
}
