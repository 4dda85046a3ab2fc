#include "Main.h"

#include "AppPath.h"
#include "MainFrm.h"
#include "Settings.h"

void Main() {
    WriteSettings(AppPath());
    TheMainFrm().Show();
}
