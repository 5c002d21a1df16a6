// SPDX-License-Identifier: MIT
#include "platform/controls/control_factory.h"

#include <iterator>

#include "platform/controls/command_button.h"
#include "platform/controls/image_control.h"
#include "platform/controls/label.h"
#include "platform/controls/media_player.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/shape.h"
#include "platform/controls/text_box.h"
#include "platform/controls/timer_control.h"

namespace xmascard {

namespace {

template <class T>
std::unique_ptr<Control> make(Form& form, const ControlDesign& d, PictureBox* container) {
    return std::make_unique<T>(form, d.name, d.index, container);
}

using Maker = std::unique_ptr<Control> (*)(Form&, const ControlDesign&, PictureBox*);

// One maker per kind, in the order of ControlKind's values.
constexpr Maker kMakers[] = {&make<PictureBox>,   &make<Shape>,        &make<Label>,
                             &make<TextBox>,      &make<ImageControl>, &make<CommandButton>,
                             &make<TimerControl>, &make<MediaPlayer>};
static_assert(std::size(kMakers) == static_cast<std::size_t>(ControlKind::MediaPlayer) + 1);

}  // namespace

std::unique_ptr<Control> makeControl(Form& form, const ControlDesign& design,
                                     PictureBox* container) {
    std::unique_ptr<Control> control =
        kMakers[static_cast<std::size_t>(design.kind)](form, design, container);
    control->applyDesign(design);
    control->setVisible(design.visible);
    control->setMousePointer(design.cursor);
    control->setToolTipText(design.toolTip);
    return control;
}

}  // namespace xmascard
