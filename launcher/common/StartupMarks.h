// Named steps of the launcher's start (the list read, the pages made, the
// window shown, the grid painted, ...), passed to a hook a benchmark can
// set to time them; without one a step costs one test of an empty function.
#pragma once
#include <functional>

using StartupMarkHandler = std::function<void(const char* step)>;
StartupMarkHandler& StartupMarkHook();

// Reports that `step` was reached (again, for steps that repeat).
void StartupMark(const char* step);
