// SPDX-License-Identifier: MIT
#include "platform/controls/timer_control.h"

#include "platform/form.h"
#include "platform/form_design.h"
#include "platform/runtime.h"

namespace xmascard {

TimerControl::TimerControl(Form& form, std::string name, int index, PictureBox* container)
    : Control(form, std::move(name), index, container), scheduler_(form.runtime().scheduler()) {
    Control::setEnabled(false);
    scheduler_.add(*this);
}

TimerControl::~TimerControl() { scheduler_.remove(*this); }

void TimerControl::applyDesign(const ControlDesign& d) {
    setInterval(d.interval);
    setEnabled(d.enabled);
    Control::applyDesign(d);
}

void TimerControl::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (armed()) scheduler_.arm(*this);
}

void TimerControl::setEnabled(bool enabled) {
    const bool wasArmed = armed();
    Control::setEnabled(enabled);
    if (armed() && !wasArmed) scheduler_.arm(*this);
}

}  // namespace xmascard
