#include "AfterPaintTimer.h"

void AfterPaintTimer::Arm() { Interval(painted_ ? 1 : kUnpaintedMs); }

void AfterPaintTimer::Painted() {
    if (painted_) return;
    painted_ = true;
    if (Interval() != 0) Interval(1);
}

void AfterPaintTimer::ContainerUnloaded() {
    Timer::ContainerUnloaded();
    painted_ = false;
}
