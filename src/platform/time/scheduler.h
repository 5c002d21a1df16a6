// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace xmascard {

class Clock;
class TimerControl;

// Fires the timers of every window. Time moves in system ticks of 1/64 s, the classic desktop
// timer resolution: a timer fires on the first tick at or after its due time, and is due
// again one interval after it fired. Between ticks nothing runs, so the processor sleeps.
class Scheduler {
  public:
    static constexpr double kSystemTick = 1.0 / 64.0;

    explicit Scheduler(const Clock& clock) : clock_(clock) {}

    void add(TimerControl& timer);
    void remove(TimerControl& timer);
    // (Re)starts a timer's interval from now; called when it is enabled or its interval set.
    void arm(TimerControl& timer);

    // Fires every armed timer that is due at the clock's time, in the order the timers were
    // created. A handler may enable, disable or destroy any timer, its own included.
    void fireDue();
    // The system tick at which the next timer fires, if any is armed.
    std::optional<double> nextTick() const;
    // The first system tick at or after a time.
    static double tickAtOrAfter(double seconds);

    // Stops all firing for good (the program is ending).
    void halt() { halted_ = true; }

    // Told whenever a timer is armed, so an event loop can wake up earlier than planned.
    std::function<void()> onArm;

  private:
    struct Entry {
        TimerControl* timer;
        double due;
    };
    Entry* find(TimerControl& timer);

    const Clock& clock_;
    std::vector<Entry> entries_;
    bool halted_ = false;
};

}  // namespace xmascard
