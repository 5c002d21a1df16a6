// SPDX-License-Identifier: MIT
#include "platform/basic.h"
#include "platform/color.h"
#include "platform/runtime.h"
#include "show/form_tree.h"

// Snow: 151 white dots drifting down and to the right in random steps, redrawn at most ten
// times a second on the tree and on a sliding greeting picture while it is over the tree.
namespace xmascard {

namespace {
constexpr double kSnowPace = 0.1;  // seconds between two steps
constexpr float kReentry = -5;     // where a flake re-enters, pixels
constexpr int kWhite = 15;         // palette number

bool overTheTree(const PictureBox& greeting, const PictureBox& tree) {
    return greeting.Left() > -500 && greeting.Left() < tree.Width();
}
}  // namespace

void FormTree::TimerSnow_Timer() {
    if (runtime().Timer() < lastSnowStep_ + kSnowPace) return;
    PictureTree.Cls();
    PicMerryChristmas.Cls();
    PicSeasonsGreating.Cls();
    const float radius = static_cast<float>(flakeRadius_);
    for (int i = 0; i < kFlakeCount; ++i) {
        flakeX_[i] += static_cast<float>(Int(runtime().Rnd() * 15.0));
        flakeY_[i] += static_cast<float>(Int(runtime().Rnd() * 15.0));
        if (flakeX_[i] > PictureTree.ScaleWidth()) flakeX_[i] = kReentry;
        if (flakeY_[i] > PictureTree.ScaleHeight()) flakeY_[i] = kReentry;
        PictureTree.Circle(flakeX_[i], flakeY_[i], radius, QBColor(kWhite));
        if (overTheTree(PicSeasonsGreating, PictureTree))
            PicSeasonsGreating.Circle(flakeX_[i], flakeY_[i], radius, QBColor(kWhite));
        if (overTheTree(PicMerryChristmas, PictureTree))
            PicMerryChristmas.Circle(flakeX_[i], flakeY_[i], radius, QBColor(kWhite));
    }
    lastSnowStep_ = runtime().Timer();
}

}  // namespace xmascard
