// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "platform/controls/control.h"

namespace xmascard {

class Scheduler;

// Raises Timer every Interval milliseconds while enabled, on the first system tick at or
// after it is due. An interval of 1 ms means "on every system tick".
class TimerControl final : public Control {
  public:
    TimerControl(Form& form, std::string name, int index, PictureBox* container);
    ~TimerControl() override;

    void applyDesign(const ControlDesign& design) override;
    bool takesMouse() const override { return false; }

    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    void setEnabled(bool enabled) override;
    // Armed: enabled with a non-zero interval, so the scheduler will fire it.
    bool armed() const { return Enabled() && interval_ > 0; }

    std::function<void()> Timer;

  private:
    Scheduler& scheduler_;
    int interval_ = 0;
};

}  // namespace xmascard
