// Named steps of a program's start (the settings written, the DDE name
// service registered, the pages made, the window shown, the grid painted,
// ...), passed to a hook a benchmark can set to time them; without one a
// step costs one test of an empty function.
#pragma once
#include <functional>

using StartupMarkHandler = std::function<void(const char* step)>;
StartupMarkHandler& StartupMarkHook();

// Reports that `step` was reached (again, for steps that repeat).
void StartupMark(const char* step);
