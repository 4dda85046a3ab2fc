// Running a game from the library: a Flash game's existing tab, web games
// handed to a running player over DDE (a second real process), to a new
// player by its command line, to Internet Explorer by the studio marker,
// the messages when the player does not take a game or is missing, a
// player file that cannot be opened for another reason, work on the library
// while a run's message is up, and the quiet end when there is no row.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "CTabItem.h"
#include "CTabItems.h"
#include "DialogTestSupport.h"
#include "FlashGame.h"
#include "Form.h"
#include "GameRun.h"
#include "ITabForm.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "MainGameUrl.h"
#include "MainMe.h"
#include "Pump.h"
#include "FileBytes.h"
#include "SqlText.h"
#include "uTab.h"

namespace {

// The player stand-in running from the test's program folder.
class RunningPlayer {
public:
    RunningPlayer(const TestProgramFolder& prog, const std::wstring& args) : log_(prog.dir.File(L"pellow.log")) {
        std::wstring line = L"\"" + prog.dir.File(L"Pellow.exe") + L"\" " + args;
        STARTUPINFOW si{sizeof si};
        CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, prog.Path().c_str(), &si, &pi_);
    }
    ~RunningPlayer() {
        if (!pi_.hProcess) return;
        TerminateProcess(pi_.hProcess, 0);
        WaitForSingleObject(pi_.hProcess, 10000);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    bool Started() const { return pi_.hProcess != nullptr; }
    std::string Log() const { return ReadFileBytes(log_).value_or(""); }
    bool WaitFor(const std::string& text) {
        return PumpUntil([&] { return Log().find(text) != std::string::npos; }, 20000);
    }

private:
    std::wstring log_;
    PROCESS_INFORMATION pi_{};
};

// A page of the strip standing for a Flash game that is already open.
class OpenGamePage : public Form, public ITabForm {
public:
    OpenGamePage() { BorderStyle(FormBorderStyleConstants::None); }
    HWND hwnd() const override { return Window::hwnd(); }
    void Initialize(IuTab*, CTabItem*) override {}
    void Unload() override { Form::Unload(); }
};

std::wstring Insert(const std::wstring& name, int type, const std::wstring& url) {
    return L"Insert Into Games (G_Name, G_Introduce, G_WebUrl, W_Url, G_Type, G_Favorite) Values ('" + SqlText(name) +
           L"', 'intro', 'http://portal/page', '" + SqlText(url) + L"', " + std::to_wstring(type) + L", 1)";
}

class GameRunTest : public ::testing::Test {
protected:
    void TearDown() override { f.Unload(); }
    MainMe& Run(const std::wstring& name) {
        MainMe& me = f.Me();
        me.Image_Flash_Run(name);
        return me;
    }

    TestProgramFolder prog{true};
    LauncherEnv env{prog.Path()};
    MainFrm& f = TheMainFrm();
    void SetUp() override {
        env.Exec({Insert(L"web one", 2, L"http://127.0.0.1:9/web/one"), Insert(L"web two", 2, L"http://127.0.0.1:9/web/two"),
                  Insert(L"studio", 2, L"http://127.0.0.1:9/url_vantor/s"), Insert(L"shouting", 2, L"http://127.0.0.1:9/URL_VANTOR/s"),
                  Insert(L"O'Flash", 1, L"")});
        f.Show();
    }
};

TEST_F(GameRunTest, WebGamesGoToTheRunningPlayerOverOneConversation) {
    RunningPlayer player(prog, L"http://first");
    ASSERT_TRUE(player.Started());
    ASSERT_TRUE(player.WaitFor("ready"));
    EXPECT_TRUE(IsFileLocked(PlayerFile()));
    Run(L"web one");
    Run(L"web two");
    Run(L"shouting");  // the marker in other letters is no marker
    ASSERT_TRUE(player.WaitFor("exec http://127.0.0.1:9/URL_VANTOR/s"));
    EXPECT_EQ(player.Log(),
              "start http://first\nready\nexec http://127.0.0.1:9/web/one\nexec http://127.0.0.1:9/web/two\n"
              "exec http://127.0.0.1:9/URL_VANTOR/s\n");
    EXPECT_TRUE(env.shells.empty()) << "no second player";
}

// The words of a command line as the started program reads them.
std::vector<std::wstring> Arguments(const std::wstring& line) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> out(words, words + count);
    LocalFree(words);
    return out;
}

TEST_F(GameRunTest, StudioGamesOpenInInternetExplorerEvenWhileThePlayerRuns) {
    RunningPlayer player(prog, L"x");
    ASSERT_TRUE(player.WaitFor("ready"));
    Run(L"studio");
    ASSERT_EQ(env.shells.size(), 1u);
    EXPECT_EQ(env.shells[0], L"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" \"http://127.0.0.1:9/url_vantor/s\"");
    EXPECT_EQ(env.styles[0], VbAppWinStyle::MaximizedFocus);
    PumpFor(300);
    EXPECT_EQ(player.Log().find("exec"), std::string::npos);
}

// The program path in quotes (never "C:\Program.exe"), and the address one
// argument whatever blanks, quotes and backslashes it holds.
TEST_F(GameRunTest, InternetExplorerGetsItsPathAndTheAddressAsTwoWords) {
    const std::wstring address = L"http://127.0.0.1:9/url_vantor/a b\" -k \"c\\";
    env.Exec(Insert(L"studio trick", 2, address));
    Run(L"studio trick");
    ASSERT_EQ(env.shells.size(), 1u);
    EXPECT_EQ(Arguments(env.shells[0]),
              (std::vector<std::wstring>{L"C:\\Program Files\\Internet Explorer\\iexplore.exe",
                                         L"http://127.0.0.1:9/url_vantor/a b%22 -k %22c\\"}));
}

TEST_F(GameRunTest, WithoutARunningPlayerOneIsStartedWithTheAddress) {
    EXPECT_FALSE(IsFileLocked(PlayerFile()));
    Run(L"web one");
    ASSERT_EQ(env.shells.size(), 1u);
    EXPECT_EQ(env.shells[0], L"\"" + prog.dir.File(L"Pellow.exe") + L"\" http://127.0.0.1:9/web/one");
    EXPECT_EQ(env.styles[0], VbAppWinStyle::NormalFocus);
    // Names that are not in the library run nothing.
    Run(L"nowhere");
    Run(L"web one' Or '1'='1");
    EXPECT_EQ(env.shells.size(), 1u);
}

TEST_F(GameRunTest, APlayerThatDoesNotAnswerOrIsMissingIsReportedAndNothingElseHappens) {
    MsgBoxRecorder boxes;
    {
        RunningPlayer mute(prog, L"--mute");
        ASSERT_TRUE(mute.WaitFor("start --mute"));
        PumpUntil([] { return IsFileLocked(PlayerFile()); }, 5000);
        Run(L"web one");
        EXPECT_TRUE(env.shells.empty());
        EXPECT_TRUE(f.Loaded());
        EXPECT_EQ(boxes.prompts, std::vector<std::wstring>{L"“web one”无法在游戏浏览器中打开：游戏浏览器没有响应。"});
    }
    DeleteFileW(prog.dir.File(L"Pellow.exe").c_str());
    EXPECT_FALSE(IsFileLocked(PlayerFile())) << "a missing file is no running player";
    Run(L"web two");
    EXPECT_TRUE(env.shells.empty());
    ASSERT_EQ(boxes.prompts.size(), 2u);
    EXPECT_EQ(boxes.prompts[1], L"“web two”无法在游戏浏览器中打开：找不到游戏浏览器程序“" + PlayerFile() + L"”。");
}

// The player's file cannot be opened for another reason than a running
// player (here a folder of that name, which refuses the open as a file
// without write rights does): the player is started as usual.
TEST_F(GameRunTest, APlayerFileThatCannotBeOpenedForAnotherReasonIsNoRunningPlayer) {
    MsgBoxRecorder boxes;
    const std::wstring file = prog.dir.File(L"Pellow.exe");
    ASSERT_TRUE(DeleteFileW(file.c_str()));
    ASSERT_TRUE(CreateDirectoryW(file.c_str(), nullptr));
    EXPECT_FALSE(IsFileLocked(PlayerFile()));
    Run(L"web one");
    EXPECT_TRUE(boxes.prompts.empty());
    ASSERT_EQ(env.shells.size(), 1u);
    EXPECT_EQ(env.shells[0], L"\"" + file + L"\" http://127.0.0.1:9/web/one");
}

// While the run's message box is up, its loop runs whatever else the
// launcher has queued (a download finishing, the settings dialog): their
// work on the library is saved, and so is the work after it.
TEST_F(GameRunTest, WorkOnTheLibraryWhileTheRunsMessageIsUpIsSaved) {
    std::vector<int32_t> written;
    MsgBoxRecorder boxes([&] {
        CatalogueGroup group;
        written.push_back(group.Exec(L"Update [Games] Set [G_Favorite] = 2 Where [G_Name] = 'web two'"));
    });
    DeleteFileW(prog.dir.File(L"Pellow.exe").c_str());
    Run(L"web one");
    ASSERT_EQ(boxes.prompts.size(), 1u);
    EXPECT_EQ(written, std::vector<int32_t>{0});
    EXPECT_EQ(env.QueryInt(L"Select G_Favorite From Games Where G_Name = 'web two'"), 2);
    f.Me().G_GameName = L"studio";
    f.Me().FavoriteRun();
    EXPECT_EQ(env.QueryInt(L"Select G_Favorite From Games Where G_Name = 'studio'"), 2);
}

TEST_F(GameRunTest, AFlashGameWhoseTabIsOpenIsSelected) {
    CTabItems& items = f.frmuTab->TabItems();
    auto page = std::make_shared<OpenGamePage>();
    page->Load();
    items.Add(L"O'Flash", page, L"O'Flash");
    items.Add(L"other", [] {
        auto p = std::make_shared<OpenGamePage>();
        p->Load();
        return p;
    }(), L"other");
    f.frmuTab->Selected(0);
    Run(L"O'Flash");
    EXPECT_EQ(f.frmuTab->Selected(), 2);
    EXPECT_EQ(items.Count(), 4);
    EXPECT_TRUE(env.shells.empty());
}

TEST_F(GameRunTest, TheGamesPortalPageOpensInOneTabKeyedByItsName) {
    env.Exec(L"Insert Into Games (G_Name, G_WebUrl, W_Url, G_Type, G_Favorite) Values ('" + SqlText(L"页 game") +
             L"', '" + SqlText(L"http://127.0.0.1:9/game/页.html") + L"', '', 1, 1)");
    MainMe& me = f.Me();
    CTabItems& items = f.frmuTab->TabItems();
    me.G_GameName = L"页 game";
    me.GameRunWebUrl();
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Item(2L)->Caption(), L"页 game");
    EXPECT_EQ(items.FindItem(std::wstring(L"页 game")), 2);
    EXPECT_EQ(f.frmuTab->Selected(), 2);
    auto* page = dynamic_cast<MainGameUrl*>(items.Item(2L)->Form().get());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->URL(), L"http://127.0.0.1:9/game/页.html");
    f.frmuTab->Selected(0);
    me.GameRunWebUrl();
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(f.frmuTab->Selected(), 2);
    me.G_GameName = L"not stored";
    me.GameRunWebUrl();
    EXPECT_EQ(items.Count(), 3);
}

TEST_F(GameRunTest, AFlashGameOpensInATabOfItsOwnOnce) {
    CTabItems& items = f.frmuTab->TabItems();
    Run(L"O'Flash");
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Item(2L)->Caption(), L"O'Flash");
    EXPECT_EQ(items.FindItem(std::wstring(L"O'Flash")), 2);
    EXPECT_EQ(f.frmuTab->Selected(), 2);
    auto* page = dynamic_cast<FlashGame*>(items.Item(2L)->Form().get());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GameName(), L"O'Flash");
    EXPECT_EQ(page->PopMode(), 0);
    f.frmuTab->Selected(0);
    Run(L"O'Flash");
    EXPECT_EQ(items.Count(), 3) << "no second tab with the same key";
    EXPECT_EQ(f.frmuTab->Selected(), 2);
    EXPECT_EQ(items.Item(2L)->Form().get(), page);
    EXPECT_TRUE(env.shells.empty());
}

}  // namespace
