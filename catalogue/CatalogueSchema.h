// The catalogue database's tables as the build makes them: the text of
// schema.sql, compiled in, so the program can make a missing library itself.
#pragma once

// SQL statements separated by ";", for one execution.
extern const wchar_t kCatalogueSchema[];
