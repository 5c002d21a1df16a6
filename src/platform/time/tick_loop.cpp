// SPDX-License-Identifier: MIT
#include "platform/time/tick_loop.h"

#include <algorithm>

#include "platform/runtime.h"

namespace xmascard {

int TickLoop::runUntil(double until, const Hooks& hooks, double notBefore) {
    int ran = 0;
    while (!runtime_.ended()) {
        const std::optional<double> next = runtime_.scheduler().nextTick();
        if (!next || *next > until) break;
        const double tick = std::max(*next, notBefore);
        if (hooks.before && !hooks.before(tick)) break;
        setTime_(tick);
        runtime_.tick();
        ++ran;
        if (hooks.after) hooks.after(tick);
    }
    return ran;
}

void VirtualLoop::runUntil(double seconds, const std::function<void()>& afterTick) {
    TickLoop::Hooks hooks;
    if (afterTick) hooks.after = [&afterTick](double) { afterTick(); };
    loop_.runUntil(seconds, hooks);
    if (!runtime_.ended()) clock_.set(seconds);
}

bool VirtualLoop::runToEnd(double limit, const std::function<void()>& afterTick) {
    runUntil(limit, afterTick);
    return runtime_.ended();
}

}  // namespace xmascard
