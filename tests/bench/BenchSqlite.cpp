#include "BenchSqlite.h"

#include <windows.h>

#include <vector>

#include "BenchClock.h"
#include "RaisedError.h"
#include "mSqlite.h"

namespace {

const char kList[] = "Select * From Games order by G_DateTime desc";
constexpr int kColumns = 8;

std::wstring Utf8(const char* text) {
    if (!text || !*text) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    return out;
}

// sqlite3.dll through its exports, as a program linked to it calls it.
class DirectSqlite {
public:
    explicit DirectSqlite(const std::wstring& folder) : lib_(LoadLibraryW((folder + L"\\sqlite3.dll").c_str())) {
        if (!lib_) throw RaisedError(4, "bench", "cannot load sqlite3.dll");
        Bind(open_, "sqlite3_open");
        Bind(close_, "sqlite3_close");
        Bind(prepare_, "sqlite3_prepare_v2");
        Bind(step_, "sqlite3_step");
        Bind(text_, "sqlite3_column_text");
        Bind(finalize_, "sqlite3_finalize");
        if (open_("npGameData.DLL", &db_) != 0) throw RaisedError(4, "bench", "cannot open the database");
    }
    ~DirectSqlite() {
        close_(db_);
        FreeLibrary(lib_);
    }
    DirectSqlite(const DirectSqlite&) = delete;
    DirectSqlite& operator=(const DirectSqlite&) = delete;

    size_t ReadList(int& rows) {
        void* stmt = nullptr;
        size_t chars = 0;
        rows = 0;
        if (prepare_(db_, kList, -1, &stmt, nullptr) != 0) return 0;
        while (step_(stmt) == 100) {
            ++rows;
            for (int col = 0; col < kColumns; ++col) chars += Utf8(text_(stmt, col)).size();
        }
        finalize_(stmt);
        return chars;
    }

private:
    template <class F>
    void Bind(F& f, const char* name) {
        f = reinterpret_cast<F>(GetProcAddress(lib_, name));
        if (!f) throw RaisedError(4, "bench", name);
    }

    HMODULE lib_;
    void* db_ = nullptr;
    int (*open_)(const char*, void**) = nullptr;
    int (*close_)(void*) = nullptr;
    int (*prepare_)(void*, const char*, int, void**, const char**) = nullptr;
    int (*step_)(void*) = nullptr;
    const char* (*text_)(void*, int) = nullptr;
    int (*finalize_)(void*) = nullptr;
};

size_t ReadListThroughLayer(intptr_t db, int& rows) {
    intptr_t stmt = 0, tail = 0;
    size_t chars = 0;
    rows = 0;
    if (SqlitePrepare(db, std::wstring(kList, kList + sizeof kList - 1), 0, stmt, tail) != SQLITE_OK_) return 0;
    while (SqliteStep(stmt) == SQLITE_ROW_) {
        ++rows;
        for (int col = 0; col < kColumns; ++col) chars += SqliteColumnText(stmt, col).size();
    }
    SqliteFinalize(stmt);
    return chars;
}

}  // namespace

ListReadTimes TimeListRead(const std::wstring& folder, int runs) {
    if (SqliteStartup(folder) != SQLITE_OK_) throw RaisedError(4, "bench", "the access layer did not start");
    intptr_t db = 0;
    if (SqliteOpen(L"npGameData.DLL", db) != SQLITE_OK_) throw RaisedError(4, "bench", "the access layer did not open");
    DirectSqlite direct(folder);
    std::vector<double> layer, plain;
    ListReadTimes t;
    int directRows = 0;
    for (int i = 0; i < runs; ++i) {
        double t0 = Now();
        const size_t a = ReadListThroughLayer(db, t.rows);
        layer.push_back(Now() - t0);
        t0 = Now();
        const size_t b = direct.ReadList(directRows);
        plain.push_back(Now() - t0);
        if (a != b || t.rows != directRows) throw RaisedError(4, "bench", "the two reads differ");
    }
    SqliteClose(db);
    SqliteShutdown();
    t.layerMs = Median(layer);
    t.directMs = Median(plain);
    return t;
}
