#include "PageLayout.h"

#include <algorithm>
#include <initializer_list>
#include <unordered_set>

#include "HtmlEntities.h"

namespace {

constexpr int kMaxBoxSide = 8192;  // pictures and frames are never larger

bool OneOf(std::wstring_view s, std::initializer_list<std::wstring_view> set) {
    return std::find(set.begin(), set.end(), s) != set.end();
}

bool IsHidden(std::wstring_view n) {
    return OneOf(n, {L"head", L"title", L"script", L"style", L"noframes", L"select", L"textarea", L"input",
                     L"template", L"object", L"embed", L"applet", L"map", L"meta", L"link", L"base", L"frame"});
}

bool IsBlock(std::wstring_view n) {
    return OneOf(n, {L"div", L"p", L"ul", L"ol", L"li", L"dl", L"dt", L"dd", L"table", L"tr", L"form", L"h1",
                     L"h2", L"h3", L"h4", L"h5", L"h6", L"pre", L"blockquote", L"center", L"address", L"fieldset",
                     L"section", L"article", L"header", L"footer", L"nav", L"aside", L"menu", L"dir", L"body",
                     L"caption", L"legend", L"frameset"});
}

// Blocks set off from their neighbours by a blank half line.
bool HasBlockGap(std::wstring_view n) {
    return OneOf(n, {L"p", L"ul", L"ol", L"dl", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"pre", L"blockquote"});
}

bool IsIndented(std::wstring_view n) { return OneOf(n, {L"ul", L"ol", L"blockquote", L"dd", L"menu", L"dir"}); }

bool IsCollapsibleSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; }

// Characters between which a line may break even without a blank.
bool IsWideChar(wchar_t c) { return c >= 0x2E80 && !(c >= 0xD800 && c <= 0xDFFF) && c < 0xFF61; }

int ParseLength(const std::wstring* v) {
    if (!v) return -1;
    int n = 0, digits = 0;
    for (wchar_t c : *v) {
        if (c == L' ' && !digits) continue;
        if (c < L'0' || c > L'9' || digits >= 5) break;
        n = n * 10 + (c - L'0');
        ++digits;
    }
    if (!digits || v->find(L'%') != std::wstring::npos) return -1;
    return n;
}

struct Context {
    int font = 0;
    uint32_t colour = 0;
    const HtmlNode* link = nullptr;
    bool pre = false;
    int listNumber = 0;  // of the item within its numbered list
};

class Layouter {
public:
    Layouter(const LayoutInput& in, TextMeasurer& m) : in_(in), m_(m) {}

    PageLayout Run() {
        const HtmlNode* body = in_.tree->body;
        if (body && body->IsElement(L"frameset")) {
            if (in_.frame) AddBox(FrameBox(0, 0, in_.viewWidth, in_.viewHeight));
            out_.contentWidth = in_.viewWidth;
            out_.contentHeight = in_.viewHeight;
            return std::move(out_);
        }
        left_ = in_.style.marginX;
        right_ = std::max(in_.viewWidth - in_.style.marginX, left_ + 1);
        x_ = left_;
        lineTop_ = in_.style.marginY;
        Context ctx;
        ctx.colour = in_.style.text;
        if (body) Walk(*body, ctx, 0);
        EndLine();
        out_.contentHeight = lineTop_ + in_.style.marginY;
        for (const auto& b : out_.boxes) out_.contentWidth = std::max(out_.contentWidth, b.x + b.width + in_.style.marginX);
        return std::move(out_);
    }

private:
    LayoutBox FrameBox(int x, int y, int w, int h) {
        LayoutBox b;
        b.kind = LayoutBox::Kind::Frame;
        b.x = x, b.y = y, b.width = w, b.height = h;
        b.node = in_.frame;
        return b;
    }

    void AddBox(LayoutBox b) { out_.boxes.push_back(std::move(b)); }

    void Walk(const HtmlNode& node, Context ctx, size_t depth) {
        if (node.kind == HtmlNode::Kind::Comment) return;
        if (node.kind == HtmlNode::Kind::Text) {
            AddText(DecodeHtmlEntities(node.text), ctx);
            return;
        }
        const std::wstring& n = node.lowerName;
        if (IsHidden(n) || depth > kMaxHtmlDepth) return;
        if (n == L"br") {
            ForceLineBreak();
            return;
        }
        if (n == L"img") {
            AddImage(node, ctx);
            return;
        }
        if (n == L"iframe") {
            AddFrame(node);
            return;
        }
        if (n == L"hr") {
            BlockBoundary(m_.LineHeight(0) / 2);
            LayoutBox b;
            b.kind = LayoutBox::Kind::Rule;
            b.x = left_, b.y = lineTop_, b.width = right_ - left_, b.height = 2;
            b.colour = 0x808080;
            AddBox(b);
            lineTop_ += 2;
            BlockBoundary(m_.LineHeight(0) / 2);
            return;
        }
        ApplyStyle(node, ctx);
        const bool block = IsBlock(n);
        const int gap = HasBlockGap(n) && n != L"ul" && n != L"ol" ? m_.LineHeight(0) / 2 : 0;
        if (block) BlockBoundary(gap);
        const int savedLeft = left_;
        if (IsIndented(n)) left_ = std::min(left_ + 24, right_ - 1);
        if ((n == L"td" || n == L"th") && x_ > left_) {
            x_ += 8;  // cells of a row side by side, a little apart
            pendingSpace_ = false;
        }
        if (n == L"li") AddText(ListMarker(node, ctx), ctx);
        // Items of a numbered list count on as they come, not by counting
        // their elder siblings again for each one.
        int items = 0;
        for (const auto& c : node.children) {
            if (n == L"ol" && c->IsElement(L"li")) ctx.listNumber = ++items;
            Walk(*c, ctx, depth + 1);
        }
        left_ = savedLeft;
        if (block) BlockBoundary(gap);
    }

    void ApplyStyle(const HtmlNode& node, Context& ctx) {
        const std::wstring& n = node.lowerName;
        if (OneOf(n, {L"b", L"strong", L"th"})) ctx.font |= kFontBold;
        if (OneOf(n, {L"h1", L"h2", L"h3", L"h4", L"h5", L"h6"})) ctx.font |= kFontBold;
        if (n == L"h1" || n == L"h2") ctx.font |= kFontLarge;
        if (n == L"pre" || n == L"xmp" || n == L"plaintext") ctx.pre = true;
        if (n == L"font")
            if (auto c = ParseHtmlColour(node.AttributeOr(L"color"))) ctx.colour = *c;
        if (n == L"a" && node.Attribute(L"href")) {
            ctx.link = &node;
            ctx.font |= kFontUnderline;
            ctx.colour = in_.style.link;
        }
    }

    static std::wstring ListMarker(const HtmlNode& li, const Context& ctx) {
        if (!li.parent || !li.parent->IsElement(L"ol")) return L"\x2022 ";
        return std::to_wstring(ctx.listNumber) + L". ";
    }

    // Ends the current line (if anything is on it) and leaves `gap` pixels of space.
    void BlockBoundary(int gap) {
        EndLine();
        if (gap > lastGap_) {
            lineTop_ += gap - lastGap_;
            lastGap_ = gap;
        }
    }

    void ForceLineBreak() {
        if (line_.empty()) lineHeight_ = std::max(lineHeight_, m_.LineHeight(0));
        EndLine(true);
    }

    void EndLine(bool evenIfEmpty = false) {
        if (!line_.empty() || evenIfEmpty) {
            for (size_t i : line_) out_.boxes[i].y = lineTop_ + lineHeight_ - out_.boxes[i].height;
            lineTop_ += lineHeight_;
            lastGap_ = 0;
        }
        line_.clear();
        lineHeight_ = 0;
        x_ = left_;
        pendingSpace_ = false;
    }

    void Place(LayoutBox b) {
        b.x = x_;
        x_ += b.width;
        lineHeight_ = std::max(lineHeight_, b.height);
        line_.push_back(out_.boxes.size());
        AddBox(std::move(b));
    }

    void PlaceInline(LayoutBox b) {
        if (pendingSpace_) x_ += m_.TextWidth(L" ", 0);
        pendingSpace_ = false;
        if (x_ + b.width > right_ && x_ > left_) EndLine();
        Place(std::move(b));
    }

    void AddImage(const HtmlNode& img, const Context& ctx) {
        const BoxSize natural = in_.imageSize ? in_.imageSize(img) : BoxSize{};
        // 64 bits: a declared side times a natural one overflows an int.
        int64_t w = ParseLength(img.Attribute(L"width")), h = ParseLength(img.Attribute(L"height"));
        if (w < 0 && h < 0) w = natural.width, h = natural.height;
        else if (w < 0) w = natural.height ? int64_t{natural.width} * h / natural.height : 0;
        else if (h < 0) h = natural.width ? int64_t{natural.height} * w / natural.width : 0;
        if (w <= 0 || h <= 0) return;
        LayoutBox b;
        b.kind = LayoutBox::Kind::Image;
        b.width = static_cast<int>(std::min<int64_t>(w, kMaxBoxSide));
        b.height = static_cast<int>(std::min<int64_t>(h, kMaxBoxSide));
        b.node = &img;
        b.link = ctx.link;
        PlaceInline(std::move(b));
    }

    void AddFrame(const HtmlNode& frame) {
        int w = ParseLength(frame.Attribute(L"width")), h = ParseLength(frame.Attribute(L"height"));
        if (w < 0) w = 300;
        if (h < 0) h = 150;
        LayoutBox b = FrameBox(0, 0, std::min(w, kMaxBoxSide), std::min(h, kMaxBoxSide));
        if (&frame != in_.frame) b.node = nullptr;  // only the first frame has a document
        PlaceInline(std::move(b));
    }

    void AddWord(std::wstring_view word, const Context& ctx) {
        const int h = m_.LineHeight(ctx.font);
        int spaceW = pendingSpace_ && x_ > left_ ? m_.TextWidth(L" ", ctx.font) : 0;
        pendingSpace_ = false;
        if (ctx.pre) {  // never cut: past the edge if it must
            const int w = m_.TextWidth(word, ctx.font);
            if (x_ + spaceW + w > right_ && x_ > left_) {
                EndLine();
                spaceW = 0;
            }
            Append(word, spaceW, w, h, ctx);
            return;
        }
        for (;;) {
            int w = 0;
            size_t fit = m_.FitCount(word, ctx.font, right_ - x_ - spaceW, w);
            if (fit < word.size() && x_ > left_) {  // the word starts the next line
                EndLine();
                spaceW = 0;
                continue;
            }
            // A word wider than the whole line is cut where the line ends,
            // and each line takes at least one character of it.
            if (fit == 0) {
                fit = 1;
                w = m_.TextWidth(word.substr(0, 1), ctx.font);
            }
            Append(word.substr(0, fit), spaceW, w, h, ctx);
            if (fit == word.size()) return;
            EndLine();
            word.remove_prefix(fit);
            spaceW = 0;
        }
    }

    // Adds text to the line, joining it to the previous run of the same look.
    void Append(std::wstring_view text, int spaceW, int w, int h, const Context& ctx) {
        if (!line_.empty()) {
            LayoutBox& last = out_.boxes[line_.back()];
            if (last.kind == LayoutBox::Kind::Text && last.font == ctx.font && last.colour == ctx.colour &&
                last.link == ctx.link && last.x + last.width == x_) {
                if (spaceW) last.text += L' ';
                last.text += text;
                last.width += spaceW + w;
                x_ += spaceW + w;
                return;
            }
        }
        x_ += spaceW;
        LayoutBox b;
        b.kind = LayoutBox::Kind::Text;
        b.text = std::wstring(text);
        b.width = w;
        b.height = h;
        b.font = ctx.font;
        b.colour = ctx.colour;
        b.link = ctx.link;
        Place(std::move(b));
    }

    void AddText(const std::wstring& text, const Context& ctx) {
        if (ctx.pre) {
            AddPreformatted(text, ctx);
            return;
        }
        size_t i = 0;
        while (i < text.size()) {
            if (IsCollapsibleSpace(text[i])) {
                pendingSpace_ = true;
                ++i;
                continue;
            }
            size_t end = i + 1;
            if (!IsWideChar(text[i]))
                while (end < text.size() && !IsCollapsibleSpace(text[end]) && !IsWideChar(text[end])) ++end;
            AddWord(std::wstring_view(text).substr(i, end - i), ctx);
            i = end;
        }
    }

    void AddPreformatted(const std::wstring& text, const Context& ctx) {
        std::wstring line;
        auto flush = [&] {
            if (!line.empty()) AddWord(line, ctx);
            line.clear();
        };
        for (wchar_t c : text) {
            if (c == L'\r') continue;
            if (c == L'\n') {
                flush();
                ForceLineBreak();
            } else if (c == L'\t') {
                line.append(8 - line.size() % 8, L' ');
            } else {
                line += c;
            }
        }
        flush();
    }

    const LayoutInput& in_;
    TextMeasurer& m_;
    PageLayout out_;
    std::vector<size_t> line_;  // boxes on the current line
    int left_ = 0, right_ = 0, x_ = 0, lineTop_ = 0, lineHeight_ = 0, lastGap_ = 0;
    bool pendingSpace_ = false;
};

}  // namespace

size_t TextMeasurer::FitCount(std::wstring_view text, int font, int maxWidth, int& width) {
    width = 0;
    size_t fit = 0;
    for (; fit < text.size(); ++fit) {
        const int w = TextWidth(text.substr(fit, 1), font);
        if (w > maxWidth - width) break;
        width += w;
    }
    return fit;
}

const LayoutBox* PageLayout::HitTest(int x, int y) const {
    for (const auto& b : boxes)
        if (b.Contains(x, y)) return &b;
    return nullptr;
}

std::vector<const HtmlNode*> PageLayout::Links() const {
    std::vector<const HtmlNode*> links;
    std::unordered_set<const HtmlNode*> seen;
    for (const auto& b : boxes)
        if (b.link && seen.insert(b.link).second) links.push_back(b.link);
    return links;
}

PageLayout LayOutPage(const LayoutInput& input, TextMeasurer& measurer) { return Layouter(input, measurer).Run(); }
