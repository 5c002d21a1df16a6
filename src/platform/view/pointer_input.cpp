// SPDX-License-Identifier: MIT
#include "platform/view/pointer_input.h"

#include "platform/controls/control_geometry.h"
#include "platform/controls/picture_box.h"
#include "platform/form.h"
#include "platform/runtime.h"

namespace xmascard {

namespace {

Control* hitIn(const std::vector<Control*>& children, PixelPoint at);

Control* hitControl(Control* c, PixelPoint at) {
    if (!c->Visible() || !c->takesMouse()) return nullptr;
    if (!controlRectInForm(*c).contains(at)) return nullptr;
    if (auto* box = dynamic_cast<PictureBox*>(c))
        if (innerRectInForm(*box).contains(at))
            if (Control* inner = hitIn(box->children(), at)) return inner;
    return c;
}

Control* hitIn(const std::vector<Control*>& children, PixelPoint at) {
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (!(*it)->isWindowless())
            if (Control* hit = hitControl(*it, at)) return hit;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->isWindowless())
            if (Control* hit = hitControl(*it, at)) return hit;
    return nullptr;
}

}  // namespace

Control* controlAt(const Form& form, PixelPoint at) { return hitIn(form.children(), at); }

MouseEvent mouseEventFor(const Control& control, PixelPoint onScreen, int buttons, int shift) {
    const Form& form = control.form();
    const PixelPoint windowAt{devicePixels(Twips{form.Left()}), devicePixels(Twips{form.Top()})};
    const auto* box = dynamic_cast<const PictureBox*>(&control);
    const PixelRect inside = box ? innerRectInForm(*box) : controlRectInForm(control);
    const PixelPoint local = onScreen - windowAt - inside.topLeft();
    const ScaleMode scale = control.ownScale();
    return {buttons, shift, toScale(toTwips(Pixels{static_cast<float>(local.x)}), scale),
            toScale(toTwips(Pixels{static_cast<float>(local.y)}), scale)};
}

void PointerInput::press(PixelPoint inWindow, PixelPoint onScreen, int button, int shift) {
    Control* target = captured_ ? captured_ : controlAt(form_, inWindow);
    if (!target) return;
    captured_ = target;
    target->setPressed(true);
    if (target->MouseDown) target->MouseDown(mouseEventFor(*target, onScreen, button, shift));
    form_.runtime().requestSweep();
}

const Control* PointerInput::move(PixelPoint inWindow, PixelPoint onScreen, int buttons,
                                  int shift) {
    Control* under = captured_ ? nullptr : controlAt(form_, inWindow);
    Control* target = captured_ ? captured_ : under;
    if (target && target->MouseMove) {
        target->MouseMove(mouseEventFor(*target, onScreen, buttons, shift));
        form_.runtime().requestSweep();
    }
    return under;
}

void PointerInput::release(PixelPoint inWindow, PixelPoint onScreen, int button, int stillHeld,
                           int shift) {
    Control* target = captured_;
    if (!target) return;
    if (stillHeld == 0) captured_ = nullptr;
    target->setPressed(false);
    const bool over = controlAt(form_, inWindow) == target;
    if (target->MouseUp) target->MouseUp(mouseEventFor(*target, onScreen, button, shift));
    // A click is a left press and release on the same control. The handlers may unload this
    // window; it stays valid until the runtime sweeps after the event.
    if (over && button == kLeftButton && target->Click) target->Click();
    form_.runtime().requestSweep();
}

}  // namespace xmascard
