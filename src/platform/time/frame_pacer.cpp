// SPDX-License-Identifier: MIT
#include "platform/time/frame_pacer.h"

#include <algorithm>

#include "platform/runtime.h"
#include "platform/time/tick_loop.h"

namespace xmascard {

void FramePacer::runDue() {
    const double now = clock_.real().now();
    int moving = 0;
    std::uint64_t motions = 0;
    TickLoop::Hooks hooks;
    hooks.before = [&](double) {
        motions = runtime_.motions();
        return true;
    };
    hooks.after = [&](double tick) {
        lastTick_ = tick;
        if (runtime_.motions() != motions) ++moving;
    };
    const int ticks = TickLoop(runtime_, [this](double t) {
                          clock_.pin(t);
                      }).runUntil(now + 1e-9, hooks, Scheduler::tickAtOrAfter(now - kCatchUp));
    clock_.unpin();
    if (ticks > 0) frameTicks_ = 2 * moving > ticks ? kMotionTicks : kStepTicks;
}

std::optional<double> FramePacer::nextWake() const {
    if (runtime_.ended()) return std::nullopt;
    const std::optional<double> next = runtime_.scheduler().nextTick();
    if (!next) return std::nullopt;
    return lastTick_ ? std::max(*next, *lastTick_ + frameTicks_ * Scheduler::kSystemTick) : *next;
}

}  // namespace xmascard
