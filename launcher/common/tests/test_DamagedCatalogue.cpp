// A catalogue database the launcher cannot trust: missing, random bytes, a
// file cut short, tables with extra or missing columns, another program
// reading or holding it. The main window still opens with its tabs, the grid
// shows what can be read (at least the entry that leads to the catalogue),
// nothing crashes, the close button still acts, and a change is not lost. A
// missing library is made anew; one that cannot be read is left as it is and
// the user is told once per start, over the main window.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <thread>

#include "CTabItems.h"
#include "DialogTestSupport.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "MainMe.h"
#include "Pump.h"
#include "SqlText.h"
#include "uTab.h"

namespace {

std::wstring Insert(const std::wstring& name) {
    return L"Insert Into Games (G_Name, G_Introduce, G_WebUrl, W_Url, G_Type, G_Favorite) Values ('" + SqlText(name) +
           L"', 'intro', 'http://portal/x', '', 1, 1)";
}

// A connection of another program, made straight on the program folder's
// sqlite3.dll.
class OtherProgram {
public:
    OtherProgram(const std::wstring& folder, const std::wstring& database)
        : sqlite_(LoadLibraryW((folder + L"\\sqlite3.dll").c_str())) {
        std::string path(MAX_PATH * 3, '\0');
        path.resize(WideCharToMultiByte(CP_UTF8, 0, database.c_str(), -1, path.data(), static_cast<int>(path.size()),
                                        nullptr, nullptr) - 1);
        if (sqlite_) Fn<int (*)(const char*, void**)>("sqlite3_open")(path.c_str(), &db_);
    }
    ~OtherProgram() {
        if (stmt_) Fn<int (*)(void*)>("sqlite3_finalize")(stmt_);
        if (db_) Fn<int (*)(void*)>("sqlite3_close")(db_);
        if (sqlite_) FreeLibrary(sqlite_);
    }
    bool Open() const { return db_ != nullptr; }
    int Exec(const char* sql) { return Fn<int (*)(void*, const char*, void*, void*, char**)>("sqlite3_exec")(db_, sql, nullptr, nullptr, nullptr); }
    // Steps to the first row of a read, which holds the read lock until Finish.
    int StartReading() {
        Fn<int (*)(void*, const char*, int, void**, const char**)>("sqlite3_prepare_v2")(db_, "Select * From Games", -1,
                                                                                          &stmt_, nullptr);
        return Fn<int (*)(void*)>("sqlite3_step")(stmt_);
    }
    void Finish() {
        Fn<int (*)(void*)>("sqlite3_finalize")(stmt_);
        stmt_ = nullptr;
    }

private:
    template <class F>
    F Fn(const char* name) {
        return reinterpret_cast<F>(GetProcAddress(sqlite_, name));
    }
    HMODULE sqlite_;
    void* db_ = nullptr;
    void* stmt_ = nullptr;
};

class DamagedCatalogueTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (f.Loaded()) f.Unload();
    }
    std::wstring Database() { return env.dir.File(L"npGameData.DLL"); }
    std::string ReadDatabase() {
        std::ifstream in(Database().c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteDatabase(const std::string& bytes) {
        std::ofstream(Database().c_str(), std::ios::binary | std::ios::trunc) << bytes;
    }
    // Every table, index and trigger of the library, as created.
    std::wstring Schema() {
        CatalogueGroup group;
        CatalogueQuery q(group, L"Select group_concat(type || ' ' || name || ' ' || sql, ';') From "
                                L"(Select * From sqlite_master Order By name)");
        return q.Step() ? q.Text(0) : L"";
    }
    // Opens the main window on the database as it now is and checks it works.
    MainMe& OpenAndCheck() {
        f.Show();
        EXPECT_TRUE(IsWindowVisible(f.hWnd()));
        EXPECT_EQ(f.frmuTab->TabItems().Count(), 2);
        MainMe& me = f.Me();
        EXPECT_GE(me.GameCellCount(), 1);
        PumpFor(200);
        return me;
    }
    // Opens the main window on a library it cannot read: the user is told
    // once, over the shown window, and the file stays as it was.
    MainMe& OpenUnreadable() {
        const std::string before = ReadDatabase();
        boxes.prompts.clear();
        MainMe& me = OpenAndCheck();
        EXPECT_TRUE(PumpUntil([&] { return !boxes.prompts.empty(); }));
        EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{L"无法读取游戏库“" + Database() +
                                                           L"”：文件可能已损坏，或正被其他程序使用。游戏库中的游戏无法显示，也无法添加新游戏。"});
        EXPECT_TRUE(windowShownAtBox);
        EXPECT_EQ(me.GameCellCount(), 1);
        ClickButton(me.Btn_GameSc.Live());
        ClickButton(me.Btn_GameAll.Live());
        PumpFor(100);
        EXPECT_EQ(boxes.prompts.size(), 1u) << "told once, at start";
        EXPECT_TRUE(ReadDatabase() == before) << "a library that cannot be read is never changed";
        return me;
    }

    TestProgramFolder prog;
    LauncherEnv env{prog.Path()};
    MainFrm& f = TheMainFrm();
    bool windowShownAtBox = false;
    MsgBoxRecorder boxes{[this] { windowShownAtBox = IsWindowVisible(f.hWnd()) != FALSE; }};
};

// Nothing is lost when the library is missing or empty (as a start without
// one used to leave it): it is made with the program's tables and the
// launcher works with it at once, without a word.
TEST_F(DamagedCatalogueTest, AMissingOrEmptyLibraryIsMadeAnew) {
    const std::wstring delivered = Schema();
    ASSERT_NE(delivered.find(L"Games_NewestFirst"), std::wstring::npos);
    for (bool empty : {false, true}) {
        if (empty)
            WriteDatabase("");
        else
            ASSERT_TRUE(DeleteFileW(Database().c_str()));
        EXPECT_EQ(OpenAndCheck().GameCellCount(), 1);
        EXPECT_TRUE(boxes.prompts.empty());
        EXPECT_EQ(Schema(), delivered);
        EXPECT_EQ(env.QueryInt(L"Select Count(*) From Install Where I_Close = 0"), 1);
        env.Exec(Insert(L"new"));
        ClickButton(f.Me().Btn_GameSc.Live());
        ClickButton(f.Me().Btn_GameAll.Live());
        ASSERT_EQ(f.Me().GameCellCount(), 2);
        EXPECT_EQ(f.Me().Entry(1).Name, L"new");
        f.Unload();
    }
}

TEST_F(DamagedCatalogueTest, RandomBytesGiveAnEmptyGrid) {
    std::mt19937 random(20261209);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    WriteDatabase(noise);
    OpenUnreadable();
    f.Unload();
    // What the user then does still ends in the usual way.
    EXPECT_EQ(env.ends, 0);
}

TEST_F(DamagedCatalogueTest, ADatabaseCutShortGivesAnEmptyGrid) {
    env.Exec({Insert(L"one"), Insert(L"two")});
    const std::string whole = ReadDatabase();
    for (size_t keep : {size_t{100}, whole.size() / 2}) {
        WriteDatabase(whole.substr(0, keep));
        OpenUnreadable();
        f.Unload();
    }
}

TEST_F(DamagedCatalogueTest, ExtraColumnsAreIgnoredMissingOnesLeaveTheGridEmpty) {
    env.Exec({Insert(L"kept"), L"Alter Table Games Add Column Extra1 Text", L"Alter Table Games Add Column Extra2 Integer"});
    MainMe& me = OpenAndCheck();
    ASSERT_EQ(me.GameCellCount(), 2);
    EXPECT_EQ(me.Entry(1).Name, L"kept");
    EXPECT_TRUE(boxes.prompts.empty());
    f.Unload();

    env.Exec({L"Create Table Thin (G_ID Integer Primary Key, G_Name Text)", L"Insert Into Thin (G_Name) Values ('thin')",
              L"Drop Table Games", L"Alter Table Thin Rename To Games", L"Drop Table Install"});
    OpenUnreadable();
    f.Unload();
}

// Another program holds the library past the wait for its lock just when
// the launcher starts: the user is told, and the file is not touched.
TEST_F(DamagedCatalogueTest, ALibraryHeldByAnotherProgramAtStartIsReported) {
    env.Exec(Insert(L"Tetris"));
    {
        OtherProgram other(prog.Path(), Database());
        ASSERT_TRUE(other.Open());
        ASSERT_EQ(other.Exec("Begin Exclusive"), 0);
        OpenUnreadable();
        other.Exec("Rollback");
    }
    // Once it is free again, the next start reads it.
    f.Unload();
    boxes.prompts.clear();
    EXPECT_EQ(OpenAndCheck().GameCellCount(), 2);
    EXPECT_TRUE(boxes.prompts.empty());
}

// Another program reads the library for a moment (its own connection holds
// the read lock while its statement runs) just when the user favours a game.
TEST_F(DamagedCatalogueTest, AChangeWaitsForAnotherProgramThatReadsTheLibraryAMoment) {
    env.Exec(Insert(L"Tetris"));
    MainMe& me = OpenAndCheck();
    EXPECT_TRUE(boxes.prompts.empty());

    HANDLE reading = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread reader([&] {
        OtherProgram other(prog.Path(), Database());
        other.StartReading();  // a row is ready: the read lock is held
        SetEvent(reading);
        Sleep(300);
        other.Finish();
    });
    WaitForSingleObject(reading, 10000);
    me.G_GameName = L"Tetris";
    me.FavoriteRun();
    reader.join();
    CloseHandle(reading);
    EXPECT_EQ(env.QueryInt(L"Select G_Favorite From Games Where G_Name = 'Tetris'"), 2) << "the favourite was lost";
}

}  // namespace
