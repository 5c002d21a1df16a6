// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "platform/time/clock.h"
#include "platform/time/scheduler.h"

namespace xmascard {

class Runtime;

// Runs the timers' system ticks a frame at a time: the program wakes once a frame, not once a
// tick, and runs each tick that came due since, in order, at its own time. Ticks missed by
// much more than a frame (the machine was suspended or stalled) fire once, as a late system
// timer does, instead of being caught up one by one.
//
// The frame follows what moves. The show's paced steps (pictures, card, snow, blinking,
// caption) come every seventh tick, the first tick 0.1 s after the last step, so a frame of
// seven ticks shows each step once, evenly, at 9 frames a second. Something that moves on
// most ticks (the rising cherub) gets frames of three ticks, 21 a second, until it stops.
class FramePacer {
  public:
    static constexpr int kStepTicks = 7;
    static constexpr int kMotionTicks = 3;
    static constexpr double kCatchUp = 2 * kStepTicks * Scheduler::kSystemTick;

    FramePacer(Runtime& runtime, TickClock& clock) : runtime_(runtime), clock_(clock) {}

    // Runs every tick due by now.
    void runDue();
    // The real time at which ticks are next due, no sooner than a frame after the last run;
    // nothing when no timer is armed or the program has ended.
    std::optional<double> nextWake() const;
    // The length of the next frame, in ticks.
    int frameTicks() const { return frameTicks_; }

  private:
    Runtime& runtime_;
    TickClock& clock_;
    std::optional<double> lastTick_;
    int frameTicks_ = kMotionTicks;
};

}  // namespace xmascard
