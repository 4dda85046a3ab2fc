// The document tree and the document object: markup written back as the
// page wrote it, tolerant repair of bad markup, title, active element,
// links, open/writeln/close.
#include <gtest/gtest.h>

#include <string>

#include "HtmlDocument.h"
#include "RaisedError.h"

namespace {

std::shared_ptr<HtmlDocument> Doc(std::wstring_view markup, std::wstring url = L"http://host/dir/page.html") {
    return std::make_shared<HtmlDocument>(std::move(url), markup);
}

std::wstring Outer(std::wstring_view markup) { return Doc(markup)->documentElement().outerHTML(); }

// What the sign-in, registration and update pages do with a reply page.
std::wstring CaptureReply(std::wstring text) {
    for (const wchar_t* cut : {L"<", L">", L"/", L"HEAD", L"BODY", L"HTML", L"\n", L"\r", L"\t", L" "})
        for (size_t at; (at = text.find(cut)) != std::wstring::npos;) text.erase(at, wcslen(cut));
    return text;
}

}  // namespace

TEST(HtmlDocumentTest, BareRepliesGetCapitalisedImpliedElements) {
    EXPECT_EQ(Outer(L"3.1|server\\dir\\setup.exe"), L"<HTML><HEAD></HEAD><BODY>3.1|server\\dir\\setup.exe</BODY></HTML>");
    EXPECT_EQ(CaptureReply(Outer(L"3.1|server\\dir\\setup.exe")), L"3.1|server\\dir\\setup.exe");
    EXPECT_EQ(CaptureReply(Outer(L"0\r\n")), L"0");
    EXPECT_EQ(CaptureReply(Outer(L"<HTML><BODY>0</BODY></HTML>")), L"0");
    // Pages that write their elements in small letters capture the same.
    EXPECT_EQ(CaptureReply(Outer(L"<html><body>0</body></html>")), L"0");
    EXPECT_EQ(CaptureReply(Outer(L"<Html>\n<head></head><bOdY>0</bOdY></hTmL>")), L"0");
    EXPECT_EQ(Outer(L""), L"<HTML><HEAD></HEAD><BODY></BODY></HTML>");
}

TEST(HtmlDocumentTest, WritesElementNamesInCapitalsAndAttributesAndTextAsWritten) {
    const std::wstring page =
        L"<!DOCTYPE html><html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>T &amp; U</title>"
        L"<meta charset=utf-8 /></head><Body scroll=\"no\" BGCOLOR='#fff'><P>a &lt; b<br/>c</P></Body></html>";
    EXPECT_EQ(Outer(page),
              L"<HTML xmlns=\"http://www.w3.org/1999/xhtml\"><HEAD><TITLE>T &amp; U</TITLE><META charset=utf-8 />"
              L"</HEAD><BODY scroll=\"no\" BGCOLOR='#fff'><P>a &lt; b<BR/>c</P></BODY></HTML>");
    EXPECT_EQ(Doc(page)->title(), L"T & U");
}

TEST(HtmlDocumentTest, RepairsBrokenMarkup) {
    // Paragraphs and list items close each other; stray end tags vanish.
    EXPECT_EQ(Outer(L"<p>a<p>b</span><ul><li>x<li>y</ul>"),
              L"<HTML><HEAD></HEAD><BODY><P>a</P><P>b</P><UL><LI>x</LI><LI>y</LI></UL></BODY></HTML>");
    // A tag cut off by the end of the page is dropped; what came before stays.
    EXPECT_EQ(Outer(L"<div>text<a href=\"x"), L"<HTML><HEAD></HEAD><BODY><DIV>text</DIV></BODY></HTML>");
    // Unclosed elements end with their parent, and content after </html> still counts.
    EXPECT_EQ(Outer(L"<b><i>x</b>y</html>z"), L"<HTML><HEAD></HEAD><BODY><B><I>x</I></B>yz</BODY></HTML>");
    // An end tag before anything was opened is ignored.
    EXPECT_EQ(Outer(L"</fRameset>x</frameset>"), L"<HTML><HEAD></HEAD><BODY>x</BODY></HTML>");
    // A lone "<" is text.
    EXPECT_EQ(Outer(L"1 < 2 <3"), L"<HTML><HEAD></HEAD><BODY>1 < 2 <3</BODY></HTML>");
    // Script and style content is not markup.
    auto doc = Doc(L"<script>if (a<b) document.write('<a href=x>')</script><a href=\"y\">y</a>");
    EXPECT_NE(doc->documentElement().outerHTML().find(L"document.write('<a href=x>')</SCRIPT>"), std::wstring::npos);
}

TEST(HtmlDocumentTest, DeepNestingAndGarbageDoNotBreakIt) {
    std::wstring deep;
    for (int i = 0; i < 50000; ++i) deep += L"<div>";
    deep += L"bottom";
    const std::wstring out = Outer(deep);
    EXPECT_NE(out.find(L"bottom"), std::wstring::npos);
    std::wstring garbage;
    for (int i = 0; i < 20000; ++i) garbage += static_cast<wchar_t>((i * 7919) % 0x2FF + 1);
    garbage += L"<<<>>><!--<![CDATA[</</>";
    EXPECT_NO_THROW(Outer(garbage));
}

TEST(HtmlDocumentTest, ActiveElementHrefAndType) {
    auto doc = Doc(L"<base href=\"http://other/base/\"><a href=\"../x.html?a=1\" type=\"8\">x</a>"
                   L"<a href=\"javascript:CALL_API('WebTable,N|t|u')\">c</a>");
    // Nothing activated yet: the body, which has no link.
    EXPECT_EQ(doc->activeElement().href(), L"");
    EXPECT_EQ(doc->activeElement().Node().lowerName, L"body");
    const HtmlNode* first = doc->Tree().body->Find(L"a");
    doc->SetActive(first);
    EXPECT_EQ(doc->activeElement().href(), L"http://other/x.html?a=1");
    EXPECT_EQ(doc->activeElement().type(), L"8");
    doc->SetActive(doc->Tree().body->children[1].get());
    EXPECT_EQ(doc->activeElement().href(), L"javascript:CALL_API('WebTable,N|t|u')");
}

TEST(HtmlDocumentTest, OpenWritelnCloseReplacesTheContent) {
    auto doc = Doc(L"<title>old</title>old <a href=/x>body</a>", L"about:blank");
    doc->SetActive(doc->Tree().body->Find(L"a"));
    const HtmlElement before = doc->activeElement();
    doc->open();
    doc->writeln(L"<html>");
    doc->writeln(L" <head><title>Help</title></head>");
    doc->writeln(L"<body scroll=\"no\">Intro</body>");
    doc->writeln(L" </html> ");
    doc->close();
    const std::wstring out = doc->documentElement().outerHTML();
    EXPECT_EQ(out.find(L"old"), std::wstring::npos);
    EXPECT_EQ(out.rfind(L"<HTML><HEAD><TITLE>Help</TITLE></HEAD>", 0), 0u) << out;
    EXPECT_NE(out.find(L"<BODY scroll=\"no\">Intro\r\n"), std::wstring::npos) << out;
    EXPECT_EQ(out.substr(out.size() - 14), L"</BODY></HTML>");
    EXPECT_EQ(doc->title(), L"Help");
    // An element taken before the rewrite still reads as it was.
    EXPECT_EQ(before.outerHTML(), L"<A href=/x>body</A>");
    EXPECT_EQ(doc->activeElement().Node().lowerName, L"body");
}

TEST(HtmlDocumentTest, WindowAccessWithoutAWindowRaises) {
    auto doc = Doc(L"<iframe src=x></iframe>");
    EXPECT_THROW(doc->frames(0), RaisedError);
    EXPECT_THROW(doc->parentWindow(), RaisedError);
    EXPECT_TRUE(doc->FirstFrame() && doc->FirstFrame()->IsElement(L"iframe"));
}

TEST(HtmlDocumentTest, FirstFrameInDocumentOrder) {
    auto doc = Doc(L"<frameset><frame name=a src=1><frame name=b src=2></frameset>");
    ASSERT_TRUE(doc->FirstFrame());
    EXPECT_EQ(doc->FirstFrame()->AttributeOr(L"name"), L"a");
    EXPECT_TRUE(doc->Tree().body->IsElement(L"frameset"));
}
