// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/picture.h"

namespace xmascard {

// A graphical push button: its face is a picture, another while it is held down.
class CommandButton final : public Control {
  public:
    CommandButton(Form& form, std::string name, int index, PictureBox* container);

    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& p) { picture_ = p; }
    const Picture& DownPicture() const { return downPicture_; }
    void setDownPicture(const Picture& p) { downPicture_ = p; }
    const Picture& DisabledPicture() const { return disabledPicture_; }
    void setDisabledPicture(const Picture& p) { disabledPicture_ = p; }
    Color BackColor() const { return backColor_; }
    void setBackColor(Color c) { backColor_ = c; }

    bool pressed() const { return pressed_; }
    void setPressed(bool p);
    // The face shown now: pressed, disabled or normal.
    const Picture& face() const;

  private:
    Picture picture_, downPicture_, disabledPicture_;
    Color backColor_ = kButtonFace;
    bool pressed_ = false;
};

}  // namespace xmascard
