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
