#include "Main.h"

#include "AppPath.h"
#include "MainFrm.h"
#include "Settings.h"
#include "StartupMarks.h"

void Main() {
    WriteSettings(AppPath());
    StartupMark("settings written");
    TheMainFrm().Show();
    StartupMark("main window shown");
}
