// SPDX-License-Identifier: MIT
#include "platform/control.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/picture_box.h"

namespace xmascard {

Control::Control(Form& form, ControlKind kind, std::string name, int index, PictureBox* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {}

bool Control::isWindowless() const {
    return kind_ == ControlKind::Shape || kind_ == ControlKind::Label ||
           kind_ == ControlKind::Image;
}

ScaleMode Control::containerScale() const {
    return container_ ? container_->scaleMode() : form_.scaleMode();
}

void Control::setLeft(float v) {
    setGeometryTwips(fromScale(v, containerScale()), top_, width_, height_);
}
void Control::setTop(float v) {
    setGeometryTwips(left_, fromScale(v, containerScale()), width_, height_);
}
void Control::setWidth(float v) {
    setGeometryTwips(left_, top_, fromScale(v, containerScale()), height_);
}
void Control::setHeight(float v) {
    setGeometryTwips(left_, top_, width_, fromScale(v, containerScale()));
}
void Control::Move(float left, float top) {
    setGeometryTwips(fromScale(left, containerScale()), fromScale(top, containerScale()), width_,
                     height_);
}

void Control::setGeometryTwips(Twips left, Twips top, Twips width, Twips height) {
    if (left.value == left_.value && top.value == top_.value && width.value == width_.value &&
        height.value == height_.value)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    geometryChanged();
    changed(Change::Geometry);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    changed(Change::Visibility);
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    changed(Change::Appearance);
}

void Control::ZOrder(ZOrderPosition position) {
    form_.restack(*this, position);
    changed(Change::Geometry);
}

void Control::changed(Change what) { form_.controlChanged(*this, what); }

void moveInStack(std::vector<Control*>& stack, Control& control, ZOrderPosition position) {
    auto it = std::find(stack.begin(), stack.end(), &control);
    if (it == stack.end()) return;
    stack.erase(it);
    if (position == ZOrderPosition::Front)
        stack.push_back(&control);
    else
        stack.insert(stack.begin(), &control);
}

}  // namespace xmascard
