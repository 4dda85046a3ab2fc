// The player reached by DDE from another process: the test program plays the
// launcher's side in a copy of itself started with a role, or the real
// Pellow.exe of the program folder is started with an address and fed more.
#include <gmock/gmock.h>

#include <sstream>

#include "ChildProcess.h"
#include "DdeClientForm.h"
#include "PlayerFixture.h"
#include "RaisedError.h"

using ::testing::ElementsAre;

namespace {

// Opens "App|Topic" and sends each execute; 0 when all were accepted, else
// the error number.
int SendExecutes(const std::wstring& topic, const std::vector<std::wstring>& commands) {
    DdeClientForm f;  // the launcher's side
    f.Load();
    int result = 0;
    try {
        f.link.LinkTopic(topic);
        f.link.LinkMode(2);
        for (const auto& c : commands) f.link.LinkExecute(c);
        f.link.LinkMode(0);
    } catch (const RaisedError& e) {
        result = static_cast<int>(e.Number());
    }
    f.Unload();
    return result;
}

// "--role=ddeclient <App|Topic>" then each execute after a tab character;
// ends with 1000 + the number of executes accepted, or the error number.
const bool kRolePlayed = [] {
    const std::wstring args = Command();
    const std::wstring prefix = L"--role=ddeclient ";
    if (args.rfind(prefix, 0) != 0) return false;
    std::vector<std::wstring> parts;
    std::wstringstream in(args.substr(prefix.size()));
    for (std::wstring part; std::getline(in, part, L'\t');) parts.push_back(part);
    if (args.back() == L'\t') parts.push_back(L"");
    const std::wstring topic = parts.front();
    parts.erase(parts.begin());
    const int error = SendExecutes(topic, parts);
    ExitProcess(error ? error : 1000 + static_cast<int>(parts.size()));
}();

class PlayerDdeTest : public PlayerFixture {
protected:
    // Another process sends the executes to this process's player window;
    // the number of executes it got accepted, or its error.
    DWORD Send(const std::vector<std::wstring>& commands) {
        std::wstring line = Quoted(SelfPath()) + L" --role=ddeclient " + App::EXEName() + L"|PellowDDE";
        for (const auto& c : commands) line += L"\t" + c;
        ChildProcess client(line);
        const DWORD code = client.Started() ? client.ExitCode() : 998;
        return code >= 1000 ? code - 1000 : code + 10000;
    }
    std::vector<std::wstring> Keys() {
        std::vector<std::wstring> keys;
        for (const std::wstring& a : {Url("a"), Url("b"), Url("c")})
            if (Tabs().FindItem(L"Game" + a) >= 0) keys.push_back(L"Game" + a);
        return keys;
    }
};

TEST_F(PlayerDdeTest, SameAddressSelectsItsTabWithoutReloadingNewAddressAddsOne) {
    const std::wstring a = Url("a"), b = Url("b"), c = Url("c");
    Start(a);
    ASSERT_TRUE(PumpUntil([&] { return http.RequestCount("/a") == 1; }, 20000));

    EXPECT_EQ(Send({a}), 1u);
    EXPECT_EQ(Tabs().Count(), 1);
    EXPECT_EQ(Tabs().Selected(), 0);

    EXPECT_EQ(Send({b}), 1u);
    ASSERT_EQ(Tabs().Count(), 2);
    EXPECT_EQ(Tabs().FindItem(L"Game" + a), 0);
    EXPECT_EQ(Tabs().FindItem(L"Game" + b), 1);
    EXPECT_EQ(Tabs().Selected(), 1);
    EXPECT_TRUE(IsWindowVisible(Page(1).hwnd()));

    // Back to A: selected, shown on top, not loaded again (C's load comes
    // after any load the execute of A would have started).
    EXPECT_EQ(Send({a, c, a}), 3u);
    EXPECT_EQ(Tabs().Count(), 3);
    EXPECT_EQ(Tabs().Selected(), 0);
    EXPECT_EQ(ChildWindowFromPointEx(frm->pCnt.hWnd(), POINT{100, 100}, CWP_SKIPINVISIBLE), Page(0).hwnd());
    ASSERT_TRUE(PumpUntil([&] { return http.RequestCount("/c") == 1; }, 20000));
    PumpUntil([&] { return Captions().size() == 3 && Captions()[2] == L"Game c"; }, 20000);
    EXPECT_EQ(http.RequestCount("/a"), 1u);
    EXPECT_EQ(http.RequestCount("/b"), 1u);
}

TEST_F(PlayerDdeTest, ExecuteRestoresAMinimisedWindowEmptyExecuteIsAcceptedAndOpensNothing) {
    const std::wstring a = Url("a"), b = Url("b");
    Start(a);
    Press((*frm->web_min));
    ASSERT_TRUE(IsIconic(frm->hWnd()));
    EXPECT_EQ(Send({b}), 1u);
    EXPECT_FALSE(IsIconic(frm->hWnd()));
    EXPECT_EQ(Tabs().Count(), 2);

    EXPECT_EQ(Send({L""}), 1u);
    EXPECT_EQ(Tabs().Count(), 2);
    EXPECT_EQ(Tabs().FindItem(L"Game"), -1);
    EXPECT_EQ(Tabs().Selected(), 1);

    // Case and a trailing "/" are compared as the tab collection compares keys.
    std::wstring upper = a;
    for (auto& ch : upper) ch = static_cast<wchar_t>(towupper(ch));
    EXPECT_EQ(Send({upper, a + L"/"}), 2u);
    EXPECT_EQ(Tabs().Count(), 3);
    EXPECT_EQ(Tabs().FindItem(L"Game" + a + L"/"), 2);
    EXPECT_EQ(Tabs().Selected(), 2);
}

// The real program of the program folder.
std::wstring PellowExe() { return Quoted(std::wstring(kDistDir) + L"Pellow.exe"); }

struct Found {
    DWORD pid;
    std::wstring className;
    HWND hwnd = nullptr;
};

BOOL CALLBACK FindTopWindow(HWND hwnd, LPARAM lParam) {
    auto* f = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = L"";
    GetClassNameW(hwnd, cls, 64);
    if (pid == f->pid && IsWindowVisible(hwnd) && (f->className.empty() || f->className == cls)) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND TopWindowOf(DWORD pid, const wchar_t* className = L"") {
    Found f{pid, className};
    EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[256] = L"";
    GetWindowTextW(hwnd, text, 256);
    return text;
}

BOOL CALLBACK CollectText(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<std::wstring>*>(lParam)->push_back(TextOf(hwnd));
    return TRUE;
}

std::vector<std::wstring> ChildTexts(HWND parent) {
    std::vector<std::wstring> texts;
    EnumChildWindows(parent, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

TEST_F(PlayerDdeTest, PellowExeTakesItsAddressFromTheCommandLineAndMoreByDde) {
    const std::wstring a = Url("a"), b = Url("b"), c = Url("c");
    ChildProcess player(PellowExe() + L" " + a);
    ASSERT_TRUE(player.Started());
    ASSERT_TRUE(PumpUntil([&] { return http.RequestCount("/a") == 1; }, 30000));
    HWND window = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (window = TopWindowOf(player.Id())) != nullptr; }, 30000));
    EXPECT_EQ(TextOf(window), L"Brisco-网页游戏");
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, 0);

    EXPECT_EQ(SendExecutes(L"Pellow|PellowDDE", {b, a, c}), 0);
    ASSERT_TRUE(PumpUntil([&] { return http.RequestCount("/c") == 1; }, 30000));
    EXPECT_EQ(http.RequestCount("/b"), 1u);
    EXPECT_EQ(http.RequestCount("/a"), 1u);
    EXPECT_TRUE(player.Running());
}

TEST_F(PlayerDdeTest, PellowExeWithoutAddressShowsTheMessageAndEnds) {
    ChildProcess player(PellowExe());
    ASSERT_TRUE(player.Started());
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = TopWindowOf(player.Id(), L"#32770")) != nullptr; }, 30000));
    EXPECT_EQ(TextOf(box), L"Pellow");
    EXPECT_THAT(ChildTexts(box), ::testing::Contains(L"非法访问，游戏浏览器必须由主程序打开！"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(player.ExitCode(), 0u);
    EXPECT_EQ(TopWindowOf(player.Id()), nullptr);
}

}  // namespace
