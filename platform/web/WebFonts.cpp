#include "WebFonts.h"

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
    const bool cacheable = text.size() <= 32;
    if (cacheable) {
        auto it = cache_[font].find(std::wstring(text));
        if (it != cache_[font].end()) return it->second;
    }
    Select(font);
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    if (cacheable) cache_[font].emplace(std::wstring(text), size.cx);
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
