#include "CatalogueGroup.h"

#include "Settings.h"
#include "StartupMarks.h"
#include "mSqlite.h"

CatalogueGroup::CatalogueGroup() {
    started_ = SqliteStartup(AppDir) == SQLITE_OK_;
    StartupMark("SQLite library loaded");
    open_ = started_ && SqliteOpen(DbFileName, db_) == SQLITE_OK_;
    StartupMark("database opened");
    // Another program reading the file holds its lock for a moment; a
    // change waits for it instead of being lost.
    if (open_) SqliteExec(db_, L"PRAGMA busy_timeout = 2000");
}

CatalogueGroup::~CatalogueGroup() {
    if (started_) {
        if (db_) SqliteClose(db_);
        SqliteShutdown();
    }
}

int32_t CatalogueGroup::Exec(const std::wstring& sql) { return open_ ? SqliteExec(db_, sql) : 1; }

bool CatalogueGroup::ExecAll(std::initializer_list<std::wstring> statements) {
    if (Exec(L"BEGIN") != SQLITE_OK_) return false;
    bool ok = true;
    for (const std::wstring& sql : statements) {
        ok = Exec(sql) == SQLITE_OK_;
        if (!ok) break;
    }
    if (ok && Exec(L"COMMIT") == SQLITE_OK_) return true;
    Exec(L"ROLLBACK");
    return false;
}

CatalogueQuery::CatalogueQuery(const CatalogueGroup& group, const std::wstring& sql) {
    if (!group.Open()) return;
    intptr_t tail = 0;
    prepared_ = SqlitePrepare(group.Db(), sql, -1, stmt_, tail) == SQLITE_OK_;
    if (!prepared_) SqliteErrMsg(group.Db());  // fetched, not shown
}

CatalogueQuery::~CatalogueQuery() {
    if (stmt_) SqliteFinalize(stmt_);
}

bool CatalogueQuery::Step() {
    if (!prepared_) return false;
    lastStep_ = SqliteStep(stmt_);
    return lastStep_ == SQLITE_ROW_;
}

bool CatalogueQuery::Finished() const { return lastStep_ == SQLITE_DONE_; }

std::wstring CatalogueQuery::Text(int32_t col) const { return SqliteColumnText(stmt_, col); }

void CatalogueQuery::Text(int32_t col, std::wstring& text) const { SqliteColumnText(stmt_, col, text); }

int32_t CatalogueQuery::Int(int32_t col) const { return SqliteColumnInt(stmt_, col); }
