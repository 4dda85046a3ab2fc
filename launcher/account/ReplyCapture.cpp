#include "ReplyCapture.h"

std::wstring ReplaceAll(const std::wstring& text, const std::wstring& what, const std::wstring& with) {
    if (what.empty()) return text;
    std::wstring out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(what, from)) != std::wstring::npos; from = at + what.size()) {
        out.append(text, from, at - from);
        out += with;
    }
    out.append(text, from, std::wstring::npos);
    return out;
}

std::wstring CaptureReply(const std::wstring& outerHtml) {
    static const wchar_t* const kRemoved[] = {L"<", L">", L"/", L"HEAD", L"BODY", L"HTML", L"\n", L"\r", L"\t", L" "};
    std::wstring text = outerHtml;
    for (const wchar_t* what : kRemoved) text = ReplaceAll(text, what, L"");
    return text;
}

std::size_t Lenstr(const std::wstring& text) { return text.size(); }
