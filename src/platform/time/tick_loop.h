// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <limits>

#include "platform/time/clock.h"

namespace xmascard {

class Runtime;

// Runs a runtime's system ticks in order, each at its own time: the one loop behind the
// real-time run, the tests and the recordings. Each differs only in how its clock is set
// to a tick's time and in what it does around the ticks.
class TickLoop {
  public:
    using SetTime = std::function<void(double seconds)>;
    struct Hooks {
        // Before a tick, with its time; false stops the loop before the tick runs.
        std::function<bool(double)> before;
        // After a tick, with its time.
        std::function<void(double)> after;
    };

    TickLoop(Runtime& runtime, SetTime setTime) : runtime_(runtime), setTime_(std::move(setTime)) {}

    // Runs every tick due at or before `until`, until the program ends or a hook stops it. A
    // tick due before `notBefore` runs at `notBefore` instead: ticks missed while the machine
    // stalled fire once, late, as a late system timer does. Returns the ticks run.
    int runUntil(double until, const Hooks& hooks = {},
                 double notBefore = -std::numeric_limits<double>::infinity());

  private:
    Runtime& runtime_;
    SetTime setTime_;
};

// Drives a runtime under a virtual clock, tick by tick, as fast as the machine allows.
class VirtualLoop {
  public:
    VirtualLoop(Runtime& runtime, VirtualClock& clock)
        : loop_(runtime, [&clock](double t) { clock.set(t); }), runtime_(runtime), clock_(clock) {}
    // Runs every tick up to and including `seconds`, or until the program ends. Calls
    // `afterTick` after every tick that fired timers.
    void runUntil(double seconds, const std::function<void()>& afterTick = {});
    // Runs until the program ends or `limit` seconds of clock have passed; true if it ended.
    bool runToEnd(double limit, const std::function<void()>& afterTick = {});

  private:
    TickLoop loop_;
    Runtime& runtime_;
    VirtualClock& clock_;
};

}  // namespace xmascard
