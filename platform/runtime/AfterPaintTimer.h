// The timer of the work a window leaves until it has painted. A timer's
// tick comes only when no input or paint waits, so each tick runs after
// them; this one ticks from the window's first paint on, or a second after
// it was armed when the window does not paint at once (hidden or minimised
// at its start). Tick does one piece of the work and calls Done when none
// is left.
#pragma once
#include "Timer.h"

class AfterPaintTimer : public Timer {
public:
    explicit AfterPaintTimer(Canvas& form) : Timer(form) {}

    // There is work: ticks come while the program is idle, once the window has painted.
    void Arm();
    // From the window's WM_PAINT: the first one lets the ticks come.
    void Painted();
    void Done() { Interval(0); }

    void ContainerUnloaded() override;

private:
    static constexpr int kUnpaintedMs = 1000;
    bool painted_ = false;
};
