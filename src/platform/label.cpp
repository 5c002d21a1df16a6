// SPDX-License-Identifier: MIT
#include "platform/label.h"

namespace xmascard {

Label::Label(Form& form, std::string name, int index, PictureBox* container)
    : Control(form, ControlKind::Label, std::move(name), index, container) {}

}  // namespace xmascard
