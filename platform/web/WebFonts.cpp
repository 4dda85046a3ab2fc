#include "WebFonts.h"

#include <algorithm>

WebFonts::WebFonts() {
    for (int bits = 0; bits < kFontCount; ++bits) {
        LOGFONTW lf{};
        lf.lfHeight = (bits & kFontLarge) ? -18 : -12;
        lf.lfWeight = (bits & kFontBold) ? FW_BOLD : FW_NORMAL;
        lf.lfUnderline = (bits & kFontUnderline) ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        wcscpy_s(lf.lfFaceName, L"SimSun");
        fonts_[bits] = CreateFontIndirectW(&lf);
    }
}

WebFonts::~WebFonts() {
    for (HFONT f : fonts_)
        if (f) DeleteObject(f);
}

GdiTextMeasurer::GdiTextMeasurer(const WebFonts& fonts) : fonts_(fonts), dc_(CreateCompatibleDC(nullptr)) {}

GdiTextMeasurer::~GdiTextMeasurer() {
    if (original_) SelectObject(dc_, original_);
    if (dc_) DeleteDC(dc_);
}

void GdiTextMeasurer::Select(int font) {
    if (font == selected_ || !dc_) return;
    HGDIOBJ old = SelectObject(dc_, fonts_.Font(font));
    if (!original_) original_ = old;
    selected_ = font;
}

int GdiTextMeasurer::TextWidth(std::wstring_view text, int font) {
    font &= kFontCount - 1;
    const bool cacheable = text.size() <= kCachedLength;
    if (cacheable) {
        auto it = cache_[font].find(std::wstring(text));
        if (it != cache_[font].end()) return it->second;
    }
    Select(font);
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    if (cacheable) {
        if (cache_[font].size() >= kCachedWords) cache_[font] = {};  // also gives back the buckets
        cache_[font].emplace(std::wstring(text), size.cx);
    }
    return size.cx;
}

int GdiTextMeasurer::LineHeight(int font) {
    font &= kFontCount - 1;
    if (!lineHeights_[font]) {
        Select(font);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        lineHeights_[font] = tm.tmHeight + tm.tmExternalLeading + 2;
        if (lineHeights_[font] <= 2) lineHeights_[font] = 16;
    }
    return lineHeights_[font];
}

size_t GdiTextMeasurer::FitCount(std::wstring_view text, int font, int maxWidth, int& width) {
    width = 0;
    if (text.size() <= kCachedLength) {  // most words fit whole, and are measured from the cache
        const int whole = TextWidth(text, font);
        if (whole <= maxWidth) {
            width = whole;
            return text.size();
        }
    }
    Select(font & (kFontCount - 1));
    // A slice at a time, so that a cut costs what it keeps.
    constexpr int kSlice = 256;
    int ends[kSlice];
    size_t fit = 0;
    while (fit < text.size() && maxWidth - width >= 0) {
        const int count = static_cast<int>(std::min<size_t>(kSlice, text.size() - fit));
        int inSlice = 0;
        SIZE size{};
        if (!GetTextExtentExPointW(dc_, text.data() + fit, count, maxWidth - width, &inSlice, ends, &size)) break;
        if (inSlice < count) {
            if (inSlice > 0) width += ends[inSlice - 1];
            return fit + inSlice;
        }
        width += size.cx;
        fit += count;
    }
    return fit;
}
