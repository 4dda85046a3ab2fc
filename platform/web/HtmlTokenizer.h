// Tolerant HTML tokenizer: splits markup into text, tags, comments and
// declarations, keeping each token's source text so the document can be
// written back as the page wrote it. Never fails: anything that is not a
// well-formed tag is text, and a tag cut off by the end of input is dropped.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct HtmlAttribute {
    std::wstring name;   // as written
    std::wstring value;  // character references decoded
};

struct HtmlToken {
    enum class Kind { Text, StartTag, EndTag, Comment, Declaration };
    Kind kind = Kind::Text;
    std::wstring name;   // tag name as written (tags only)
    std::vector<HtmlAttribute> attributes;
    bool selfClosing = false;
    std::wstring source;  // the exact source text of the token
};

// ASCII lower case, for comparing tag and attribute names.
std::wstring AsciiLower(std::wstring_view s);
std::wstring AsciiUpper(std::wstring_view s);

std::vector<HtmlToken> TokenizeHtml(std::wstring_view markup);
