// The launcher as Orvane.exe starts it, with the steps of its start written
// to "startup.marks" once the grid has painted and the web pane has shown
// its page; the benchmark copies it into an installation of its own as
// Orvane.exe.
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
        static bool painted = false, navigated = false, saved = false;
        marks.Mark(step);
        painted = painted || std::string_view(step) == "grid painted";
        navigated = navigated || std::string_view(step) == "web pane navigated";
        if (painted && navigated && !saved) {
            saved = true;
            marks.Save();
        }
    };
    Main();
    App::Run();
    return 0;
}
