// SPDX-License-Identifier: MIT
#include "shaping/transparent_form.h"

#include "platform/region_calls.h"
#include "platform/units.h"

namespace xmascard {

void TransparentForm(Form& form) {
    form.setScaleMode(ScaleMode::Pixels);
    if (form.windowState() == WindowState::Minimized) return;

    const float wp = form.ScaleX(form.Width(), ScaleMode::Twips, ScaleMode::Pixels);
    const float hp = form.ScaleY(form.Height(), ScaleMode::Twips, ScaleMode::Pixels);
    const float b = (wp - form.ScaleWidth()) / 2;
    const float t = hp - b - form.ScaleHeight();

    const Region whole = CreateRectRgn(0, 0, roundHalfEven(wp), roundHalfEven(hp));
    const Region client = CreateRectRgn(roundHalfEven(b), roundHalfEven(t), roundHalfEven(wp - b),
                                        roundHalfEven(hp - b));
    Region result = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(result, whole, client, CombineMode::Diff);

    const ScaleMode scale = form.scaleMode();
    for (const Control* c : form.Controls()) {
        if (c->Container() != nullptr) continue;  // covered by the box that holds it
        const float left = form.ScaleX(c->Left(), scale, ScaleMode::Pixels) + b;
        const float top = form.ScaleY(c->Top(), scale, ScaleMode::Pixels) + t;
        const float right = form.ScaleX(c->Width(), scale, ScaleMode::Pixels) + left;
        const float bottom = form.ScaleY(c->Height(), scale, ScaleMode::Pixels) + top;
        const Region rect = CreateRectRgn(roundHalfEven(left), roundHalfEven(top),
                                          roundHalfEven(right), roundHalfEven(bottom));
        CombineRgn(result, result, rect, CombineMode::Or);
    }
    SetWindowRgn(form.hWnd(), result, Redraw::Yes);
}

}  // namespace xmascard
