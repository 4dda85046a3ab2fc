// A list read through the SQLite access layer (prepare, step, every
// column's text decoded) against the same reads on sqlite3.dll called
// directly through its exports, on the same database file.
#pragma once
#include <string>

struct ListReadTimes {
    double layerMs = 0;
    double directMs = 0;
    int rows = 0;
};

// Medians over `runs` reads of each kind, taken in turns; `folder` holds
// sqlite3.dll and the database.
ListReadTimes TimeListRead(const std::wstring& folder, int runs);
