// The few page-wide presentation settings the view honours: the background
// colour and margins of the body (from its attributes, the style sheets'
// rules for "body" and its inline style, later ones winning) and whether
// the page switched its scroll bar off (<body scroll="no">).
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "HtmlTree.h"

struct PageStyle {
    uint32_t background = 0xFFFFFF;  // 0x00BBGGRR, as a Windows COLORREF
    uint32_t text = 0x000000;
    uint32_t link = 0xFF0000;        // blue
    int marginX = 8;
    int marginY = 8;
    bool scrollBar = true;
};

PageStyle ComputePageStyle(const HtmlTree& tree);

// "#rgb", "#rrggbb", "rrggbb", "rgb(r,g,b)" or a basic colour name, as a COLORREF.
std::optional<uint32_t> ParseHtmlColour(std::wstring_view text);
