// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/control.h"
#include "platform/controls/picture_box.h"
#include "platform/geometry.h"

namespace xmascard {

// A control's rectangle in its window's client area, in whole pixels.
PixelRect controlRectInForm(const Control& control);
// The inside of a picture box (within its border) in its window's client area.
PixelRect innerRectInForm(const PictureBox& box);

}  // namespace xmascard
