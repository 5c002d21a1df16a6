// SPDX-License-Identifier: MIT
#include "platform/controls/command_button.h"

#include "platform/canvas.h"
#include "platform/form.h"
#include "platform/form_design.h"
#include "platform/runtime.h"

namespace xmascard {

void CommandButton::applyDesign(const ControlDesign& d) {
    Runtime& runtime = form().runtime();
    picture_ = runtime.loadPicture(d.picture);
    downPicture_ = runtime.loadPicture(d.downPicture);
    disabledPicture_ = runtime.loadPicture(d.disabledPicture);
    backColor_ = d.backColor.value_or(kButtonFace);
    Control::applyDesign(d);
}

void CommandButton::paint(Canvas& canvas, const PixelRect& r, TextBoxes) const {
    canvas.fillRect(r, backColor_);
    const Picture& shown = face();
    if (shown.isNull()) return;
    // A graphical button shows its face centred, cut to the button.
    canvas.save();
    canvas.clip(r);
    const int press = pressed_ ? 1 : 0;
    canvas.drawPicture({r.left + (r.width() - shown.width()) / 2 + press,
                        r.top + (r.height() - shown.height()) / 2 + press},
                       shown);
    canvas.restore();
}

const Picture& CommandButton::face() const {
    if (!Enabled() && !disabledPicture_.isNull()) return disabledPicture_;
    if (pressed_ && !downPicture_.isNull()) return downPicture_;
    return picture_;
}

}  // namespace xmascard
