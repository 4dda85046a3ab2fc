// The launcher as Orvane.exe starts it, with the steps of its start written
// to "startup.marks": once the grid has painted, and again at each step that
// follows it (the work the first paint did not need); the benchmark copies
// it into an installation of its own as Orvane.exe.
#include <windows.h>

#include <string_view>

#include "App.h"
#include "Main.h"
#include "StartupMarks.h"
#include "StartupMarksFile.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    static MarkRecorder marks;
    marks.Mark("program entered");
    StartupMarkHook() = [](const char* step) {
        static bool painted = false;
        if (!marks.Mark(step)) return;
        painted = painted || std::string_view(step) == "grid painted";
        if (painted) marks.Save();
    };
    Main();
    App::Run();
    return 0;
}
