// SPDX-License-Identifier: MIT
#include "platform/image_control.h"

namespace xmascard {

ImageControl::ImageControl(Form& form, std::string name, int index, PictureBox* container)
    : Control(form, ControlKind::Image, std::move(name), index, container) {}

}  // namespace xmascard
