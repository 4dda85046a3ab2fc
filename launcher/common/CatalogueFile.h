// The catalogue database file at start: a missing library made anew, and
// what the user is told about one that cannot be read.
#pragma once
#include <string>

// Makes the library with the program's tables when DbFileName is missing or
// empty (there is nothing in it to lose); any other file is left alone.
void MakeMissingCatalogue();
// The message naming the library's file, which could not be read.
std::wstring UnreadableCatalogueMessage();
