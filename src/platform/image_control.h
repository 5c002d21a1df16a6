// SPDX-License-Identifier: MIT
#pragma once

#include "platform/control.h"
#include "platform/picture.h"

namespace xmascard {

// A windowless picture, stretched to the control's size.
class ImageControl final : public Control {
  public:
    ImageControl(Form& form, std::string name, int index, PictureBox* container);

    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& p) {
        picture_ = p;
        changed(Change::Content);
    }

  private:
    Picture picture_;
};

}  // namespace xmascard
