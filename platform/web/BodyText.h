// A fetched body as text, decoded from the character set it is written in.
#pragma once
#include <string>
#include <string_view>

std::wstring DecodeBodyText(std::string_view body, std::wstring_view contentType);
