// Where the movie's stage lies in the player's window for a scale mode.
#pragma once

struct StageRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const StageRect&) const = default;
};

enum ScaleModes : long {
    kScaleShowAll = 0,   // keep the movie's proportions, centred, bands beside it
    kScaleExactFit = 2,  // stretch to the whole window
};

// The stage of a movie of movieW x movieH pixels (0 when unknown: it then
// takes the whole window) in a window of clientW x clientH. Modes other than
// kScaleExactFit keep the proportions.
StageRect StageFor(int clientW, int clientH, int movieW, int movieH, long scaleMode);
