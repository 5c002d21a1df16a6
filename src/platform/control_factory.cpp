// SPDX-License-Identifier: MIT
#include "platform/control_factory.h"

#include "platform/command_button.h"
#include "platform/image_control.h"
#include "platform/label.h"
#include "platform/media_player.h"
#include "platform/picture_box.h"
#include "platform/shape.h"
#include "platform/text_box.h"
#include "platform/timer_control.h"

namespace xmascard {

namespace {

template <class T>
std::unique_ptr<Control> make(Form& form, const ControlDesign& d, PictureBox* container) {
    return std::make_unique<T>(form, d.name, d.index, container);
}

std::unique_ptr<Control> makeOfKind(Form& form, const ControlDesign& d, PictureBox* container) {
    switch (d.kind) {
        case ControlKind::PictureBox:
            return make<PictureBox>(form, d, container);
        case ControlKind::Shape:
            return make<Shape>(form, d, container);
        case ControlKind::Label:
            return make<Label>(form, d, container);
        case ControlKind::TextBox:
            return make<TextBox>(form, d, container);
        case ControlKind::Image:
            return make<ImageControl>(form, d, container);
        case ControlKind::CommandButton:
            return make<CommandButton>(form, d, container);
        case ControlKind::Timer:
            return make<TimerControl>(form, d, container);
        case ControlKind::MediaPlayer:
            return make<MediaPlayer>(form, d, container);
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<Control> makeControl(Form& form, const ControlDesign& design,
                                     PictureBox* container) {
    std::unique_ptr<Control> control = makeOfKind(form, design, container);
    control->applyDesign(design);
    control->setVisible(design.visible);
    control->setMousePointer(design.cursor);
    control->setToolTipText(design.toolTip);
    return control;
}

}  // namespace xmascard
