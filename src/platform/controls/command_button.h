// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color.h"
#include "platform/controls/control.h"
#include "platform/picture.h"

namespace xmascard {

// A graphical push button: its face is a picture, another while it is held down.
class CommandButton final : public Control {
  public:
    using Control::Control;

    void applyDesign(const ControlDesign& design) override;
    void paint(Canvas& canvas, const PixelRect& area, TextBoxes) const override;
    void setPressed(bool pressed) override { set(pressed_, pressed, Change::Appearance); }

    bool pressed() const { return pressed_; }
    // The face shown now: pressed, disabled or normal.
    const Picture& face() const;

  private:
    Picture picture_, downPicture_, disabledPicture_;
    Color backColor_ = kButtonFace;
    bool pressed_ = false;
};

}  // namespace xmascard
