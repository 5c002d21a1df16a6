// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/control.h"
#include "platform/picture.h"

namespace xmascard {

// A windowless picture, stretched to the control's size.
class ImageControl final : public Control {
  public:
    using Control::Control;

    void applyDesign(const ControlDesign& design) override;
    bool isWindowless() const override { return true; }
    void paint(Canvas& canvas, const PixelRect& area, TextBoxes) const override;

    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& p) {
        picture_ = p;
        changed(Change::Content);
    }

  private:
    Picture picture_;
};

}  // namespace xmascard
