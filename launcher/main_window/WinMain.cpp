// Orvane.exe: the program's entry, handing over to Main, then living in the
// message loop until the last window is unloaded.
#include <windows.h>

#include "App.h"
#include "Main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Main();
    App::Run();
    return 0;
}
