// SPDX-License-Identifier: MIT
#include "platform/shape.h"

namespace xmascard {

Shape::Shape(Form& form, std::string name, int index, PictureBox* container)
    : Control(form, ControlKind::Shape, std::move(name), index, container) {}

void Shape::setBorderColor(Color c) {
    if (c == borderColor_) return;
    borderColor_ = c;
    changed(Change::Appearance);
}

void Shape::setFillColor(Color c) {
    if (c == fillColor_) return;
    fillColor_ = c;
    changed(Change::Appearance);
}

}  // namespace xmascard
