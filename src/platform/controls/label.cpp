// SPDX-License-Identifier: MIT
#include "platform/controls/label.h"

#include "platform/canvas.h"
#include "platform/form_design.h"

namespace xmascard {

void Label::applyDesign(const ControlDesign& d) {
    setCaption(d.text);
    setForeColor(d.foreColor.value_or(kWindowText));
    setBackColor(d.backColor.value_or(kButtonFace));
    setBackStyle(d.backStyle.value_or(BackStyle::Opaque));
    setAlignment(d.alignment);
    setBordered(d.bordered.value_or(false));
    setFont(d.font);
    Control::applyDesign(d);
}

void Label::paint(Canvas& canvas, const PixelRect& r, TextBoxes) const {
    if (backStyle_ == BackStyle::Opaque) canvas.fillRect(r, backColor_);
    PixelRect text = r;
    if (bordered_) {
        canvas.frameRect(r, RGB(0, 0, 0));
        text = r.adjusted(1, 1, -1, -1);
    }
    canvas.drawText(text, text, caption_,
                    {font_, foreColor_, alignment_, TextStyle::Vertical::Top, true});
}

}  // namespace xmascard
