// A catalogue database the launcher cannot trust: random bytes, a file cut
// short, tables with extra or missing columns, another program reading it.
// The main window still opens with its tabs, the grid shows what can be
// read (at least the entry that leads to the catalogue), nothing crashes,
// the close button still acts, and a change is not lost.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <thread>

#include "CTabItems.h"
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

    TestProgramFolder prog;
    LauncherEnv env{prog.Path()};
    MainFrm& f = TheMainFrm();
};

TEST_F(DamagedCatalogueTest, RandomBytesGiveAnEmptyGrid) {
    std::mt19937 random(20261209);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    WriteDatabase(noise);
    EXPECT_EQ(OpenAndCheck().GameCellCount(), 1);
    f.Unload();
    // What the user then does still ends in the usual way.
    EXPECT_EQ(env.ends, 0);
}

TEST_F(DamagedCatalogueTest, ADatabaseCutShortGivesAnEmptyGrid) {
    env.Exec({Insert(L"one"), Insert(L"two")});
    const std::string whole = ReadDatabase();
    for (size_t keep : {size_t{0}, size_t{100}, whole.size() / 2}) {
        WriteDatabase(whole.substr(0, keep));
        EXPECT_LE(OpenAndCheck().GameCellCount(), 3) << keep;
        f.Unload();
    }
}

TEST_F(DamagedCatalogueTest, ExtraColumnsAreIgnoredMissingOnesLeaveTheGridEmpty) {
    env.Exec({Insert(L"kept"), L"Alter Table Games Add Column Extra1 Text", L"Alter Table Games Add Column Extra2 Integer"});
    MainMe& me = OpenAndCheck();
    ASSERT_EQ(me.GameCellCount(), 2);
    EXPECT_EQ(me.Entry(1).Name, L"kept");
    f.Unload();

    env.Exec({L"Create Table Thin (G_ID Integer Primary Key, G_Name Text)", L"Insert Into Thin (G_Name) Values ('thin')",
              L"Drop Table Games", L"Alter Table Thin Rename To Games", L"Drop Table Install"});
    OpenAndCheck();
    f.Unload();
}

// Another program reads the library for a moment (its own connection holds
// the read lock while its statement runs) just when the user favours a game.
TEST_F(DamagedCatalogueTest, AChangeWaitsForAnotherProgramThatReadsTheLibraryAMoment) {
    env.Exec(Insert(L"Tetris"));
    MainMe& me = OpenAndCheck();

    using Open = int (*)(const char*, void**);
    using Prepare = int (*)(void*, const char*, int, void**, const char**);
    using Step = int (*)(void*);
    using Finalize = int (*)(void*);
    using Close = int (*)(void*);
    HMODULE sqlite = LoadLibraryW((prog.Path() + L"\\sqlite3.dll").c_str());
    ASSERT_TRUE(sqlite);
    const auto open = reinterpret_cast<Open>(GetProcAddress(sqlite, "sqlite3_open"));
    const auto prepare = reinterpret_cast<Prepare>(GetProcAddress(sqlite, "sqlite3_prepare_v2"));
    const auto step = reinterpret_cast<Step>(GetProcAddress(sqlite, "sqlite3_step"));
    const auto finalize = reinterpret_cast<Finalize>(GetProcAddress(sqlite, "sqlite3_finalize"));
    const auto close = reinterpret_cast<Close>(GetProcAddress(sqlite, "sqlite3_close"));
    HANDLE reading = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::string path(MAX_PATH, '\0');
    path.resize(WideCharToMultiByte(CP_UTF8, 0, Database().c_str(), -1, path.data(), MAX_PATH, nullptr, nullptr) - 1);
    std::thread reader([&] {
        void* db = nullptr;
        void* stmt = nullptr;
        open(path.c_str(), &db);
        prepare(db, "Select * From Games", -1, &stmt, nullptr);
        step(stmt);  // a row is ready: the read lock is held
        SetEvent(reading);
        Sleep(300);
        finalize(stmt);
        close(db);
    });
    WaitForSingleObject(reading, 10000);
    me.G_GameName = L"Tetris";
    me.FavoriteRun();
    reader.join();
    CloseHandle(reading);
    FreeLibrary(sqlite);
    EXPECT_EQ(env.QueryInt(L"Select G_Favorite From Games Where G_Name = 'Tetris'"), 2) << "the favourite was lost";
}

}  // namespace
