// Character references of HTML text and attribute values (&amp;, &#20013;,
// &#x4E2D;, the common named ones) turned into the characters they stand for.
#pragma once
#include <string>
#include <string_view>

std::wstring DecodeHtmlEntities(std::wstring_view text);
