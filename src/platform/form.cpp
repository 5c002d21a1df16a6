// SPDX-License-Identifier: MIT
#include "platform/form.h"

#include <algorithm>

#include "platform/command_button.h"
#include "platform/image_control.h"
#include "platform/label.h"
#include "platform/media_player.h"
#include "platform/picture_box.h"
#include "platform/runtime.h"
#include "platform/shape.h"
#include "platform/text_box.h"
#include "platform/timer_control.h"

namespace xmascard {

namespace {

Picture pictureOf(const char* path) { return path ? Picture::fromResource(path) : Picture(); }

}  // namespace

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
      left_{design.left},
      top_{design.top},
      width_{design.clientWidth},
      height_{design.clientHeight} {
    buildControls(controls);
    runtime_.formCreated(*this);
    view_ = runtime_.makeView(*this);
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
        Control& c = createControl(d, container);
        order_.push_back(&c);
        if (container)
            container->adopt(c);
        else
            children_.push_back(&c);
    }
}

Control& Form::createControl(const ControlDesign& d, PictureBox* container) {
    std::unique_ptr<Control> made;
    switch (d.kind) {
        case ControlKind::PictureBox: {
            auto box = std::make_unique<PictureBox>(*this, d.name, d.index, container);
            box->setGeometryTwips({d.left}, {d.top}, {d.width}, {d.height});
            box->setBorderStyle(d.border.value_or(BorderStyle::Sunken));
            box->setBackColor(d.backColor.value_or(kButtonFace));
            box->setForeColor(d.foreColor.value_or(kWindowText));
            box->setScaleMode(d.scaleMode);
            box->setFillStyle(d.fillStyle);
            box->setFillColor(d.fillColor);
            box->setDrawStyle(d.drawStyle);
            box->setPicture(pictureOf(d.picture));
            box->setAutoSize(d.autoSize);
            made = std::move(box);
            break;
        }
        case ControlKind::Shape: {
            auto shape = std::make_unique<Shape>(*this, d.name, d.index, container);
            shape->setType(d.shape);
            shape->setBackStyle(d.backStyle.value_or(BackStyle::Transparent));
            shape->setBackColor(d.backColor.value_or(kWindowBackground));
            shape->setBorderColor(d.borderColor);
            shape->setBorderWidth(d.borderWidth);
            shape->setBorderVisible(d.borderVisible);
            shape->setFillStyle(d.fillStyle);
            shape->setFillColor(d.fillColor);
            shape->setDrawMode(d.drawMode);
            made = std::move(shape);
            break;
        }
        case ControlKind::Label: {
            auto label = std::make_unique<Label>(*this, d.name, d.index, container);
            label->setCaption(d.text);
            label->setForeColor(d.foreColor.value_or(kWindowText));
            label->setBackColor(d.backColor.value_or(kButtonFace));
            label->setBackStyle(d.backStyle.value_or(BackStyle::Opaque));
            label->setAlignment(d.alignment);
            label->setBordered(d.bordered.value_or(false));
            label->setFont(d.font);
            made = std::move(label);
            break;
        }
        case ControlKind::TextBox: {
            auto box = std::make_unique<TextBox>(*this, d.name, d.index, container);
            box->initText(d.text);
            box->setForeColor(d.foreColor.value_or(kWindowText));
            box->setBackColor(d.backColor.value_or(kWindowBackground));
            box->setAlignment(d.alignment);
            box->setBordered(d.bordered.value_or(true));
            box->setFont(d.font);
            made = std::move(box);
            break;
        }
        case ControlKind::Image: {
            auto image = std::make_unique<ImageControl>(*this, d.name, d.index, container);
            image->setPicture(pictureOf(d.picture));
            made = std::move(image);
            break;
        }
        case ControlKind::CommandButton: {
            auto button = std::make_unique<CommandButton>(*this, d.name, d.index, container);
            button->setPicture(pictureOf(d.picture));
            button->setDownPicture(pictureOf(d.downPicture));
            button->setDisabledPicture(pictureOf(d.disabledPicture));
            button->setBackColor(d.backColor.value_or(kButtonFace));
            made = std::move(button);
            break;
        }
        case ControlKind::Timer: {
            auto timer = std::make_unique<TimerControl>(*this, d.name, d.index, container);
            timer->setInterval(d.interval);
            timer->setEnabled(d.enabled);
            made = std::move(timer);
            break;
        }
        case ControlKind::MediaPlayer: {
            auto player = std::make_unique<MediaPlayer>(*this, d.name, d.index, container);
            player->apply(d.media);
            made = std::move(player);
            break;
        }
    }
    Control& c = *made;
    if (d.kind != ControlKind::PictureBox)
        c.setGeometryTwips({d.left}, {d.top}, {d.width}, {d.height});
    c.setVisible(d.visible);
    c.setMousePointer(d.cursor);
    c.setToolTipText(d.toolTip);
    owned_.push_back(std::move(made));
    return c;
}

Control* Form::find(const std::string& name, int index) const {
    for (Control* c : order_)
        if (c->Name() == name && c->Index() == index) return c;
    return nullptr;
}

void Form::setLeft(float twips) { Move(twips, top_.value); }
void Form::setTop(float twips) { Move(left_.value, twips); }

void Form::Move(float left, float top) {
    if (left == left_.value && top == top_.value) return;
    left_ = {left};
    top_ = {top};
    notify(Change::Geometry);
}

void Form::setWidth(float twips) {
    if (twips == width_.value) return;
    width_ = {twips};
    sizeChanged();
}

void Form::setHeight(float twips) {
    if (twips == height_.value) return;
    height_ = {twips};
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
        const float w = static_cast<float>(devicePixels(width_));
        const float h = static_cast<float>(devicePixels(height_));
        left_ = toTwips(Pixels{std::floor((static_cast<float>(screen.width) - w) / 2)});
        top_ = toTwips(Pixels{std::floor((static_cast<float>(screen.height) - h) / 2)});
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
    const float inner = static_cast<float>(devicePixels(width_) - 2 * f.side);
    return toScale(toTwips(Pixels{inner}), scaleMode_);
}

float Form::ScaleHeight() const {
    const FrameMetrics f = frame();
    const float inner = static_cast<float>(devicePixels(height_) - f.top - f.side);
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
