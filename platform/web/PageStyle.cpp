#include "PageStyle.h"

#include <cwctype>
#include <string>
#include <vector>

namespace {

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && std::iswspace(s.front())) s.remove_prefix(1);
    while (!s.empty() && std::iswspace(s.back())) s.remove_suffix(1);
    return s;
}

uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

int Hex(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

std::vector<std::wstring_view> SplitOn(std::wstring_view s, wchar_t sep) {
    std::vector<std::wstring_view> parts;
    for (;;) {
        const size_t at = s.find(sep);
        parts.push_back(s.substr(0, at));
        if (at == std::wstring_view::npos) return parts;
        s.remove_prefix(at + 1);
    }
}

// A length such as "0", "10px" or "10": the number of pixels.
std::optional<int> ParsePixels(std::wstring_view v) {
    v = Trim(v);
    int n = 0;
    size_t i = 0;
    for (; i < v.size() && i < 5 && v[i] >= L'0' && v[i] <= L'9'; ++i) n = n * 10 + (v[i] - L'0');
    if (i == 0) return std::nullopt;
    const std::wstring_view unit = v.substr(i);
    if (!unit.empty() && unit != L"px") return std::nullopt;
    return n;
}

void ApplyDeclarations(std::wstring_view block, PageStyle& style) {
    for (std::wstring_view decl : SplitOn(block, L';')) {
        const size_t colon = decl.find(L':');
        if (colon == std::wstring_view::npos) continue;
        std::wstring prop(Trim(decl.substr(0, colon)));
        for (wchar_t& c : prop) c = static_cast<wchar_t>(std::towlower(c));
        std::wstring_view value = Trim(decl.substr(colon + 1));
        if (prop == L"background-color" || prop == L"background") {
            // A background without a colour (transparent, an image) leaves the colour as it was.
            for (std::wstring_view word : SplitOn(value, L' '))
                if (auto c = ParseHtmlColour(word)) {
                    style.background = *c;
                    break;
                }
        } else if (prop == L"color") {
            if (auto c = ParseHtmlColour(value)) style.text = *c;
        } else if (prop == L"margin") {
            if (auto px = ParsePixels(SplitOn(value, L' ').front())) style.marginX = style.marginY = *px;
        }
    }
}

void ApplyStyleSheet(std::wstring_view sheet, PageStyle& style) {
    std::wstring clean;
    for (size_t i = 0; i < sheet.size();) {  // comments out
        if (sheet.substr(i, 2) == L"/*") {
            const size_t end = sheet.find(L"*/", i + 2);
            i = end == std::wstring_view::npos ? sheet.size() : end + 2;
        } else {
            clean += sheet[i++];
        }
    }
    for (std::wstring_view rule : SplitOn(clean, L'}')) {
        const size_t brace = rule.find(L'{');
        if (brace == std::wstring_view::npos) continue;
        bool forBody = false;
        for (std::wstring_view sel : SplitOn(rule.substr(0, brace), L',')) {
            std::wstring s(Trim(sel));
            for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
            forBody = forBody || s == L"body";
        }
        if (forBody) ApplyDeclarations(rule.substr(brace + 1), style);
    }
}

void CollectStyleSheets(const HtmlNode& node, PageStyle& style) {
    if (node.IsElement(L"style")) {
        ApplyStyleSheet(node.TextContent(), style);
        return;
    }
    for (const auto& c : node.children)
        if (c->kind == HtmlNode::Kind::Element) CollectStyleSheets(*c, style);
}

}  // namespace

std::optional<uint32_t> ParseHtmlColour(std::wstring_view text) {
    text = Trim(text);
    if (!text.empty() && text[0] == L'#') text.remove_prefix(1);
    if (text.size() == 6 || text.size() == 3) {
        int v[6];
        bool ok = true;
        for (size_t i = 0; i < text.size(); ++i) ok = ok && (v[i] = Hex(text[i])) >= 0;
        if (ok && text.size() == 6) return Rgb(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
        if (ok) return Rgb(v[0] * 17, v[1] * 17, v[2] * 17);
    }
    std::wstring lower(text);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    if (lower.rfind(L"rgb(", 0) == 0 && lower.back() == L')') {
        auto parts = SplitOn(std::wstring_view(lower).substr(4, lower.size() - 5), L',');
        if (parts.size() == 3) {
            unsigned c[3];
            for (int i = 0; i < 3; ++i) {
                auto px = ParsePixels(parts[i]);
                if (!px) return std::nullopt;
                c[i] = *px > 255 ? 255 : static_cast<unsigned>(*px);
            }
            return Rgb(c[0], c[1], c[2]);
        }
    }
    struct Named { const wchar_t* name; uint32_t rgb; };
    static const Named kNames[] = {
        {L"white", Rgb(255, 255, 255)}, {L"black", Rgb(0, 0, 0)},       {L"red", Rgb(255, 0, 0)},
        {L"green", Rgb(0, 128, 0)},     {L"blue", Rgb(0, 0, 255)},      {L"yellow", Rgb(255, 255, 0)},
        {L"gray", Rgb(128, 128, 128)},  {L"grey", Rgb(128, 128, 128)},  {L"silver", Rgb(192, 192, 192)},
        {L"maroon", Rgb(128, 0, 0)},    {L"navy", Rgb(0, 0, 128)},      {L"purple", Rgb(128, 0, 128)},
        {L"teal", Rgb(0, 128, 128)},    {L"olive", Rgb(128, 128, 0)},   {L"lime", Rgb(0, 255, 0)},
        {L"aqua", Rgb(0, 255, 255)},    {L"fuchsia", Rgb(255, 0, 255)}, {L"orange", Rgb(255, 165, 0)},
    };
    for (const auto& n : kNames)
        if (lower == n.name) return n.rgb;
    return std::nullopt;
}

PageStyle ComputePageStyle(const HtmlTree& tree) {
    PageStyle style;
    const HtmlNode* body = tree.body;
    if (!body) return style;
    if (auto c = ParseHtmlColour(body->AttributeOr(L"bgcolor"))) style.background = *c;
    if (auto c = ParseHtmlColour(body->AttributeOr(L"text"))) style.text = *c;
    if (auto c = ParseHtmlColour(body->AttributeOr(L"link"))) style.link = *c;
    if (auto px = ParsePixels(body->AttributeOr(L"leftmargin", body->AttributeOr(L"marginwidth")))) style.marginX = *px;
    if (auto px = ParsePixels(body->AttributeOr(L"topmargin", body->AttributeOr(L"marginheight")))) style.marginY = *px;
    CollectStyleSheets(*tree.documentElement, style);
    if (const std::wstring* inline_ = body->Attribute(L"style")) ApplyDeclarations(*inline_, style);
    std::wstring scroll = body->AttributeOr(L"scroll");
    for (wchar_t& c : scroll) c = static_cast<wchar_t>(std::towlower(c));
    style.scrollBar = scroll != L"no";
    return style;
}
