// Search words as a browser puts typed words on the wire: UTF-8, and every
// byte other than letters, digits and "-_.~" as "%" and two hexadecimal
// digits, so the portal decodes exactly what was typed (blanks, Chinese,
// "&" and "#" included). Pure text logic, free of windows.h.
#pragma once
#include <string>
#include <string_view>

std::wstring SearchWordsForAddress(std::wstring_view words);
