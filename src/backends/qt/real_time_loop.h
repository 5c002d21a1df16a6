// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

#include "platform/runtime.h"
#include "platform/time/frame_pacer.h"

namespace xmascard {

// Drives a runtime in real time inside Qt's event loop: sleeps until the next frame in which
// a timer is due and runs that frame's ticks. The runtime must read `clock`, which shows
// each tick its own time.
class RealTimeLoop final : public QObject {
    Q_OBJECT
  public:
    RealTimeLoop(Runtime& runtime, TickClock& clock);
    void start();
    // A timer armed by a click may be due before the planned wake.
    void timerArmed();
    // Sweeps the runtime once the current event is over.
    void sweepLater();

  private:
    void runFrame();
    void schedule();

    Runtime& runtime_;
    TickClock& clock_;
    FramePacer pacer_;
    QTimer timer_;
    bool running_ = false;
};

}  // namespace xmascard
