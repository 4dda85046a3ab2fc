// Layout arithmetic of a page: text in lines that wrap at the view's width
// (between words, and between any two Chinese characters), line breaks
// around block elements, list and quote indents, images and the first
// frame as inline boxes. Text is measured through an interface so the
// arithmetic holds no drawing code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "HtmlTree.h"
#include "PageStyle.h"

// Font variations the layout asks for, combined as bits.
enum FontBits : int { kFontBold = 1, kFontUnderline = 2, kFontLarge = 4, kFontCount = 8 };

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int TextWidth(std::wstring_view text, int font) = 0;
    virtual int LineHeight(int font) = 0;
    // How many leading characters of the text fit in maxWidth pixels, and
    // their width. It costs what fits, not the whole text, so that a long
    // word is cut line by line in time linear in its length. This one
    // measures a character at a time.
    virtual size_t FitCount(std::wstring_view text, int font, int maxWidth, int& width);
};

struct BoxSize {
    int width = 0, height = 0;
};

struct LayoutBox {
    enum class Kind { Text, Image, Frame, Rule };
    Kind kind = Kind::Text;
    int x = 0, y = 0, width = 0, height = 0;
    std::wstring text;
    int font = 0;
    uint32_t colour = 0;
    const HtmlNode* node = nullptr;  // the IMG, IFRAME or FRAME element
    const HtmlNode* link = nullptr;  // the enclosing <a href>, if any

    bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

struct PageLayout {
    std::vector<LayoutBox> boxes;
    int contentWidth = 0;
    int contentHeight = 0;

    // The box under the point (page coordinates), or nullptr.
    const LayoutBox* HitTest(int x, int y) const;
    // Links in the order they first appear on the page.
    std::vector<const HtmlNode*> Links() const;
};

struct LayoutInput {
    const HtmlTree* tree = nullptr;
    PageStyle style;
    int viewWidth = 0;
    int viewHeight = 0;
    const HtmlNode* frame = nullptr;  // the frame element shown (first FRAME or IFRAME)
    // Natural size of a loaded picture; {0, 0} while it is not (yet) loaded.
    std::function<BoxSize(const HtmlNode& img)> imageSize;
};

PageLayout LayOutPage(const LayoutInput& input, TextMeasurer& measurer);
