// SPDX-License-Identifier: MIT
#include "platform/basic.h"
#include "platform/color.h"
#include "platform/runtime.h"
#include "show/form_tree.h"

// The 24 lights: random bright colours, then all blinking together, then three groups of
// eight going dark one after another. Each pattern paces itself by the clock.
namespace xmascard {

namespace {
constexpr double kRandomPace = 0.03;  // seconds between two recolourings
constexpr double kBlinkPace = 0.1;
constexpr int kDarkRed = 4;  // palette number
constexpr int kGroupSize = 8;

// Lights of group g (0 = 1 to 8, 1 = 9 to 16, 2 = 17 to 24) visible or not.
void showGroup(const ControlArray<Shape>& lights, int group, bool visible) {
    for (int i = group * kGroupSize + 1; i <= (group + 1) * kGroupSize; ++i)
        lights(i).setVisible(visible);
}
}  // namespace

void FormTree::TimerRandomLight_Timer() {
    if (!(runtime().Timer() > lastLightChange_ + kRandomPace)) return;
    // The colour is drawn before the light.
    const int colour = Int(runtime().Rnd() * 9.0 + 7);
    const int light = Int(runtime().Rnd() * 24.0 + 1);
    PCircle(light).setFillColor(QBColor(colour));
    PCircle(light).setBorderColor(QBColor(colour));
    lastLightChange_ = runtime().Timer();
}

void FormTree::TimerLightOnOff_Timer() {
    if (!(runtime().Timer() > lastLightChange_ + kBlinkPace)) return;
    for (int i = 1; i <= kLightCount; ++i) {
        Shape& light = PCircle(i);
        if (!light.Visible()) {
            light.setFillColor(QBColor(kDarkRed));
            light.setVisible(true);
        } else {
            light.setVisible(false);
        }
    }
    lastLightChange_ = runtime().Timer();
}

void FormTree::TimerSelectiveLight_Timer() {
    if (selectiveStart_ == 0) {
        selectiveStart_ = runtime().Timer();
        for (int i = 1; i <= kLightCount; ++i) {
            PCircle(i).setFillColor(QBColor(kDarkRed));
            PCircle(i).setVisible(true);
        }
    }
    const double t = runtime().Timer();
    const double s = selectiveStart_;
    if (t > s + 1 && t < s + 3) {
        showGroup(PCircle, 2, true);
        showGroup(PCircle, 0, false);
    }
    if (t > s + 3 && t < s + 5) {
        showGroup(PCircle, 0, true);
        showGroup(PCircle, 1, false);
    }
    if (t > s + 5 && t < s + 7) {
        showGroup(PCircle, 1, true);
        showGroup(PCircle, 2, false);
        selectiveStart_ = runtime().Timer();
    }
}

}  // namespace xmascard
