// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/control_array.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/timer_control.h"
#include "platform/form.h"

namespace xmascard {

// The skin window: a borderless cherub whose wings flap, one frame every 0.3 s, re-shaped to
// each frame. It can be dragged with the left button; the flapping pauses while any button
// is held on it.
class Form3 final : public Form {
  public:
    explicit Form3(Runtime& runtime);
    void Form_Load() override;

    PictureBox& picMainSkin;
    ControlArray<PictureBox> Picture1;
    TimerControl& Timer1;

    // The frame to show at the next change, 1 to 4.
    int nextFrame() const { return nextFrame_; }

  private:
    void Timer1_Timer();
    void picMainSkin_MouseDown(const MouseEvent& e);
    void picMainSkin_MouseMove(const MouseEvent& e);
    void picMainSkin_MouseUp(const MouseEvent& e);

    int nextFrame_ = 0;
    double lastChange_ = 0;
    RegionHandle region_;
    int grabX_ = 0;
    int grabY_ = 0;
};

}  // namespace xmascard
