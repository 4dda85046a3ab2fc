// The fonts a page is drawn with (plain, bold, underlined for links, large
// for headings, in every combination) and text measuring through them.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>

#include "PageLayout.h"

class WebFonts {
public:
    WebFonts();
    ~WebFonts();
    WebFonts(const WebFonts&) = delete;
    WebFonts& operator=(const WebFonts&) = delete;
    HFONT Font(int bits) const { return fonts_[bits & (kFontCount - 1)]; }

private:
    HFONT fonts_[kFontCount] = {};
};

class GdiTextMeasurer : public TextMeasurer {
public:
    static constexpr size_t kCachedLength = 32;
    // Widths kept per font; a page's usual words fit many times over, and
    // one of distinct numbers or addresses starts the font's cache afresh.
    static constexpr size_t kCachedWords = 4096;

    explicit GdiTextMeasurer(const WebFonts& fonts);
    ~GdiTextMeasurer() override;
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;
    int TextWidth(std::wstring_view text, int font) override;
    int LineHeight(int font) override;
    size_t FitCount(std::wstring_view text, int font, int maxWidth, int& width) override;

private:
    void Select(int font);
    const WebFonts& fonts_;
    HDC dc_;
    HGDIOBJ original_ = nullptr;
    int selected_ = -1;
    int lineHeights_[kFontCount] = {};
    std::unordered_map<std::wstring, int> cache_[kFontCount];  // words of kCachedLength or fewer, kCachedWords at most
};
