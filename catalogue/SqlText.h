// A text value as it goes between the quotes of an SQL literal: percent-
// encoded (so the statement stays ASCII) with each apostrophe doubled, so a
// typed name or password can never end its literal early. SQLite stores the
// doubled apostrophe as one, so the stored value is the plain encoded text.
#pragma once
#include <string>

std::wstring SqlText(const std::wstring& value);
