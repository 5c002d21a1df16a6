// SPDX-License-Identifier: MIT
#include "platform/controls/image_control.h"

#include "platform/canvas.h"
#include "platform/form.h"
#include "platform/form_design.h"
#include "platform/runtime.h"

namespace xmascard {

void ImageControl::applyDesign(const ControlDesign& d) {
    setPicture(form().runtime().loadPicture(d.picture));
    Control::applyDesign(d);
}

void ImageControl::paint(Canvas& canvas, const PixelRect& r, TextBoxes) const {
    if (!picture_.isNull()) canvas.drawPictureScaled(r, picture_);
}

}  // namespace xmascard
