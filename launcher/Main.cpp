#include "Main.h"

#include "AppPath.h"
#include "Settings.h"

void Main() { WriteSettings(AppPath()); }
