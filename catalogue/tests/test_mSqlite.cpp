// The access layer against the real sqlite3.dll of the program folder, on
// copies of the delivered catalogue database in temporary folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <vector>

#include "SqlText.h"
#include "cCDECL.h"
#include "TempDir.h"
#include "UtfToGb.h"
#include "mSqlite.h"
#include "test_paths.h"

namespace {

// Runs a test with the current directory moved to a temporary folder holding
// a fresh copy of npGameData.DLL, and the library started from the program folder.
class CatalogueDb : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, oldDir_);
        ASSERT_TRUE(CopyFileW((std::wstring(kDistDir) + L"npGameData.DLL").c_str(),
                              dir_.File(L"npGameData.DLL").c_str(), FALSE));
        SetCurrentDirectoryW(dir_.Path().c_str());
        ASSERT_EQ(SqliteStartup(kDistDir), 0);
        ASSERT_EQ(SqliteOpen(L"npGameData.DLL", db_), 0);
    }
    void TearDown() override {
        SqliteClose(db_);
        SqliteShutdown();
        SetCurrentDirectoryW(oldDir_);
    }

    // All rows of a query, each column as text.
    std::vector<std::vector<std::wstring>> Rows(const std::wstring& sql, int cols) {
        std::vector<std::vector<std::wstring>> rows;
        intptr_t stmt = 0, tail = 0;
        EXPECT_EQ(SqlitePrepare(db_, sql, 0, stmt, tail), 0) << SqliteErrMsg(db_);
        while (SqliteStep(stmt) == SQLITE_ROW_) {
            rows.emplace_back();
            for (int c = 0; c < cols; ++c) rows.back().push_back(SqliteColumnText(stmt, c));
        }
        SqliteFinalize(stmt);
        return rows;
    }

    TempDir dir_;
    wchar_t oldDir_[MAX_PATH] = {};
    intptr_t db_ = 0;
};

TEST_F(CatalogueDb, GamesListNewestFirstLookedUpByEncodedName) {
    const std::wstring names[] = {L"连连看", L"Tom's cat", L"bubble"};
    for (const auto& n : names)
        ASSERT_EQ(SqliteExec(db_, L"Insert Into Games(G_Name,G_Introduce,G_WebUrl,G_Type,G_Favorite) Values('" +
                                      SqlText(n) + L"','" + SqlText(L"介绍 " + n) + L"','/g/1.htm',1,1)"),
                  0)
            << SqliteErrMsg(db_);

    auto rows = Rows(L"Select * From Games  order by G_DateTime desc", 6);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Utf8UrlDecode(rows[0][1]), L"bubble");
    EXPECT_EQ(Utf8UrlDecode(rows[1][1]), L"Tom's cat");
    EXPECT_EQ(Utf8UrlDecode(rows[2][1]), L"连连看");
    EXPECT_EQ(rows[2][1], L"%E8%BF%9E%E8%BF%9E%E7%9C%8B") << "stored as plain ASCII";
    EXPECT_EQ(Utf8UrlDecode(rows[2][2]), L"介绍 连连看");
    EXPECT_EQ(rows[2][4], L"") << "W_Url not named by this insert form reads as empty";
    EXPECT_EQ(rows[2][5], L"1");

    ASSERT_EQ(SqliteExec(db_, L"Update [Games] Set [G_Favorite] = 2 Where [G_Name] = '" + SqlText(L"连连看") + L"'"), 0);
    auto fav = Rows(L"Select * From Games Where G_Favorite = 2 order by G_DateTime desc", 2);
    ASSERT_EQ(fav.size(), 1u);
    EXPECT_EQ(Utf8UrlDecode(fav[0][1]), L"连连看");

    ASSERT_EQ(SqliteExec(db_, L"Delete From [Games] Where [G_Name] = '" + SqlText(L"Tom's cat") + L"'"), 0);
    rows = Rows(L"Select * From [Games]  Where [G_Name] = '" + SqlText(L"Tom's cat") + L"'", 2);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(Rows(L"Select * From Games order by G_DateTime desc", 2).size(), 2u);
}

TEST_F(CatalogueDb, ApostropheInAValueTouchesOnlyItsOwnRow) {
    for (const wchar_t* u : {L"o'brien", L"o", L"x' or '1'='1"})
        ASSERT_EQ(SqliteExec(db_, L"Insert Into Users(U_UserName,U_PassWord) Values('" + SqlText(u) + L"','" +
                                      SqlText(L"pw") + L"')"),
                  0);
    ASSERT_EQ(SqliteExec(db_, L"Update Users Set U_PassWord='" + SqlText(L"it's new") +
                                  L"' Where U_UserName='" + SqlText(L"x' or '1'='1") + L"'"),
              0);
    auto rows = Rows(L"Select * From Users", 3);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][2], L"pw");
    EXPECT_EQ(rows[1][2], L"pw");
    EXPECT_EQ(Utf8UrlDecode(rows[2][2]), L"it's new") << "password is column 2";
    EXPECT_EQ(rows[0][1], L"o'brien") << "stored value keeps a single apostrophe";
}

TEST_F(CatalogueDb, InstallRowAndColumnReaders) {
    auto rows = Rows(L"Select * From [Install]", 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], L"0");
    ASSERT_EQ(SqliteExec(db_, L"Update Install Set [I_Close]=1"), 0);
    EXPECT_EQ(Rows(L"Select * From [Install]", 1)[0][0], L"1");

    intptr_t stmt = 0, tail = 0;
    ASSERT_EQ(SqlitePrepare(db_, L"Select NULL, '', CAST(X'61E4B8' AS TEXT), CAST(X'E4B8AD41' AS TEXT), 42, "
                                 L"CAST(X'F09F9880' AS TEXT)",
                            0, stmt, tail),
              0);
    ASSERT_EQ(SqliteStep(stmt), SQLITE_ROW_);
    EXPECT_EQ(SqliteColumnText(stmt, 0), L"");
    EXPECT_EQ(SqliteColumnText(stmt, 1), L"");
    EXPECT_EQ(SqliteColumnBytes(stmt, 1), 0);
    EXPECT_EQ(SqliteColumnText(stmt, 2), L"a?") << "truncated sequence at the end";
    EXPECT_EQ(SqliteColumnText(stmt, 3), L"中A");
    EXPECT_EQ(SqliteColumnBytes(stmt, 3), 4);
    EXPECT_EQ(SqliteColumnInt(stmt, 4), 42);
    EXPECT_EQ(SqliteColumnText(stmt, 5), L"\U0001F600");
    EXPECT_EQ(SqliteStep(stmt), SQLITE_DONE_);
    EXPECT_EQ(SqliteFinalize(stmt), 0);
}

// A group of work begun while another is open (a handler run from inside
// the outer group, as a message box's loop runs one) shares the library's
// load: the outer group still reads and closes, and no lock is left behind.
TEST_F(CatalogueDb, AGroupInsideAnotherSharesTheLoadAndLeavesNoLock) {
    for (const wchar_t* n : {L"first", L"second"})
        ASSERT_EQ(SqliteExec(db_, L"Insert Into Games(G_Name,G_Type,G_Favorite) Values('" + std::wstring(n) + L"',1,1)"), 0);
    intptr_t outer = 0, tail = 0;
    ASSERT_EQ(SqlitePrepare(db_, L"Select * From Games order by G_DateTime desc", 0, outer, tail), 0);
    ASSERT_EQ(SqliteStep(outer), SQLITE_ROW_);  // the outer connection holds its read lock

    ASSERT_EQ(SqliteStartup(kDistDir), 0);
    intptr_t db = 0, stmt = 0;
    ASSERT_EQ(SqliteOpen(L"npGameData.DLL", db), 0);
    ASSERT_EQ(SqlitePrepare(db, L"Select count(*) From Games", 0, stmt, tail), 0);
    ASSERT_EQ(SqliteStep(stmt), SQLITE_ROW_);
    EXPECT_EQ(SqliteColumnInt(stmt, 0), 2);
    EXPECT_EQ(SqliteFinalize(stmt), 0);
    EXPECT_EQ(SqliteClose(db), 0);
    EXPECT_EQ(SqliteShutdown(), 0);
    EXPECT_TRUE(SqliteReady) << "the outer group's library was unloaded under it";

    ASSERT_EQ(SqliteStep(outer), SQLITE_ROW_);
    EXPECT_EQ(SqliteColumnText(outer, 1), L"first");
    EXPECT_EQ(SqliteFinalize(outer), 0);
    EXPECT_EQ(SqliteClose(db_), 0);
    db_ = 0;
    EXPECT_EQ(SqliteShutdown(), 0);
    EXPECT_TRUE(SqliteLib == nullptr) << "the outermost group unloads the library";

    // A later group writes at once: nothing holds the file's lock.
    ASSERT_EQ(SqliteStartup(kDistDir), 0);
    ASSERT_EQ(SqliteOpen(L"npGameData.DLL", db_), 0);
    EXPECT_EQ(SqliteExec(db_, L"Insert Into Games(G_Name,G_Type,G_Favorite) Values('third',1,1)"), 0);
}

TEST(mSqlite, BareDatabaseNameOpensInTheCurrentDirectory) {
    TempDir cwd;
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    SetCurrentDirectoryW(cwd.Path().c_str());
    ASSERT_EQ(SqliteStartup(kDistDir), 0);
    intptr_t db = 0, stmt = 0, tail = 0;
    ASSERT_EQ(SqliteOpen(L"npGameData.DLL", db), 0);
    EXPECT_NE(SqlitePrepare(db, L"Select * From Games order by G_DateTime desc", 0, stmt, tail), 0)
        << "a new empty file has no tables";
    EXPECT_EQ(SqliteErrMsg(db), L"no such table: Games");
    SqliteFinalize(stmt);
    SqliteClose(db);
    SqliteShutdown();
    SetCurrentDirectoryW(old);
    EXPECT_NE(GetFileAttributesW(cwd.File(L"npGameData.DLL").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(mSqlite, FolderIsCompletedAndCanonicalised) {
    std::wstring dist = kDistDir;
    dist.pop_back();  // no trailing backslash
    EXPECT_EQ(SqliteStartup(dist), 0);
    EXPECT_EQ(SqliteShutdown(), 0);
    EXPECT_EQ(SqliteStartup(dist + L"\\..\\dist"), 0);
    EXPECT_EQ(SqliteShutdown(), 0);
    EXPECT_EQ(CanonicalizePath(L"C:\\a\\b\\..\\c\\.\\"), L"C:\\a\\c\\");
}

// Every wrapper after the open gives its failure result: 1, 0 or empty text.
void ExpectEveryCallFails(intptr_t db) {
    intptr_t stmt = 7, tail = 7;
    EXPECT_EQ(SqlitePrepare(db, L"Select 1", 0, stmt, tail), 1);
    EXPECT_EQ(SqliteExec(db, L"Select 1"), 1);
    EXPECT_EQ(SqliteStep(stmt), 1);
    EXPECT_EQ(SqliteFinalize(stmt), 1);
    EXPECT_EQ(SqliteClose(db), 1);
    EXPECT_EQ(SqliteColumnBytes(stmt, 0), 0);
    EXPECT_EQ(SqliteColumnInt(stmt, 0), 0);
    EXPECT_EQ(SqliteColumnText(stmt, 0), L"");
    EXPECT_EQ(SqliteErrMsg(db), L"");
}

// A program folder under a user profile named in a script the system's
// ANSI code page cannot hold still finds its sqlite3.dll.
TEST(mSqlite, ProgramFolderOutsideTheAnsiCodePage) {
    TempDir base;
    const std::wstring folder = base.File(L"\u10E5\u10D0\u10E0\u10D7 \u1200\u1208 \u6E38\u620F");
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, nullptr, 0, nullptr, &lossy);
    ASSERT_TRUE(lossy) << "the name must be one the ANSI code page cannot hold";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW((std::wstring(kDistDir) + L"sqlite3.dll").c_str(), (folder + L"\\sqlite3.dll").c_str(), FALSE));
    ASSERT_EQ(SqliteStartup(folder + L"\\sub\\.."), 0);
    intptr_t db = 0;
    EXPECT_EQ(SqliteOpen(L":memory:", db), 0);
    EXPECT_EQ(SqliteExec(db, L"Select 1"), 0);
    SqliteClose(db);
    EXPECT_EQ(SqliteShutdown(), 0);
    EXPECT_EQ(CanonicalizePath(folder + L"\\sub\\..\\"), folder + L"\\");
}

TEST(mSqlite, MissingOrBrokenLibraryLeavesEveryWrapperNotReady) {
    TempDir empty, broken;
    std::ofstream(broken.File(L"sqlite3.dll").c_str(), std::ios::binary) << "MZ this is not a library";
    for (const TempDir* dir : {&empty, &broken}) {
        EXPECT_EQ(SqliteStartup(dir->Path()), 1);
        EXPECT_FALSE(SqliteReady);
        intptr_t db = 7;
        EXPECT_EQ(SqliteOpen(L"npGameData.DLL", db), 1);
        EXPECT_EQ(db, 7) << "nothing was called";
        ExpectEveryCallFails(db);
        EXPECT_EQ(SqliteShutdown(), 1) << "no bridge to shut down";
    }
}

// The stand-in sqlite3.dll beside the test, held loaded by the test itself so
// that its results can be set before the access layer loads it.
class FakeSqlite {
public:
    explicit FakeSqlite(const wchar_t* build = L"fake_sqlite") {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        folder_ = exe;
        folder_ = folder_.substr(0, folder_.find_last_of(L'\\') + 1) + build;
        module_ = LoadLibraryW((folder_ + L"\\sqlite3.dll").c_str());
    }
    ~FakeSqlite() {
        if (module_) FreeLibrary(module_);
    }
    bool Loaded() const { return module_ != nullptr; }
    const std::wstring& Folder() const { return folder_; }
    void Results(int init, int shutdown) {
        reinterpret_cast<void (*)(int, int)>(GetProcAddress(module_, "FakeResults"))(init, shutdown);
    }
    int InitCalls() { return reinterpret_cast<int (*)()>(GetProcAddress(module_, "FakeInitCalls"))(); }
    int ShutdownCalls() { return reinterpret_cast<int (*)()>(GetProcAddress(module_, "FakeShutdownCalls"))(); }

private:
    std::wstring folder_;
    HMODULE module_ = nullptr;
};

TEST(mSqlite, FailedInitialisationLeavesTheLibraryLoadedButNotReady) {
    FakeSqlite fake;
    ASSERT_TRUE(fake.Loaded());
    fake.Results(1, 0);
    EXPECT_EQ(SqliteStartup(fake.Folder()), 1);
    EXPECT_EQ(fake.InitCalls(), 1);
    EXPECT_FALSE(SqliteReady);
    EXPECT_TRUE(SqliteLib != nullptr) << "the library stays loaded until the shut-down";
    intptr_t db = 7;
    EXPECT_EQ(SqliteOpen(L"npGameData.DLL", db), 1);
    EXPECT_EQ(db, 7);
    EXPECT_EQ(SqliteShutdown(), 0);
    EXPECT_EQ(fake.ShutdownCalls(), 1);
    EXPECT_TRUE(SqliteLib == nullptr);
}

TEST(mSqlite, FailedShutdownKeepsEverythingAndARestartReportsItsOwnState) {
    FakeSqlite fake;
    ASSERT_TRUE(fake.Loaded());
    fake.Results(0, 5);
    ASSERT_EQ(SqliteStartup(fake.Folder()), 0);
    EXPECT_TRUE(SqliteReady);
    EXPECT_EQ(SqliteShutdown(), 1);
    EXPECT_TRUE(SqliteReady);
    EXPECT_TRUE(SqliteLib != nullptr);

    // The restart's own shut-down fails again, and then its initialisation:
    // the new library is loaded but not ready.
    fake.Results(1, 5);
    EXPECT_EQ(SqliteStartup(fake.Folder()), 1);
    EXPECT_EQ(fake.ShutdownCalls(), 2);
    EXPECT_FALSE(SqliteReady);
    intptr_t db = 7;
    EXPECT_EQ(SqliteOpen(L"npGameData.DLL", db), 1);
    EXPECT_EQ(db, 7) << "nothing was called";

    fake.Results(0, 0);
    EXPECT_EQ(SqliteShutdown(), 0);
    EXPECT_FALSE(SqliteReady);
    EXPECT_TRUE(SqliteLib == nullptr);
}

// A sqlite3.dll that loads but lacks the exports the layer calls: start-up
// reports not ready, and every wrapper gives its failure result instead of
// raising out of the call.
TEST(mSqlite, LibraryWithoutTheCalledExportsGivesFailureResults) {
    {
        FakeSqlite noInit(L"fake_sqlite_noinit");
        ASSERT_TRUE(noInit.Loaded());
        EXPECT_EQ(SqliteStartup(noInit.Folder()), 1);
        EXPECT_FALSE(SqliteReady);
        EXPECT_EQ(SqliteShutdown(), 0);
    }

    FakeSqlite fake;
    ASSERT_TRUE(fake.Loaded());
    fake.Results(0, 0);
    ASSERT_EQ(SqliteStartup(fake.Folder()), 0);
    ASSERT_TRUE(SqliteReady);
    intptr_t db = 7;
    EXPECT_EQ(SqliteOpen(L"npGameData.DLL", db), 1);
    ExpectEveryCallFails(db);
    EXPECT_EQ(SqliteShutdown(), 0);
    EXPECT_FALSE(SqliteReady);
}

TEST(mSqlite, TextConversions) {
    EXPECT_EQ(StringToUtf8(L""), "");
    EXPECT_EQ(StringToUtf8(L"a中"), "a\xE4\xB8\xAD");
    EXPECT_EQ(Utf8PtrToString(0), L"");
    EXPECT_EQ(Utf8PtrToString(reinterpret_cast<intptr_t>("x\xC3\xA9y")), L"x\u00E9y");
    EXPECT_EQ(Utf8BytesToString("ok\xC3"), L"ok?");
    EXPECT_EQ(Utf8BytesToString("\xE4\xB8"), L"?");
    EXPECT_EQ(AnsiPtrToString(0), L"");
    EXPECT_EQ(AnsiPtrToString(reinterpret_cast<intptr_t>("no such table")), L"no such table");
}

}  // namespace
