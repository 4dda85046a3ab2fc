// Address handling: relative links, local files, special schemes.
#include <gtest/gtest.h>

#include "WebUrl.h"

TEST(WebUrlTest, ResolvesRelativeReferences) {
    const std::wstring base = L"http://h:81/a/b/c.html?q=1#f";
    EXPECT_EQ(ResolveUrl(base, L"d.html"), L"http://h:81/a/b/d.html");
    EXPECT_EQ(ResolveUrl(base, L"../d.html"), L"http://h:81/a/d.html");
    EXPECT_EQ(ResolveUrl(base, L"../../../d.html"), L"http://h:81/d.html");
    EXPECT_EQ(ResolveUrl(base, L"/x/./y"), L"http://h:81/x/y");
    EXPECT_EQ(ResolveUrl(base, L"?z=2"), L"http://h:81/a/b/c.html?z=2");
    EXPECT_EQ(ResolveUrl(base, L"#top"), L"http://h:81/a/b/c.html?q=1#top");
    EXPECT_EQ(ResolveUrl(base, L"//other/p"), L"http://other/p");
    EXPECT_EQ(ResolveUrl(base, L"  https://x/y  "), L"https://x/y");
    EXPECT_EQ(ResolveUrl(L"http://h", L"p.html"), L"http://h/p.html");
    EXPECT_EQ(ResolveUrl(L"about:blank", L"p.html"), L"p.html");
}

TEST(WebUrlTest, LocalFilesBecomeFileUrlsAndBack) {
    EXPECT_EQ(NormalizeNavigationUrl(L"C:\\Program Files\\x\\Loading.gif"), L"file:///C:/Program%20Files/x/Loading.gif");
    EXPECT_EQ(FileUrlToPath(L"file:///C:/Program%20Files/x/Loading.gif"), L"C:\\Program Files\\x\\Loading.gif");
    EXPECT_EQ(FileUrlToPath(L"file:///C:/%E4%B8%AD.html"), L"C:\\\x4E2D.html");
    EXPECT_EQ(ResolveUrl(L"file:///C:/dir/page.html", L"img/a.png"), L"file:///C:/dir/img/a.png");
    EXPECT_EQ(FileUrlToPath(L"http://h/x"), L"");
}

TEST(WebUrlTest, SchemesAndSpecialAddresses) {
    EXPECT_EQ(NormalizeNavigationUrl(L"about:blank "), L"about:blank");
    EXPECT_EQ(NormalizeNavigationUrl(L"www.example.com/x"), L"http://www.example.com/x");
    EXPECT_TRUE(IsJavascriptUrl(L"JavaScript:CALL_API('x')"));
    EXPECT_FALSE(IsJavascriptUrl(L"http://h/javascript:x"));
    EXPECT_EQ(UrlScheme(L"C:\\x"), L"");
    EXPECT_EQ(UrlFileName(L"http://h/a/b/Loading.gif?x=1"), L"Loading.gif");
}

// Every form a share, a pipe or a file outside the folder can take is
// refused; only the program and local documents reach the folder's files.
TEST(WebUrlTest, PagesFromTheNetworkReachNoLocalFile) {
    const std::wstring folder = L"C:\\Program Files\\Orvane";
    const std::wstring page = L"http://portal/game.html", local = L"file:///C:/Program%20Files/Orvane/Skin/a.html";
    const std::wstring skin = L"file:///C:/Program%20Files/Orvane/Skin/Loading.gif";
    for (const std::wstring& from : {page, std::wstring(L"about:blank")}) {
        EXPECT_TRUE(MayLoad(from, L"https://x/a.png", LoadKind::Resource, folder));
        EXPECT_TRUE(MayLoad(from, L"about:blank", LoadKind::Navigation, folder));
        EXPECT_FALSE(MayLoad(from, L"about:blank", LoadKind::Resource, folder));
        EXPECT_FALSE(MayLoad(from, skin, LoadKind::Resource, folder));
        EXPECT_FALSE(MayLoad(from, skin, LoadKind::Navigation, folder));
    }
    EXPECT_TRUE(MayLoad(L"", skin, LoadKind::Navigation, folder));
    EXPECT_TRUE(MayLoad(local, skin, LoadKind::Resource, folder));
    EXPECT_TRUE(MayLoad(L"", L"file://localhost/C:/Program%20Files/ORVANE/x.gif", LoadKind::Navigation, folder));
    EXPECT_TRUE(MayLoad(L"", L"file:///C:/Program%20Files/Orvane//Skin/x.gif", LoadKind::Navigation, folder));
    for (const wchar_t* url :
         {L"file://server/share/x.gif", L"file://./pipe/x", L"file:///%5C%5Cserver/share/x.gif", L"file:////server/x",
          L"file:///C:/Program%20Files/Orvane/../secret.txt", L"file:///C:/Program%20Files/OrvaneX/a.gif",
          L"file:///C:/Program%20Files/Orvane", L"file:///C:/Program%20Files/Orvane/a.gif%20",
          L"file:///C:/Program%20Files/Orvane/a.gif:stream", L"file:///D:/Program%20Files/Orvane/a.gif",
          L"file:Orvane/a.gif", L"ftp://x/a.gif", L"javascript:x", L"res://x.dll/a"}) {
        EXPECT_FALSE(MayLoad(L"", url, LoadKind::Navigation, folder)) << url;
        EXPECT_FALSE(MayLoad(local, url, LoadKind::Resource, folder)) << url;
    }
    EXPECT_FALSE(MayLoad(L"", LocalPathToFileUrl(L"\\\\server\\share\\x.html"), LoadKind::Navigation, folder));
}
