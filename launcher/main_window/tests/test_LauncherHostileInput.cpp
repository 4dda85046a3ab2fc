// What a second start hands the running launcher over DDE cannot be trusted:
// executes of any length or content are accepted, only "Show" acts, and the
// window and its tabs stay as they were.
#include <gtest/gtest.h>

#include "CTabItems.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "uTab.h"

namespace {

TEST(LauncherHostileInput, ExecutesOfAnyContentChangeNothingButShow) {
    TestProgramFolder prog;
    LauncherEnv env{prog.Path()};
    MainFrm& f = TheMainFrm();
    f.Show();
    f.Hide();
    std::wstring controls;
    for (wchar_t c = 1; c < 0x20; ++c) controls += c;
    for (const std::wstring& cmd : {std::wstring(), std::wstring(100 * 1024, L'S'), controls,
                                    std::wstring(L"CommandLine=\xD800\xDFFF\xDC00"), std::wstring(L"show"), std::wstring(L"Show ")}) {
        EXPECT_TRUE(f.DeliverLinkExecute(cmd));
        EXPECT_FALSE(IsWindowVisible(f.hWnd())) << cmd.size();
    }
    EXPECT_EQ(f.frmuTab->TabItems().Count(), 2);
    EXPECT_TRUE(f.DeliverLinkExecute(L"Show"));
    EXPECT_TRUE(IsWindowVisible(f.hWnd()));
    f.Unload();
    EXPECT_EQ(env.ends, 0);
}

}  // namespace
