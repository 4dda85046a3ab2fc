// Pages the view makes itself: the error page for an address that cannot be
// shown, the page around a picture opened on its own, plain text shown as
// text; and the decision which of these a fetched body is.
#pragma once
#include <string>
#include <string_view>

enum class BodyKind { Html, Image, PlainText, Binary };

BodyKind ClassifyBody(std::wstring_view contentType, std::wstring_view url, std::string_view body);

std::wstring EscapeHtml(std::wstring_view text);
// Its text holds "无法找到该页", which callers look for to tell a missing page.
std::wstring ErrorPageMarkup(std::wstring_view url, std::wstring_view reason);
std::wstring ImagePageMarkup(std::wstring_view url);
std::wstring PlainTextPageMarkup(std::wstring_view text);
