#include "StartupMarks.h"

StartupMarkHandler& StartupMarkHook() {
    static StartupMarkHandler hook;
    return hook;
}

void StartupMark(const char* step) {
    if (const StartupMarkHandler& hook = StartupMarkHook()) hook(step);
}
