// SPDX-License-Identifier: MIT
#include "platform/text_box.h"

namespace xmascard {

TextBox::TextBox(Form& form, std::string name, int index, PictureBox* container)
    : Control(form, ControlKind::TextBox, std::move(name), index, container) {}

void TextBox::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed(xmascard::Change::Content);
    if (Change) Change();
}

}  // namespace xmascard
