// The launcher's way to its catalogue database: sqlite3.dll loaded at run
// time through the call bridge, thin wrappers returning SQLite result codes.
// Every group of database work starts the library, opens, works, finalises,
// closes and shuts the library down again; nothing stays open in between.
// Groups begun while another is open share its load, counted: only the
// outermost one's shut-down unloads the library.
// Database and statement handles are machine words owned by the caller.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

class cCDECL;

// Module state: the bridge bound to the loaded library, and whether
// sqlite3_initialize succeeded on it.
extern std::unique_ptr<cCDECL> SqliteLib;
extern bool SqliteReady;

// Result codes the callers test.
inline constexpr int32_t SQLITE_OK_ = 0;
inline constexpr int32_t SQLITE_ROW_ = 100;
inline constexpr int32_t SQLITE_DONE_ = 101;

int32_t SqliteStartup(const std::wstring& folder);
int32_t SqliteShutdown();
int32_t SqliteOpen(const std::wstring& fileName, intptr_t& db);
int32_t SqliteClose(intptr_t db);
int32_t SqlitePrepare(intptr_t db, const std::wstring& statement, int32_t byteCount, intptr_t& stmt,
                      intptr_t& tail);
int32_t SqliteExec(intptr_t db, const std::wstring& statement);
// Rows the last finished INSERT, UPDATE or DELETE on the connection changed.
int32_t SqliteChanges(intptr_t db);
int32_t SqliteStep(intptr_t stmt);
int32_t SqliteFinalize(intptr_t stmt);
int32_t SqliteColumnBytes(intptr_t stmt, int32_t col);
std::wstring SqliteColumnText(intptr_t stmt, int32_t col);
// The same into `text`, whose storage a loop over many rows reuses.
void SqliteColumnText(intptr_t stmt, int32_t col, std::wstring& text);
int32_t SqliteColumnInt(intptr_t stmt, int32_t col);
std::wstring SqliteErrMsg(intptr_t db);

// Supporting routines.
std::string StringToUtf8(const std::wstring& text);
std::wstring Utf8PtrToString(intptr_t address);
std::wstring Utf8BytesToString(const std::string& bytes);
std::wstring AnsiPtrToString(intptr_t address);
std::wstring CanonicalizePath(const std::wstring& path);
