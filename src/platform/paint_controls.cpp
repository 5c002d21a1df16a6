// SPDX-License-Identifier: MIT
#include "platform/paint_controls.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/graphics.h"
#include "platform/runtime.h"

namespace xmascard {

namespace {

void paintOne(Canvas& canvas, const Control& control, TextBoxes textBoxes) {
    const PixelRect area = control.geometry().pixels();
    const std::optional<PixelRect> clip = canvas.clipBounds();
    if (clip && !clip->intersects(area)) return;
    control.paint(canvas, area, textBoxes);
}

PixelRect clientRect(const Form& form) {
    return PixelRect::at(0, 0, devicePixels(Twips{form.Width()}),
                         devicePixels(Twips{form.Height()}));
}

}  // namespace

void paintControls(Canvas& canvas, const std::vector<Control*>& controls, TextBoxes textBoxes) {
    for (const Control* c : controls)
        if (c->isWindowless() && c->Visible()) paintOne(canvas, *c, textBoxes);
    for (const Control* c : controls)
        if (!c->isWindowless() && c->Visible()) paintOne(canvas, *c, textBoxes);
}

void paintForm(Canvas& canvas, const Form& form, TextBoxes textBoxes) {
    canvas.fillRect(clientRect(form), form.BackColor());
    paintControls(canvas, form.children(), textBoxes);
}

std::unique_ptr<Image> renderForm(Graphics& graphics, const Form& form) {
    const PixelRect client = clientRect(form);
    auto image = graphics.makeImage(std::max(1, client.width()), std::max(1, client.height()),
                                    form.BackColor());
    paintForm(image->canvas(), form, TextBoxes::Painted);
    return image;
}

std::unique_ptr<Image> renderScreen(Graphics& graphics, const Runtime& runtime, Color desktop) {
    const ScreenSize screen = runtime.screen();
    auto image = graphics.makeImage(screen.width, screen.height, desktop);
    Canvas& canvas = image->canvas();
    for (const Form* form : runtime.stacking()) {
        if (!form->Visible() || form->windowState() == WindowState::Minimized) continue;
        const PixelPoint at{devicePixels(Twips{form->Left()}), devicePixels(Twips{form->Top()})};
        const std::unique_ptr<Image> window = renderForm(graphics, *form);
        canvas.save();
        if (form->region()) canvas.clip(form->region()->translated(at));
        canvas.drawImage(at, *window);
        canvas.restore();
    }
    return image;
}

}  // namespace xmascard
