#include "platform/frame_pacer.h"

#include <algorithm>

#include "platform/runtime.h"

namespace xmascard {

void FramePacer::runDue() {
    const double now = clock_.real().now();
    const double oldest = Scheduler::tickAtOrAfter(now - kCatchUp);
    while (!runtime_.ended()) {
        const std::optional<double> next = runtime_.scheduler().nextTick();
        if (!next || *next > now + 1e-9) break;
        const double tick = std::max(*next, oldest);
        clock_.pin(tick);
        runtime_.tick();
        lastTick_ = tick;
    }
    clock_.unpin();
}

std::optional<double> FramePacer::nextWake() const {
    if (runtime_.ended()) return std::nullopt;
    const std::optional<double> next = runtime_.scheduler().nextTick();
    if (!next) return std::nullopt;
    return lastTick_ ? std::max(*next, *lastTick_ + kFrame) : *next;
}

}  // namespace xmascard
