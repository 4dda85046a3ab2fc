#include "MainGameSearch.h"

#include "UtfToGb.h"

std::wstring SearchWordsForAddress(std::wstring_view words) { return PercentEncodeUtf8(words, IsUnreserved); }
