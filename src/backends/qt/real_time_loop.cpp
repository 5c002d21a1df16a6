// SPDX-License-Identifier: MIT
#include "backends/qt/real_time_loop.h"

#include <cmath>

namespace xmascard {

RealTimeLoop::RealTimeLoop(Runtime& runtime, TickClock& clock)
    : runtime_(runtime), clock_(clock), pacer_(runtime, clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RealTimeLoop::runFrame);
}

void RealTimeLoop::start() { schedule(); }

void RealTimeLoop::timerArmed() {
    if (running_) return;  // the frame reschedules when it is done
    if (!timer_.isActive() || timer_.remainingTime() > 16) schedule();
}

void RealTimeLoop::sweepLater() {
    QMetaObject::invokeMethod(
        this, [this] { runtime_.sweep(); }, Qt::QueuedConnection);
}

void RealTimeLoop::runFrame() {
    running_ = true;
    pacer_.runDue();
    running_ = false;
    schedule();
}

void RealTimeLoop::schedule() {
    const std::optional<double> wake = pacer_.nextWake();
    if (!wake) {
        timer_.stop();
        return;
    }
    const double wait = *wake - clock_.real().now();
    timer_.start(std::max(0, static_cast<int>(std::ceil(wait * 1000.0))));
}

}  // namespace xmascard
