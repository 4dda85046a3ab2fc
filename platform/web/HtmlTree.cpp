#include "HtmlTree.h"

#include <algorithm>
#include <initializer_list>

#include "HtmlEntities.h"

namespace {

bool OneOf(std::wstring_view s, std::initializer_list<std::wstring_view> set) {
    return std::find(set.begin(), set.end(), s) != set.end();
}

bool IsHeadElement(std::wstring_view n) {
    return OneOf(n, {L"title", L"meta", L"link", L"style", L"script", L"base"});
}

// Start tags that end an open paragraph.
bool ClosesParagraph(std::wstring_view n) {
    return OneOf(n, {L"p", L"div", L"ul", L"ol", L"dl", L"table", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6",
                     L"pre", L"blockquote", L"form", L"center", L"hr", L"address", L"fieldset", L"menu",
                     L"dir", L"section", L"article", L"header", L"footer", L"nav", L"aside"});
}

bool IsHeading(std::wstring_view n) { return OneOf(n, {L"h1", L"h2", L"h3", L"h4", L"h5", L"h6"}); }

std::unique_ptr<HtmlNode> MakeElement(const HtmlToken& t) {
    auto n = std::make_unique<HtmlNode>();
    n->name = AsciiUpper(t.name);
    n->lowerName = AsciiLower(t.name);
    n->attributes = t.attributes;
    // The start tag as written, its name in capitals: the reply captures
    // remove "<HTML>", "<HEAD>" and "<BODY>" however the page wrote them.
    n->startTag = t.source;
    if (n->startTag.size() > n->name.size()) n->startTag.replace(1, n->name.size(), n->name);
    return n;
}

std::unique_ptr<HtmlNode> MakeImplied(const wchar_t* upperName) {
    auto n = std::make_unique<HtmlNode>();
    n->name = upperName;
    n->lowerName = AsciiLower(upperName);
    n->startTag = L"<" + n->name + L">";
    return n;
}

bool IsBlank(std::wstring_view s) {
    return std::all_of(s.begin(), s.end(), [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; });
}

class TreeBuilder {
public:
    HtmlTree Build(std::wstring_view markup) {
        for (const HtmlToken& t : TokenizeHtml(markup)) {
            switch (t.kind) {
                case HtmlToken::Kind::Text: OnText(t); break;
                case HtmlToken::Kind::Comment: OnComment(t); break;
                case HtmlToken::Kind::StartTag: OnStartTag(t); break;
                case HtmlToken::Kind::EndTag: OnEndTag(t); break;
                case HtmlToken::Kind::Declaration: break;
            }
        }
        EnsureBody();
        return std::move(tree_);
    }

private:
    HtmlNode* Top() { return stack_.back(); }

    HtmlNode* Append(HtmlNode* parent, std::unique_ptr<HtmlNode> child) {
        child->parent = parent;
        parent->children.push_back(std::move(child));
        return parent->children.back().get();
    }

    void EnsureHtml() {
        if (tree_.documentElement) return;
        tree_.documentElement = MakeImplied(L"HTML");
        stack_.push_back(tree_.documentElement.get());
    }

    void EnsureHead() {
        EnsureHtml();
        if (!tree_.head) {
            tree_.head = Append(tree_.documentElement.get(), MakeImplied(L"HEAD"));
            stack_.push_back(tree_.head);
        }
    }

    // Closes the head (and whatever is open in it) before the body starts.
    void LeaveHead() {
        auto it = std::find(stack_.begin(), stack_.end(), tree_.head);
        if (it != stack_.end()) stack_.erase(it, stack_.end());
    }

    void StartBody(std::unique_ptr<HtmlNode> body) {
        EnsureHead();
        LeaveHead();
        tree_.body = Append(tree_.documentElement.get(), std::move(body));
        stack_.push_back(tree_.body);
    }

    void EnsureBody() {
        if (!tree_.body) StartBody(MakeImplied(L"BODY"));
    }

    bool InsideHeadChild() { return !tree_.body && tree_.head && Top() != tree_.head && Top() != tree_.documentElement.get(); }

    void OnText(const HtmlToken& t) {
        if (!tree_.body && !InsideHeadChild()) {
            if (IsBlank(t.source)) return;
            EnsureBody();
        }
        auto n = std::make_unique<HtmlNode>();
        n->kind = HtmlNode::Kind::Text;
        n->text = t.source;
        Append(Top(), std::move(n));
    }

    void OnComment(const HtmlToken& t) {
        if (!tree_.documentElement) return;  // before the document element: not part of it
        auto n = std::make_unique<HtmlNode>();
        n->kind = HtmlNode::Kind::Comment;
        n->text = t.source;
        Append(Top(), std::move(n));
    }

    void OnStartTag(const HtmlToken& t) {
        const std::wstring lower = AsciiLower(t.name);
        if (lower == L"html") {
            if (!tree_.documentElement) {
                tree_.documentElement = MakeElement(t);
                stack_.push_back(tree_.documentElement.get());
            }
            return;
        }
        if (lower == L"head") {
            if (!tree_.head && !tree_.body) {
                EnsureHtml();
                tree_.head = Append(tree_.documentElement.get(), MakeElement(t));
                stack_.push_back(tree_.head);
            }
            return;
        }
        if ((lower == L"body" || lower == L"frameset") && !tree_.body) {
            StartBody(MakeElement(t));
            return;
        }
        if (lower == L"body") return;
        if (!tree_.body) {
            if (IsHeadElement(lower)) {
                EnsureHead();
                if (Top() != tree_.head) {
                    LeaveHead();
                    stack_.push_back(tree_.head);
                }
            } else {
                EnsureBody();
            }
        }
        CloseImplied(lower);
        HtmlNode* node = Append(Top(), MakeElement(t));
        node->selfClosed = t.selfClosing;
        if (!t.selfClosing && !IsVoidHtmlElement(lower) && stack_.size() < kMaxHtmlDepth) stack_.push_back(node);
    }

    // Pops up to and including the nearest open element named `lower`, searching
    // no further than an element named in `boundaries`.
    bool CloseOpen(std::wstring_view lower, std::initializer_list<std::wstring_view> boundaries) {
        for (size_t i = stack_.size(); i-- > 1;) {
            if (stack_[i] == tree_.body) return false;
            if (stack_[i]->lowerName == lower) {
                stack_.resize(i);
                return true;
            }
            if (OneOf(stack_[i]->lowerName, boundaries)) return false;
        }
        return false;
    }

    void CloseImplied(const std::wstring& n) {
        if (ClosesParagraph(n)) CloseOpen(L"p", {L"table", L"td", L"th", L"button", L"object", L"caption"});
        if (IsHeading(n) && IsHeading(Top()->lowerName)) stack_.pop_back();
        if (n == L"li") CloseOpen(L"li", {L"ul", L"ol", L"table"});
        if (n == L"dt" || n == L"dd") {
            CloseOpen(L"dt", {L"dl", L"table"});
            CloseOpen(L"dd", {L"dl", L"table"});
        }
        if (n == L"tr") {
            CloseOpen(L"tr", {L"table", L"tbody", L"thead", L"tfoot"});
        }
        if (n == L"td" || n == L"th" || n == L"tr") {
            CloseOpen(L"td", {L"tr", L"table"});
            CloseOpen(L"th", {L"tr", L"table"});
        }
        if (n == L"option" && Top()->lowerName == L"option") stack_.pop_back();
        if (n == L"a") CloseOpen(L"a", {L"table", L"td", L"th"});
    }

    void OnEndTag(const HtmlToken& t) {
        const std::wstring lower = AsciiLower(t.name);
        // An end tag may come before any element was opened.
        if (lower == L"html" || lower == L"body" || (lower == L"frameset" && !stack_.empty() && Top() == tree_.body))
            return;
        if (lower == L"head") {
            if (!tree_.body) LeaveHead();
            return;
        }
        for (size_t i = stack_.size(); i-- > 1;) {
            if (stack_[i] == tree_.body || stack_[i] == tree_.head) return;
            if (stack_[i]->lowerName == lower) {
                stack_.resize(i);
                return;
            }
        }
    }

    HtmlTree tree_;
    std::vector<HtmlNode*> stack_;
};

}  // namespace

bool IsVoidHtmlElement(std::wstring_view n) {
    return OneOf(n, {L"area", L"base", L"basefont", L"br", L"col", L"embed", L"frame", L"hr", L"img", L"input",
                     L"isindex", L"link", L"meta", L"param", L"source", L"track", L"wbr", L"bgsound", L"keygen"});
}

const std::wstring* HtmlNode::Attribute(std::wstring_view lower) const {
    for (const auto& a : attributes)
        if (AsciiLower(a.name) == lower) return &a.value;
    return nullptr;
}

std::wstring HtmlNode::AttributeOr(std::wstring_view lower, std::wstring_view fallback) const {
    const std::wstring* v = Attribute(lower);
    return v ? *v : std::wstring(fallback);
}

void HtmlNode::AppendOuterHtml(std::wstring& out) const {
    if (kind != Kind::Element) {
        out += text;
        return;
    }
    out += startTag;
    for (const auto& c : children) c->AppendOuterHtml(out);
    if (!IsVoidHtmlElement(lowerName) && !selfClosed)
        out += L"</" + name + L">";
}

std::wstring HtmlNode::OuterHtml() const {
    std::wstring out;
    AppendOuterHtml(out);
    return out;
}

std::wstring HtmlNode::TextContent() const {
    if (kind == Kind::Text) return DecodeHtmlEntities(text);
    std::wstring out;
    for (const auto& c : children)
        if (c->kind != Kind::Comment) out += c->TextContent();
    return out;
}

const HtmlNode* HtmlNode::Find(std::wstring_view lower) const {
    if (IsElement(lower)) return this;
    for (const auto& c : children)
        if (const HtmlNode* hit = c->Find(lower)) return hit;
    return nullptr;
}

HtmlTree BuildHtmlTree(std::wstring_view markup) { return TreeBuilder().Build(markup); }
