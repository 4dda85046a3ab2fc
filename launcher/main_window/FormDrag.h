// Moving a borderless window with the mouse: a press on its surface is
// handed to the system as a press on a caption.
#pragma once
#include <windows.h>

// Releases the mouse capture and sends WM_NCLBUTTONDOWN with HTCAPTION.
void DragByMouse(HWND window);
