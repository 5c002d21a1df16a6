// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/controls/control.h"
#include "platform/form_design.h"

namespace xmascard {

// Makes a control of the design's kind on a window, in its design-time state.
std::unique_ptr<Control> makeControl(Form& form, const ControlDesign& design,
                                     PictureBox* container);

}  // namespace xmascard
