// Timers firing from the message loop: once, repeatedly, stopped, and tied to
// the loading and unloading of their form.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Form.h"
#include "Pump.h"
#include "Timer.h"

namespace {

TEST(Timer, FiresOnceWhenTheHandlerClearsTheInterval) {
    Timer t;
    int ticks = 0;
    t.Tick = [&] {
        ++ticks;
        t.Interval(0);
    };
    t.Interval(30);
    EXPECT_TRUE(PumpUntil([&] { return ticks == 1; }, 3000));
    PumpFor(300);
    EXPECT_EQ(ticks, 1);
}

TEST(Timer, EnabledStopsAndRestarts) {
    Timer t;
    int ticks = 0;
    t.Tick = [&] { ++ticks; };
    t.Enabled(false);
    t.Interval(20);
    PumpFor(200);
    EXPECT_EQ(ticks, 0);
    t.Enabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
    t.Enabled(false);
    const int stoppedAt = ticks;
    PumpFor(200);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(Timer, FailingHandlerKeepsTheLoopAlive) {
    Timer t;
    int ticks = 0;
    t.Tick = [&] {
        ++ticks;
        throw std::runtime_error("tick failed");
    };
    t.Interval(20);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 3000));
}

class TimedForm : public Form {
public:
    TimedForm() {
        TimerClose.Interval(40);
        TimerRight.Interval(0);  // does not fire until armed
        TimerClose.Tick = [this] { ++closeTicks; };
        TimerRight.Tick = [this] { ++rightTicks; };
    }
    Timer TimerClose{*this};
    Timer TimerRight{*this};
    int closeTicks = 0, rightTicks = 0;
};

TEST(Timer, RunsOnlyWhileItsFormIsLoadedAndStartsFromDesign) {
    TimedForm f;
    PumpFor(200);
    EXPECT_EQ(f.closeTicks, 0);  // form not loaded
    f.Load();
    EXPECT_TRUE(PumpUntil([&] { return f.closeTicks >= 1; }, 3000));
    EXPECT_EQ(f.rightTicks, 0);
    f.TimerRight.Interval(30);
    EXPECT_TRUE(PumpUntil([&] { return f.rightTicks >= 1; }, 3000));
    f.TimerClose.Interval(0);
    f.Unload();
    const int close = f.closeTicks, right = f.rightTicks;
    PumpFor(200);
    EXPECT_EQ(f.closeTicks, close);
    EXPECT_EQ(f.rightTicks, right);
    EXPECT_EQ(f.TimerClose.Interval(), 40);  // design values again
    EXPECT_EQ(f.TimerRight.Interval(), 0);
    f.Load();
    EXPECT_TRUE(PumpUntil([&] { return f.closeTicks > close; }, 3000));
    PumpFor(100);
    EXPECT_EQ(f.rightTicks, right);
    f.Unload();
}

}  // namespace
