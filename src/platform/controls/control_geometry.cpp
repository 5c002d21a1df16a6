// SPDX-License-Identifier: MIT
#include "platform/controls/control_geometry.h"

namespace xmascard {

PixelRect innerRectInForm(const PictureBox& box) {
    const int b = borderPixels(box.borderStyle());
    return controlRectInForm(box).adjusted(b, b, -b, -b);
}

PixelRect controlRectInForm(const Control& control) {
    const PixelRect r = control.geometry().pixels();
    if (const PictureBox* box = control.Container())
        return r.translated(innerRectInForm(*box).topLeft());
    return r;
}

}  // namespace xmascard
