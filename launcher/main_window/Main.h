// The launcher's entry point: fixes the global settings, then shows the main window.
#pragma once

void Main();
