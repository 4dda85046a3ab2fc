// Second processes: DDE executes delivered between two processes in order, the
// previous-instance test, process start with a window style, and the forced
// end of processes by program file name. The test program starts copies of
// itself with a role argument to play the other process.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "App.h"
#include "ChildProcess.h"
#include "DdeClientForm.h"
#include "Form.h"
#include "RaisedError.h"
#include "Shell.h"
#include "TempDir.h"

namespace {

// Every control character, a lone high and a lone low surrogate, and a text of 100 KB.
std::wstring ControlCharacters() {
    std::wstring text;
    for (wchar_t c = 1; c < 0x20; ++c) text += c;
    return text + L"\x7F";
}
const std::vector<std::wstring> kCommands = {L"Show", L"二号 game", L"CommandLine=http://127.0.0.1/a?b=1 c",
                                             L"mark \x0001 and \U0001F3AE", L"", ControlCharacters(),
                                             std::wstring(L"lone \xD800 high"), std::wstring(L"lone \xDC00 low \xDBFF"),
                                             std::wstring(100 * 1024, L'w') + L"二"};

int DdeClientRole(const std::wstring& topic) {
    DdeClientForm f;
    f.Load();
    try {
        f.link.LinkMode(0);
        f.link.LinkTopic(topic);
        f.link.LinkMode(2);
        for (const auto& c : kCommands) f.link.LinkExecute(c);
    } catch (const RaisedError& e) {
        return static_cast<int>(e.Number());
    }
    try {
        f.link.LinkExecute(L"refuse");
        return 1;
    } catch (const RaisedError& e) {
        if (e.Number() != 285) return 2;
    }
    try {
        f.link.LinkExecute(L"last");
        const int timeout = f.link.LinkTimeout();
        f.link.LinkTimeout(1);
        f.link.LinkMode(0);
        f.link.LinkTimeout(timeout);
    } catch (const RaisedError& e) {
        return 3;
    }
    return 0;
}

// Serves `topic` until an execute "exit <code>" ends the process with that
// code (after the execute has been answered); "<topic>.ready" is set once
// the server is up.
class ExitingServer : public Form {
public:
    explicit ExitingServer(const std::wstring& topic) {
        LinkTopic(topic);
        LinkMode(1);
    }
    int code = 0;

protected:
    void Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) override {
        if (CmdStr.rfind(L"exit ", 0) != 0) return;
        code = std::stoi(CmdStr.substr(5));
        Cancel = 0;
        PostQuitMessage(0);
    }
};

int DdeServerRole(const std::wstring& topic) {
    ExitingServer server(topic);
    server.Load();
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (topic + L".ready").c_str());
    if (!ready) return 4;
    SetEvent(ready);
    CloseHandle(ready);
    App::Run();
    return server.code;
}

int PrevInstanceRole(const std::wstring& hold) {
    if (App::PrevInstance()) return 1;
    if (hold.empty()) return 0;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (hold + L".ready").c_str());
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, (hold + L".release").c_str());
    if (!ready || !release) return 4;
    SetEvent(ready);
    WaitForSingleObject(release, 20000);
    return 0;
}

int StartupShowRole() {
    STARTUPINFOW si{sizeof si};
    GetStartupInfoW(&si);
    Sleep(500);  // still running when the starter gets control back
    return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : 100;
}

// A copy of the test program started with a role ends after playing it.
const bool kRolePlayed = [] {
    const std::wstring args = Command();
    const auto arg = [&](const wchar_t* role) {
        const std::wstring prefix = std::wstring(L"--role=") + role;
        if (args.rfind(prefix, 0) != 0) return std::wstring(L"\x1");
        return args.size() > prefix.size() ? args.substr(prefix.size() + 1) : std::wstring();
    };
    if (auto a = arg(L"ddeclient"); a != L"\x1") ExitProcess(DdeClientRole(a));
    if (auto a = arg(L"ddeserver"); a != L"\x1") ExitProcess(DdeServerRole(a));
    if (auto a = arg(L"previnstance"); a != L"\x1") ExitProcess(PrevInstanceRole(a));
    if (auto a = arg(L"startupshow"); a != L"\x1") ExitProcess(StartupShowRole());
    if (auto a = arg(L"sleep"); a != L"\x1") {
        Sleep(60000);
        ExitProcess(5);
    }
    return false;
}();

class ServerForm : public Form {
public:
    ServerForm() {
        LinkTopic(L"RuntimeTopic" + std::to_wstring(GetCurrentProcessId()));
        LinkMode(1);
    }
    std::vector<std::wstring> received;

protected:
    void Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) override {
        received.push_back(CmdStr);
        if (CmdStr != L"refuse") Cancel = 0;
    }
};

// Whatever their content or length, executes arrive whole and in order.
TEST(Dde, ExecutesFromAnotherProcessArriveInOrder) {
    ServerForm server;
    server.Load();
    const std::wstring topic = App::EXEName() + L"|" + server.LinkTopic();
    ChildProcess client(Quoted(SelfPath()) + L" --role=ddeclient " + topic);
    ASSERT_TRUE(client.Started());
    EXPECT_EQ(client.ExitCode(), 0u);
    std::vector<std::wstring> expected = kCommands;
    expected.push_back(L"refuse");
    expected.push_back(L"last");
    EXPECT_EQ(server.received, expected);
    server.Unload();
}

TEST(Dde, UnloadedOrSilencedFormAnswersNoConversation) {
    ServerForm server;
    server.Load();
    const std::wstring topic = App::EXEName() + L"|" + server.LinkTopic();
    server.LinkMode(0);  // as a second instance does before it hands over
    ChildProcess client(Quoted(SelfPath()) + L" --role=ddeclient " + topic);
    EXPECT_EQ(client.ExitCode(), 282u);
    EXPECT_TRUE(server.received.empty());
    server.Unload();
}

TEST(Dde, ClientWithoutServerRaises282) {
    DdeClientForm f;
    f.Load();
    f.link.LinkTopic(App::EXEName() + L"|NoSuchTopic");
    try {
        f.link.LinkMode(2);
        FAIL() << "no error raised";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), 282u);
    }
    EXPECT_EQ(f.link.LinkMode(), 0);
    EXPECT_THROW(f.link.LinkExecute(L"Show"), RaisedError);
    f.Unload();
}

// A server of the topic in a second process, up when the call returns.
std::unique_ptr<ChildProcess> StartServer(const std::wstring& topic) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, (topic + L".ready").c_str());
    auto server = std::make_unique<ChildProcess>(Quoted(SelfPath()) + L" --role=ddeserver " + topic);
    EXPECT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0) << "the server did not come up";
    CloseHandle(ready);
    return server;
}

// The server of a kept conversation ends and another takes its topic: the
// next hand-off on the same link reaches the new one, whether the link kept
// the conversation or closed it after its server had gone.
TEST(Dde, AKeptConversationWhoseServerEndedIsOpenedAgainForTheNextExecute) {
    const std::wstring topic = L"HandOff" + std::to_wstring(GetCurrentProcessId());
    DdeClientForm f;
    f.Load();
    f.link.LinkTopic(App::EXEName() + L"|" + topic);
    const auto handOff = [&](const std::wstring& command) {
        try {
            f.link.LinkMode(2);
            f.link.LinkExecute(command);
            return 0u;
        } catch (const RaisedError& e) {
            return e.Number();
        }
    };
    {
        const auto first = StartServer(topic);
        EXPECT_EQ(handOff(L"exit 11"), 0u);
        EXPECT_EQ(first->ExitCode(), 11u);
    }
    const auto second = StartServer(topic);
    EXPECT_EQ(handOff(L"exit 12"), 0u) << "the kept conversation was not opened again";
    EXPECT_EQ(second->ExitCode(), 12u);
    // No server at all: nobody answers the new conversation.
    EXPECT_EQ(handOff(L"exit 13"), 282u);
    {
        // A conversation opened afresh whose server ends before the execute
        // (another client tells it to) refuses that execute, and the link,
        // closed, reaches the next server.
        const auto third = StartServer(topic);
        f.link.LinkMode(2);
        DdeClientForm other;
        other.Load();
        other.link.LinkTopic(App::EXEName() + L"|" + topic);
        other.link.LinkMode(2);
        other.link.LinkExecute(L"exit 14");
        EXPECT_EQ(third->ExitCode(), 14u);
        other.Unload();
        EXPECT_THROW(f.link.LinkExecute(L"exit 15"), RaisedError);
        f.link.LinkMode(0);
    }
    const auto fourth = StartServer(topic);
    EXPECT_EQ(handOff(L"exit 16"), 0u) << "the conversation that lost its server blocks the topic";
    EXPECT_EQ(fourth->ExitCode(), 16u);
    f.Unload();
}

// A copy of the test program under a name of its own, so that concurrently
// running tests never count as instances of it.
class ProgramCopy {
public:
    explicit ProgramCopy(const wchar_t* stem)
        : name_(std::wstring(stem) + std::to_wstring(GetCurrentProcessId()) + L".exe"), path_(dir_.File(name_)) {
        CopyFileW(SelfPath().c_str(), path_.c_str(), FALSE);
    }
    const std::wstring& Name() const { return name_; }
    std::wstring Command(const std::wstring& args) const { return Quoted(path_) + L" " + args; }

private:
    TempDir dir_;
    std::wstring name_, path_;
};

TEST(Processes, SecondInstanceSeesThePrevious) {
    ProgramCopy program(L"previnstance");
    const std::wstring hold = L"Local\\runtime_prev_" + std::to_wstring(GetCurrentProcessId());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, (hold + L".ready").c_str());
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, (hold + L".release").c_str());
    ChildProcess first(program.Command(L"--role=previnstance " + hold));
    ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0);
    ChildProcess second(program.Command(L"--role=previnstance"));
    EXPECT_EQ(second.ExitCode(), 1u);
    SetEvent(release);
    EXPECT_EQ(first.ExitCode(), 0u);
    ChildProcess afterwards(program.Command(L"--role=previnstance"));
    EXPECT_EQ(afterwards.ExitCode(), 0u);
    CloseHandle(ready);
    CloseHandle(release);
}

TEST(Processes, ShellStartsWithTheWindowStyleWithoutWaiting) {
    const DWORD pid = Shell(Quoted(SelfPath()) + L" --role=startupshow", VbAppWinStyle::MinimizedNoFocus);
    ChildProcess started(pid);
    ASSERT_TRUE(started.Started());
    EXPECT_TRUE(started.Running());
    EXPECT_EQ(started.ExitCode(), static_cast<DWORD>(SW_SHOWMINNOACTIVE));
    try {
        Shell(L"no_such_program_here.exe", VbAppWinStyle::Hide);
        FAIL() << "no error raised";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), 53u);
    }
}

TEST(Processes, TaskKillEndsEveryProcessOfTheProgramFile) {
    ProgramCopy program(L"victim");
    ChildProcess a(program.Command(L"--role=sleep")), b(program.Command(L"--role=sleep"));
    ASSERT_TRUE(a.Running());
    ASSERT_TRUE(b.Running());
    TaskKill(program.Name());
    EXPECT_NE(a.ExitCode(15000), 5u);
    EXPECT_NE(b.ExitCode(15000), 5u);
    EXPECT_FALSE(a.Running());
    EXPECT_FALSE(b.Running());
}

}  // namespace
