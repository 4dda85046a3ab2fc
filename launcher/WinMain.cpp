// Orvane.exe: the program's entry, handing over to Main.
#include <windows.h>

#include "Main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Main();
    return 0;
}
