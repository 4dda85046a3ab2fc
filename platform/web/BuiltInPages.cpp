#include "BuiltInPages.h"

#include "BodyCharset.h"
#include "HtmlTokenizer.h"
#include "WebUrl.h"

namespace {

bool EndsWith(const std::wstring& s, std::wstring_view suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

BodyKind ClassifyBody(std::wstring_view contentType, std::wstring_view url, std::string_view body) {
    const std::wstring type = AsciiLower(contentType);
    const std::wstring name = AsciiLower(UrlFileName(url));
    if (type.rfind(L"image/", 0) == 0) return BodyKind::Image;
    if (type.empty()) {
        for (const wchar_t* ext : {L".gif", L".jpg", L".jpeg", L".png", L".bmp"})
            if (EndsWith(name, ext)) return BodyKind::Image;
        if (EndsWith(name, L".txt")) return BodyKind::PlainText;
    }
    if (LooksBinary(body)) return BodyKind::Binary;
    if (type.rfind(L"text/plain", 0) == 0 || type.rfind(L"application/json", 0) == 0) return BodyKind::PlainText;
    return BodyKind::Html;
}

std::wstring EscapeHtml(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'&': out += L"&amp;"; break;
            case L'<': out += L"&lt;"; break;
            case L'>': out += L"&gt;"; break;
            case L'"': out += L"&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::wstring ErrorPageMarkup(std::wstring_view url, std::wstring_view reason) {
    return L"<HTML><HEAD><TITLE>无法找到该页</TITLE></HEAD>\r\n"
           L"<BODY><H1>无法找到该页</H1>\r\n<P>" + EscapeHtml(url) + L"</P>\r\n<P>" +
           EscapeHtml(reason) + L"</P></BODY></HTML>";
}

std::wstring ImagePageMarkup(std::wstring_view url) {
    return L"<HTML><HEAD><TITLE>" + EscapeHtml(UrlFileName(url)) + L"</TITLE></HEAD>\r\n<BODY><IMG src=\"" +
           EscapeHtml(url) + L"\"></BODY></HTML>";
}

std::wstring PlainTextPageMarkup(std::wstring_view text) {
    return L"<HTML><HEAD></HEAD>\r\n<BODY><PRE>" + EscapeHtml(text) + L"</PRE></BODY></HTML>";
}
