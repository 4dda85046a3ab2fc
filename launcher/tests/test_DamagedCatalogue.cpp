// A catalogue database the launcher cannot trust: random bytes, a file cut
// short, tables with extra or missing columns. The main window still opens
// with its tabs, the grid shows what can be read (at least the entry that
// leads to the catalogue), and nothing crashes; the close button still acts.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

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

}  // namespace
