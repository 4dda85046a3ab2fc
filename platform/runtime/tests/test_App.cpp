// The program's facts, its command line, and the side effects that tests
// redirect: message boxes, process starts and the end of the program.
#include <gtest/gtest.h>

#include <windows.h>

#include "App.h"
#include "MsgBox.h"
#include "Shell.h"

namespace {

TEST(App, ProgramFolderAndName) {
    EXPECT_EQ(App::EXEName(), L"platform_runtime_tests");
    const std::wstring path = App::Path();
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.back(), L'\\');
    EXPECT_NE(GetFileAttributesW((path + L"\\" + App::EXEName() + L".exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(App, CommandIsEverythingAfterTheProgramName) {
    EXPECT_EQ(CommandArguments(L"\"C:\\Program Files\\Pellow.exe\"  http://127.0.0.1/g?a=1 b"), L"http://127.0.0.1/g?a=1 b");
    EXPECT_EQ(CommandArguments(L"C:\\Orvane\\Pellow.exe http://host/游戏"), L"http://host/游戏");
    EXPECT_EQ(CommandArguments(L"Pellow.exe"), L"");
    EXPECT_EQ(CommandArguments(L"Pellow.exe    "), L"");
    EXPECT_EQ(CommandArguments(L"\"Pellow.exe\"x y"), L"x y");
    EXPECT_EQ(Command(), CommandArguments(GetCommandLineW()));
}

TEST(App, MessageBoxesGoThroughTheirHook) {
    struct Seen {
        std::wstring prompt, title;
        UINT buttons;
    } seen{};
    const MsgBoxHandler original = MsgBoxHook();
    MsgBoxHook() = [&](const std::wstring& prompt, UINT buttons, const std::wstring& title) {
        seen = {prompt, title, buttons};
        return IDOK;
    };
    EXPECT_EQ(MsgBox(L"收藏成功"), IDOK);
    EXPECT_EQ(seen.prompt, L"收藏成功");
    EXPECT_EQ(seen.buttons, static_cast<UINT>(MB_OK));
    EXPECT_EQ(seen.title, App::EXEName());  // the program's title by default
    App::Title(L"Brisco-网页游戏");
    MsgBox(L"非法访问", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(seen.title, L"Brisco-网页游戏");
    EXPECT_EQ(seen.buttons, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    MsgBox(L"x", MB_OK, L"own title");
    EXPECT_EQ(seen.title, L"own title");
    App::Title(L"");
    MsgBoxHook() = original;
}

TEST(App, ProcessStartsAndTheEndGoThroughTheirHooks) {
    std::vector<std::pair<std::wstring, VbAppWinStyle>> started;
    const ShellHandler original = ShellHook();
    ShellHook() = [&](const std::wstring& line, VbAppWinStyle style) {
        started.emplace_back(line, style);
        return DWORD{42};
    };
    EXPECT_EQ(Shell(L"Explorer.exe /s , http://127.0.0.1", VbAppWinStyle::MinimizedFocus), 42u);
    TaskKill(L"Pellow.exe");
    ShellHook() = original;
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].first, L"Explorer.exe /s , http://127.0.0.1");
    EXPECT_EQ(started[0].second, VbAppWinStyle::MinimizedFocus);
    EXPECT_EQ(started[1].first, L"cmd.exe /c taskkill /im Pellow.exe /f");
    EXPECT_EQ(started[1].second, VbAppWinStyle::Hide);

    int ends = 0;
    const auto originalEnd = EndHook();
    EndHook() = [&] { ++ends; };
    End();
    EndHook() = originalEnd;
    EXPECT_EQ(ends, 1);
}

}  // namespace
