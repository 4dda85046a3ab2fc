#include "MovieStage.h"

#include <cstdint>

StageRect StageFor(int clientW, int clientH, int movieW, int movieH, long scaleMode) {
    if (scaleMode == kScaleExactFit || movieW <= 0 || movieH <= 0 || clientW <= 0 || clientH <= 0)
        return {0, 0, clientW, clientH};
    // Fit by whichever side is tighter; 64-bit products keep large sizes exact.
    if (static_cast<int64_t>(clientW) * movieH <= static_cast<int64_t>(clientH) * movieW) {
        const int h = static_cast<int>(static_cast<int64_t>(clientW) * movieH / movieW);
        return {0, (clientH - h) / 2, clientW, h};
    }
    const int w = static_cast<int>(static_cast<int64_t>(clientH) * movieW / movieH);
    return {(clientW - w) / 2, 0, w, clientH};
}
