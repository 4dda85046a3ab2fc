// Window-style helpers of the launcher's borderless windows: taking the
// system frame off (or putting it back) and the rounded outline.
#pragma once
#include <windows.h>

#include <cstdint>

// Adds caption, system menu, sizing border, minimise and maximise boxes
// (bShow), or removes caption, sizing border and maximise box, then lets the
// system recompute the frame; a window whose style has it so already is left
// alone (recomputing the frame is not free).
void ShowWindowFrame(HWND hWnd, bool bShow);
// The style ShowWindowFrame gives: for a window made without its frame.
LONG WindowFrameStyle(LONG style, bool bShow);
// Gives the window a round-rectangle region from (0, 0) to (Width, Height);
// the window owns the region from then on.
void SetRoundRegion(HWND hWnd, int16_t Width, int16_t Height, int16_t EllipseW, int16_t EllipseH);
