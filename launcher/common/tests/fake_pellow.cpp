// Test stand-in for the player, copied into a test's program folder as
// Pellow.exe: serves the DDE topic "PellowDDE" like the player and writes
// "start <command line>" and "exec <text>" lines to pellow.log beside it.
// Started with "--mute" it serves nothing (a player that does not answer).
#include <windows.h>

#include <cstdio>
#include <string>

#include "App.h"
#include "Form.h"

namespace {

void Append(const std::wstring& line) {
    const std::wstring path = App::Path() + L"\\pellow.log";
    FILE* f = _wfopen(path.c_str(), L"ab");
    if (!f) return;
    const std::wstring text = line + L"\n";
    char buf[4096];
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), buf, sizeof buf, nullptr, nullptr);
    fwrite(buf, 1, n, f);
    fclose(f);
}

class PlayerStandIn : public Form {
public:
    PlayerStandIn() {
        LinkTopic(L"PellowDDE");
        LinkMode(1);
    }

protected:
    void Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) override {
        Append(L"exec " + CmdStr);
        Cancel = 0;
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Append(L"start " + Command());
    if (Command() == L"--mute") {
        Sleep(INFINITE);
        return 0;
    }
    PlayerStandIn form;
    form.Load();
    Append(L"ready");
    App::Run();
    return 0;
}
