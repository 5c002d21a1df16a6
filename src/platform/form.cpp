// SPDX-License-Identifier: MIT
#include "platform/form.h"

#include <algorithm>

#include "platform/controls/control_factory.h"
#include "platform/controls/picture_box.h"
#include "platform/runtime.h"

namespace xmascard {

Form::Form(Runtime& runtime, const FormDesign& design, std::span<const ControlDesign> controls)
    : runtime_(runtime),
      name_(design.name),
      caption_(design.caption),
      backColor_(design.backColor),
      icon_(design.icon),
      borderless_(design.borderless),
      showInTaskbar_(design.showInTaskbar),
      startUpPosition_(design.startUpPosition),
      scaleMode_(design.scaleMode),
      geometry_{
          {design.place.left}, {design.place.top}, {design.place.width}, {design.place.height}} {
    buildControls(controls);
    runtime_.formCreated(*this);
    view_ = runtime_.host().makeView(*this);
}

Form::~Form() {
    runtime_.formDestroyed(*this);
    view_.reset();  // the view goes before the controls it shows
}

void Form::attachView(std::unique_ptr<FormView> view) { view_ = std::move(view); }

void Form::buildControls(std::span<const ControlDesign> controls) {
    for (const ControlDesign& d : controls) {
        PictureBox* container = nullptr;
        if (d.container[0] != '\0') container = dynamic_cast<PictureBox*>(find(d.container));
        owned_.push_back(makeControl(*this, d, container));
        Control& c = *owned_.back();
        order_.push_back(&c);
        if (container)
            container->adopt(c);
        else
            children_.push_back(&c);
    }
}

Control* Form::find(const std::string& name, int index) const {
    for (Control* c : order_)
        if (c->Name() == name && c->Index() == index) return c;
    return nullptr;
}

void Form::setLeft(float twips) { Move(twips, Top()); }
void Form::setTop(float twips) { Move(Left(), twips); }

void Form::Move(float left, float top) {
    if (left == Left() && top == Top()) return;
    geometry_.left = {left};
    geometry_.top = {top};
    notify(Change::Geometry);
}

void Form::setWidth(float twips) {
    if (twips == Width()) return;
    geometry_.width = {twips};
    sizeChanged();
}

void Form::setHeight(float twips) {
    if (twips == Height()) return;
    geometry_.height = {twips};
    sizeChanged();
}

void Form::sizeChanged() {
    notify(Change::Geometry);
    Form_Resize();
}

void Form::setVisible(bool visible) {
    if (visible) {
        Show();
        return;
    }
    if (!visible_) return;
    visible_ = false;
    notify(Change::Visibility);
}

void Form::Show() {
    if (visible_) return;
    const bool first = !everShown_;
    if (first && startUpPosition_ == StartUpPosition::CenterScreen) {
        const ScreenSize screen = runtime_.screen();
        const float w = static_cast<float>(devicePixels(geometry_.width));
        const float h = static_cast<float>(devicePixels(geometry_.height));
        geometry_.left = toTwips(Pixels{std::floor((static_cast<float>(screen.width) - w) / 2)});
        geometry_.top = toTwips(Pixels{std::floor((static_cast<float>(screen.height) - h) / 2)});
    }
    everShown_ = true;
    visible_ = true;
    runtime_.bringToFront(*this);
    notify(Change::Visibility);
    if (first) Form_Resize();
}

void Form::ZOrder(ZOrderPosition position) {
    if (position == ZOrderPosition::Front) {
        runtime_.bringToFront(*this);
        if (view_) view_->raise();
    }
}

FrameMetrics Form::frame() const { return view_ ? view_->frame() : FrameMetrics{}; }

float Form::ScaleWidth() const {
    const FrameMetrics f = frame();
    const float inner = static_cast<float>(devicePixels(geometry_.width) - 2 * f.side);
    return toScale(toTwips(Pixels{inner}), scaleMode_);
}

float Form::ScaleHeight() const {
    const FrameMetrics f = frame();
    const float inner = static_cast<float>(devicePixels(geometry_.height) - f.top - f.side);
    return toScale(toTwips(Pixels{inner}), scaleMode_);
}

float Form::ScaleX(float value, ScaleMode from, ScaleMode to) const {
    return toScale(fromScale(value, from), to);
}

float Form::ScaleY(float value, ScaleMode from, ScaleMode to) const {
    return toScale(fromScale(value, from), to);
}

void Form::setWindowState(WindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    notify(Change::Visibility);
    if (state != WindowState::Minimized) Form_Resize();
}

void Form::setRegion(RegionHandle region) {
    region_ = std::move(region);
    if (view_) view_->regionChanged();
}

void Form::controlChanged(Control& control, Change what) {
    if (what == Change::Geometry) runtime_.noteMotion();
    if (view_) view_->controlChanged(control, what);
}

void Form::restack(Control& control, ZOrderPosition position) {
    if (PictureBox* box = control.Container())
        box->restack(control, position);
    else
        moveInStack(children_, control, position);
}

void Form::notify(Change what) {
    if (what == Change::Geometry) runtime_.noteMotion();
    if (view_) view_->formChanged(what);
}

void End(Runtime& runtime) { runtime.End(); }

}  // namespace xmascard
