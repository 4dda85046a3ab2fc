#include "HtmlTokenizer.h"

#include "HtmlEntities.h"

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }
bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Elements whose content is plain text up to their own end tag.
bool IsRawTextElement(const std::wstring& lowerName) {
    return lowerName == L"script" || lowerName == L"style" || lowerName == L"title" ||
           lowerName == L"textarea" || lowerName == L"xmp" || lowerName == L"noframes";
}

class Tokenizer {
public:
    explicit Tokenizer(std::wstring_view in) : in_(in) {}

    std::vector<HtmlToken> Run() {
        size_t textStart = 0;
        while (pos_ < in_.size()) {
            if (in_[pos_] != L'<') {
                ++pos_;
                continue;
            }
            const size_t tagStart = pos_;
            HtmlToken tok;
            if (!ReadMarkup(tok)) {
                if (pos_ >= in_.size()) {  // cut off by the end of input: dropped
                    FlushText(textStart, tagStart);
                    textStart = in_.size();
                    break;
                }
                pos_ = tagStart + 1;  // a lone "<" is text
                continue;
            }
            FlushText(textStart, tagStart);
            tok.source.assign(in_.substr(tagStart, pos_ - tagStart));
            const bool raw = tok.kind == HtmlToken::Kind::StartTag && !tok.selfClosing &&
                             IsRawTextElement(AsciiLower(tok.name));
            const std::wstring rawName = raw ? AsciiLower(tok.name) : std::wstring();
            out_.push_back(std::move(tok));
            textStart = pos_;
            if (raw) textStart = SkipRawText(rawName);
        }
        FlushText(textStart, in_.size());
        return std::move(out_);
    }

private:
    void FlushText(size_t from, size_t to) {
        if (to <= from) return;
        HtmlToken t;
        t.kind = HtmlToken::Kind::Text;
        t.source.assign(in_.substr(from, to - from));
        out_.push_back(std::move(t));
    }

    // Emits the raw content as one text token; returns where normal text resumes.
    size_t SkipRawText(const std::wstring& lowerName) {
        const size_t start = pos_;
        const std::wstring closing = L"</" + lowerName;
        while (pos_ < in_.size()) {
            const size_t lt = in_.find(L'<', pos_);
            if (lt == std::wstring_view::npos) break;
            if (AsciiLower(in_.substr(lt, closing.size())) == closing) {
                const size_t after = lt + closing.size();
                if (after >= in_.size() || IsSpace(in_[after]) || in_[after] == L'>' || in_[after] == L'/') {
                    FlushText(start, lt);
                    pos_ = lt;
                    return lt;
                }
            }
            pos_ = lt + 1;
        }
        FlushText(start, in_.size());
        pos_ = in_.size();
        return pos_;
    }

    // At '<'. Reads one tag, comment or declaration; false when this is no markup.
    bool ReadMarkup(HtmlToken& tok) {
        const size_t rest = in_.size() - pos_;
        if (rest >= 4 && in_.substr(pos_, 4) == L"<!--") {
            const size_t end = in_.find(L"-->", pos_ + 4);
            tok.kind = HtmlToken::Kind::Comment;
            pos_ = end == std::wstring_view::npos ? in_.size() : end + 3;
            return true;
        }
        if (rest >= 2 && (in_[pos_ + 1] == L'!' || in_[pos_ + 1] == L'?')) {
            const size_t end = in_.find(L'>', pos_);
            if (end == std::wstring_view::npos) {
                pos_ = in_.size();
                return false;
            }
            tok.kind = HtmlToken::Kind::Declaration;
            pos_ = end + 1;
            return true;
        }
        const bool endTag = rest >= 2 && in_[pos_ + 1] == L'/';
        const size_t nameStart = pos_ + (endTag ? 2 : 1);
        if (nameStart >= in_.size() || !IsAsciiLetter(in_[nameStart])) return false;
        tok.kind = endTag ? HtmlToken::Kind::EndTag : HtmlToken::Kind::StartTag;
        pos_ = nameStart;
        while (pos_ < in_.size() && !IsSpace(in_[pos_]) && in_[pos_] != L'/' && in_[pos_] != L'>') ++pos_;
        tok.name.assign(in_.substr(nameStart, pos_ - nameStart));
        return ReadAttributes(tok);
    }

    bool ReadAttributes(HtmlToken& tok) {
        for (;;) {
            while (pos_ < in_.size() && (IsSpace(in_[pos_]) || in_[pos_] == L'/')) {
                tok.selfClosing = in_[pos_] == L'/';
                ++pos_;
            }
            if (pos_ >= in_.size()) return false;
            if (in_[pos_] == L'>') {
                ++pos_;
                return true;
            }
            tok.selfClosing = false;
            const size_t nameStart = pos_;
            ++pos_;  // a name may begin with any character, even '='
            while (pos_ < in_.size() && !IsSpace(in_[pos_]) && in_[pos_] != L'=' && in_[pos_] != L'>' &&
                   in_[pos_] != L'/')
                ++pos_;
            HtmlAttribute attr;
            attr.name.assign(in_.substr(nameStart, pos_ - nameStart));
            size_t look = pos_;
            while (look < in_.size() && IsSpace(in_[look])) ++look;
            if (look < in_.size() && in_[look] == L'=') {
                pos_ = look + 1;
                while (pos_ < in_.size() && IsSpace(in_[pos_])) ++pos_;
                if (pos_ >= in_.size()) return false;
                const wchar_t q = in_[pos_];
                if (q == L'"' || q == L'\'') {
                    const size_t end = in_.find(q, pos_ + 1);
                    if (end == std::wstring_view::npos) {
                        pos_ = in_.size();
                        return false;
                    }
                    attr.value = DecodeHtmlEntities(in_.substr(pos_ + 1, end - pos_ - 1));
                    pos_ = end + 1;
                } else {
                    const size_t start = pos_;
                    while (pos_ < in_.size() && !IsSpace(in_[pos_]) && in_[pos_] != L'>') ++pos_;
                    attr.value = DecodeHtmlEntities(in_.substr(start, pos_ - start));
                }
            }
            if (tok.kind == HtmlToken::Kind::StartTag) tok.attributes.push_back(std::move(attr));
        }
    }

    std::wstring_view in_;
    size_t pos_ = 0;
    std::vector<HtmlToken> out_;
};

}  // namespace

std::wstring AsciiLower(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

std::wstring AsciiUpper(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

std::vector<HtmlToken> TokenizeHtml(std::wstring_view markup) { return Tokenizer(markup).Run(); }
