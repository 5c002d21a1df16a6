// SPDX-License-Identifier: MIT
#include "platform/time/scheduler.h"

#include <algorithm>
#include <cmath>

#include "platform/controls/timer_control.h"
#include "platform/time/clock.h"

namespace xmascard {

void Scheduler::add(TimerControl& timer) { entries_.push_back({&timer, 0}); }

void Scheduler::remove(TimerControl& timer) {
    // Leave a hole so that a firing loop in progress keeps its place; holes are swept later.
    if (Entry* e = find(timer)) e->timer = nullptr;
}

void Scheduler::arm(TimerControl& timer) {
    if (Entry* e = find(timer)) e->due = clock_.now() + timer.Interval() / 1000.0;
    if (onArm) onArm();
}

Scheduler::Entry* Scheduler::find(TimerControl& timer) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry& e) { return e.timer == &timer; });
    return it == entries_.end() ? nullptr : &*it;
}

double Scheduler::tickAtOrAfter(double seconds) {
    // The small allowance keeps a time that lies on a tick, give or take rounding, on it.
    return std::ceil(seconds / kSystemTick - 1e-6) * kSystemTick;
}

void Scheduler::fireDue() {
    const double now = clock_.now();
    const std::size_t count = entries_.size();
    for (std::size_t i = 0; i < count && !halted_; ++i) {
        TimerControl* timer = entries_[i].timer;
        if (!timer || !timer->armed() || tickAtOrAfter(entries_[i].due) > now + 1e-9) continue;
        entries_[i].due = now + timer->Interval() / 1000.0;
        if (timer->Timer) timer->Timer();
    }
    std::erase_if(entries_, [](const Entry& e) { return e.timer == nullptr; });
}

std::optional<double> Scheduler::nextTick() const {
    if (halted_) return std::nullopt;
    std::optional<double> next;
    for (const Entry& e : entries_) {
        if (!e.timer || !e.timer->armed()) continue;
        const double tick = tickAtOrAfter(e.due);
        if (!next || tick < *next) next = tick;
    }
    return next;
}

}  // namespace xmascard
