// Pellow.exe: loading the player's window is starting the player.
#include <windows.h>

#include "App.h"
#include "WebMainFrm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    WebMainFrm frm(Command());
    frm.Show();
    App::Run();
    return 0;
}
