// SPDX-License-Identifier: MIT
#include "platform/frame_pacer.h"

#include <algorithm>

#include "platform/runtime.h"

namespace xmascard {

void FramePacer::runDue() {
    const double now = clock_.real().now();
    const double oldest = Scheduler::tickAtOrAfter(now - kCatchUp);
    int ticks = 0;
    int moving = 0;
    while (!runtime_.ended()) {
        const std::optional<double> next = runtime_.scheduler().nextTick();
        if (!next || *next > now + 1e-9) break;
        const double tick = std::max(*next, oldest);
        const auto motions = runtime_.motions();
        clock_.pin(tick);
        runtime_.tick();
        lastTick_ = tick;
        ++ticks;
        if (runtime_.motions() != motions) ++moving;
    }
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
