// SPDX-License-Identifier: MIT
#include "platform/controls/text_box.h"

#include "platform/canvas.h"
#include "platform/form_design.h"

namespace xmascard {

void TextBox::applyDesign(const ControlDesign& d) {
    text_ = d.text;  // the design-time text raises no Change
    foreColor_ = d.foreColor.value_or(kWindowText);
    backColor_ = d.backColor.value_or(kWindowBackground);
    alignment_ = d.alignment;
    bordered_ = d.bordered.value_or(true);
    font_ = d.font;
    Control::applyDesign(d);
}

void TextBox::paint(Canvas& canvas, const PixelRect& r, TextBoxes textBoxes) const {
    if (textBoxes == TextBoxes::Live) return;  // the window system draws its edit control
    canvas.fillRect(r, backColor_);
    canvas.drawText(r.adjusted(2, 0, -2, 0), r, text_,
                    {font_, foreColor_, alignment_, TextStyle::Vertical::Center, false});
}

void TextBox::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed(xmascard::Change::Content);
    if (Change) Change();
}

void TextBox::userEdit(std::string text) {
    if (Accepts && !Accepts(text)) {
        changed(xmascard::Change::Content);
        return;
    }
    setText(std::move(text));
}

}  // namespace xmascard
