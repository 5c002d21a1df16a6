// SPDX-License-Identifier: MIT
#include "platform/command_button.h"

namespace xmascard {

CommandButton::CommandButton(Form& form, std::string name, int index, PictureBox* container)
    : Control(form, ControlKind::CommandButton, std::move(name), index, container) {}

void CommandButton::setPressed(bool p) {
    if (p == pressed_) return;
    pressed_ = p;
    changed(Change::Appearance);
}

const Picture& CommandButton::face() const {
    if (!Enabled() && !disabledPicture_.isNull()) return disabledPicture_;
    if (pressed_ && !downPicture_.isNull()) return downPicture_;
    return picture_;
}

}  // namespace xmascard
