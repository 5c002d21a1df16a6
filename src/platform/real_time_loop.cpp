#include "platform/real_time_loop.h"

#include <QCoreApplication>
#include <cmath>

namespace xmascard {

RealTimeLoop::RealTimeLoop(Runtime& runtime) : runtime_(runtime) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RealTimeLoop::runTick);
    runtime_.scheduler().onArm = [this] {
        if (!timer_.isActive() || timer_.remainingTime() > 16) schedule();
    };
    runtime_.sweepLater = [this] {
        QMetaObject::invokeMethod(
            this, [this] { runtime_.sweep(); }, Qt::QueuedConnection);
    };
    runtime_.onEnd = [] { QCoreApplication::exit(0); };
}

void RealTimeLoop::start() { schedule(); }

void RealTimeLoop::runTick() {
    runtime_.tick();
    schedule();
}

void RealTimeLoop::schedule() {
    if (runtime_.ended()) return;
    const std::optional<double> next = runtime_.scheduler().nextTick();
    if (!next) {
        timer_.stop();
        return;
    }
    const double wait = *next - runtime_.clock().now();
    timer_.start(std::max(0, static_cast<int>(std::ceil(wait * 1000.0))));
}

}  // namespace xmascard
