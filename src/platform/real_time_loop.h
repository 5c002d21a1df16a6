#pragma once

#include <QObject>
#include <QTimer>

#include "platform/runtime.h"

namespace xmascard {

// Drives a runtime in real time inside Qt's event loop: sleeps until the system tick at which
// the next timer is due, runs that tick, and ends the event loop when the program ends.
class RealTimeLoop final : public QObject {
    Q_OBJECT
  public:
    explicit RealTimeLoop(Runtime& runtime);
    void start();

  private:
    void runTick();
    void schedule();

    Runtime& runtime_;
    QTimer timer_;
};

}  // namespace xmascard
