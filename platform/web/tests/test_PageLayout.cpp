// Layout arithmetic with a fixed-width measurer, and the page-wide style.
#include <gtest/gtest.h>

#include "BodyCharset.h"
#include "BuiltInPages.h"
#include "HtmlTree.h"
#include "PageLayout.h"
#include "PageStyle.h"

namespace {

// Every character 6 pixels wide (12 in the large font), lines 10 pixels high.
class FixedMeasurer : public TextMeasurer {
public:
    int TextWidth(std::wstring_view text, int font) override {
        return static_cast<int>(text.size()) * ((font & kFontLarge) ? 12 : 6);
    }
    int LineHeight(int font) override { return (font & kFontLarge) ? 20 : 10; }
};

PageLayout Lay(const HtmlTree& tree, int width, BoxSize imageSize = {}) {
    FixedMeasurer m;
    LayoutInput in;
    in.tree = &tree;
    in.style = ComputePageStyle(tree);
    in.viewWidth = width;
    in.viewHeight = 300;
    in.imageSize = [imageSize](const HtmlNode&) { return imageSize; };
    return LayOutPage(in, m);
}

std::vector<std::wstring> Lines(const PageLayout& layout) {
    std::vector<std::wstring> lines;
    int lastY = -1;
    for (const auto& b : layout.boxes) {
        if (b.kind != LayoutBox::Kind::Text) continue;
        if (b.y != lastY) lines.emplace_back();
        else lines.back() += L"|";
        lines.back() += b.text;
        lastY = b.y;
    }
    return lines;
}

}  // namespace

TEST(PageLayoutTest, WrapsWordsAtTheViewWidth) {
    // 8 px margins each side: 84 px of line, 14 characters.
    HtmlTree tree = BuildHtmlTree(L"<body>alpha beta gamma delta epsilon</body>");
    EXPECT_EQ(Lines(Lay(tree, 100)), (std::vector<std::wstring>{L"alpha beta", L"gamma delta", L"epsilon"}));
    const PageLayout layout = Lay(tree, 100);
    EXPECT_EQ(layout.boxes[0].x, 8);
    EXPECT_EQ(layout.boxes[0].y, 8);
    EXPECT_EQ(layout.boxes[1].y, 18);
    EXPECT_EQ(layout.contentHeight, 8 + 30 + 8);
}

TEST(PageLayoutTest, BreaksChineseTextAnywhereAndCutsOverlongWords) {
    HtmlTree tree = BuildHtmlTree(L"\x4E00\x4E8C\x4E09\x56DB\x4E94\x516D\x4E03\x516B\x4E5D\x5341 aaaaaaaaaaaaaaaaaaaa");
    const auto lines = Lines(Lay(tree, 16 + 36));  // six characters per line
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], L"\x4E00\x4E8C\x4E09\x56DB\x4E94\x516D");
    EXPECT_EQ(lines[1], L"\x4E03\x516B\x4E5D\x5341");
    EXPECT_EQ(lines[2], L"aaaaaa");
}

TEST(PageLayoutTest, BlocksBreakLinesAndHiddenContentTakesNoSpace) {
    HtmlTree tree = BuildHtmlTree(
        L"<head><title>T</title><style>b{}</style></head><body>a<div>b</div>c<br>d<script>x</script>"
        L"<select><option>o</select><ul><li>e<li>f</ul><ol><li>g</ol></body>");
    EXPECT_EQ(Lines(Lay(tree, 400)),
              (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"\x2022 e", L"\x2022 f", L"1. g"}));
}

TEST(PageLayoutTest, LinksAndImagesAreBoxesThatHitTest) {
    HtmlTree tree = BuildHtmlTree(L"<body leftmargin=0 topmargin=0>go <a href=\"/x\">here <img src=a.png></a> now<img src=b.png width=5 height=4></body>");
    const PageLayout layout = Lay(tree, 400, {20, 30});
    // The line is as high as the tallest picture; text sits on its bottom.
    const LayoutBox* word = layout.HitTest(1, 25);
    ASSERT_TRUE(word);
    EXPECT_EQ(word->text, L"go");
    EXPECT_EQ(word->link, nullptr);
    const LayoutBox* link = layout.HitTest(20, 25);
    ASSERT_TRUE(link && link->link);
    EXPECT_EQ(link->link->AttributeOr(L"href"), L"/x");
    EXPECT_TRUE(link->font & kFontUnderline);
    const LayoutBox* img = layout.HitTest(6 * 8 + 1, 1);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->kind, LayoutBox::Kind::Image);
    EXPECT_EQ(img->height, 30);
    EXPECT_EQ(img->link, link->link);
    EXPECT_EQ(layout.Links().size(), 1u);
    const LayoutBox& sized = layout.boxes.back();
    EXPECT_EQ(sized.width, 5);
    EXPECT_EQ(sized.height, 4);
}

TEST(PageStyleTest, BackgroundMarginsAndScrollBar) {
    // The help page: a colour rule for body, then a later "background: transparent".
    HtmlTree help = BuildHtmlTree(
        L"<style>body {background-color: #b6f4f4;}\r\nhtml, body{margin: 0;padding: 0; background: transparent;}</style>"
        L"<body scroll=\"no\">x</body>");
    PageStyle s = ComputePageStyle(help);
    EXPECT_EQ(s.background, 0xF4F4B6u);
    EXPECT_EQ(s.marginX, 0);
    EXPECT_FALSE(s.scrollBar);
    PageStyle plain = ComputePageStyle(BuildHtmlTree(L"<body bgcolor=red style=\"color: #123\">"));
    EXPECT_EQ(plain.background, 0x0000FFu);
    EXPECT_EQ(plain.text, 0x332211u);
    EXPECT_TRUE(plain.scrollBar);
}

TEST(BodyCharsetTest, PicksTheCharacterSet) {
    EXPECT_EQ(SniffBodyCharset("\xEF\xBB\xBFx", L"").codePage, 65001u);
    EXPECT_EQ(SniffBodyCharset("\xEF\xBB\xBFx", L"").bomLength, 3u);
    EXPECT_EQ(SniffBodyCharset("x", L"text/html; charset=GB2312").codePage, 936u);
    EXPECT_EQ(SniffBodyCharset("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\">", L"").codePage, 950u);
    EXPECT_EQ(SniffBodyCharset("\xE4\xB8\xAD", L"text/html").codePage, 65001u);
    EXPECT_EQ(SniffBodyCharset("\xD6\xD0\xCE\xC4", L"text/html").codePage, 936u);
    EXPECT_TRUE(LooksBinary(std::string("GIF89a\0\0", 8)));
    EXPECT_FALSE(LooksBinary(std::string("\xFF\xFEh\0i\0", 6)));
}

TEST(BuiltInPagesTest, ClassifiesBodiesAndMakesTheErrorPage) {
    EXPECT_EQ(ClassifyBody(L"image/gif", L"http://h/x", "GIF89a"), BodyKind::Image);
    EXPECT_EQ(ClassifyBody(L"", L"file:///C:/Skin/Loading.GIF", "GIF89a"), BodyKind::Image);
    EXPECT_EQ(ClassifyBody(L"application/octet-stream", L"http://h/x", std::string("MZ\0\0", 4)), BodyKind::Binary);
    EXPECT_EQ(ClassifyBody(L"text/plain", L"http://h/x", "a<b"), BodyKind::PlainText);
    EXPECT_EQ(ClassifyBody(L"", L"file:///C:/a.html", "<p>"), BodyKind::Html);
    const std::wstring page = ErrorPageMarkup(L"http://h/<x>", L"why");
    EXPECT_NE(page.find(L"无法找到该页"), std::wstring::npos);
    EXPECT_NE(page.find(L"http://h/&lt;x&gt;"), std::wstring::npos);
}
