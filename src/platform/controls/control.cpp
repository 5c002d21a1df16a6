// SPDX-License-Identifier: MIT
#include "platform/controls/control.h"

#include <algorithm>

#include "platform/controls/picture_box.h"
#include "platform/form.h"
#include "platform/form_design.h"

namespace xmascard {

Control::Control(Form& form, std::string name, int index, PictureBox* container)
    : form_(form), name_(std::move(name)), index_(index), container_(container) {}

void Control::applyDesign(const ControlDesign& d) {
    setGeometry({{d.place.left}, {d.place.top}, {d.place.width}, {d.place.height}});
}

ScaleMode Control::containerScale() const {
    return container_ ? container_->scaleMode() : form_.scaleMode();
}

void Control::setEdge(Twips TwipsRect::*edge, float v) {
    TwipsRect g = geometry_;
    g.*edge = fromScale(v, containerScale());
    setGeometry(g);
}

void Control::setLeft(float v) { setEdge(&TwipsRect::left, v); }
void Control::setTop(float v) { setEdge(&TwipsRect::top, v); }
void Control::setWidth(float v) { setEdge(&TwipsRect::width, v); }
void Control::setHeight(float v) { setEdge(&TwipsRect::height, v); }

void Control::Move(float left, float top) {
    TwipsRect g = geometry_;
    g.left = fromScale(left, containerScale());
    g.top = fromScale(top, containerScale());
    setGeometry(g);
}

void Control::setGeometry(const TwipsRect& geometry) {
    if (geometry == geometry_) return;
    geometry_ = geometry;
    geometryChanged();
    changed(Change::Geometry);
}

void Control::setVisible(bool visible) { set(visible_, visible, Change::Visibility); }

void Control::setEnabled(bool enabled) { set(enabled_, enabled, Change::Appearance); }

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
