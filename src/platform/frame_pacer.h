#pragma once

#include <optional>

#include "platform/clock.h"
#include "platform/scheduler.h"

namespace xmascard {

class Runtime;

// Runs the timers' system ticks a frame at a time: the program wakes once a frame, not once a
// tick, and runs each tick that came due since, in order, at its own time. A frame of three
// ticks keeps motion even (every frame moves things by the same number of ticks) at 21
// frames a second, and costs a third less than a frame of two. Ticks missed by much more
// than a frame (the machine was suspended or stalled) fire once, as a late system timer
// does, instead of being caught up one by one.
class FramePacer {
  public:
    static constexpr int kTicksPerFrame = 3;
    static constexpr double kFrame = kTicksPerFrame * Scheduler::kSystemTick;
    static constexpr double kCatchUp = 4 * kFrame;

    FramePacer(Runtime& runtime, TickClock& clock) : runtime_(runtime), clock_(clock) {}

    // Runs every tick due by now.
    void runDue();
    // The real time at which ticks are next due, no sooner than a frame after the last run;
    // nothing when no timer is armed or the program has ended.
    std::optional<double> nextWake() const;

  private:
    Runtime& runtime_;
    TickClock& clock_;
    std::optional<double> lastTick_;
};

}  // namespace xmascard
