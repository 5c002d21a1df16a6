// SPDX-License-Identifier: MIT
#include "platform/controls/shape.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/form_design.h"

namespace xmascard {

void Shape::applyDesign(const ControlDesign& d) {
    setType(d.shape);
    setBackStyle(d.backStyle.value_or(BackStyle::Transparent));
    setBackColor(d.backColor.value_or(kWindowBackground));
    setBorderColor(d.borderColor);
    setBorderWidth(d.borderWidth);
    setBorderVisible(d.borderVisible);
    setFillStyle(d.fillStyle);
    setFillColor(d.fillColor);
    setDrawMode(d.drawMode);
    Control::applyDesign(d);
}

void Shape::paint(Canvas& canvas, const PixelRect& r, TextBoxes) const {
    if (r.isEmpty()) return;
    Figure figure;
    figure.box = r;
    if (type_ == ShapeType::Circle) {
        // A circle fills the largest square centred in the control.
        const int d = std::min(r.width(), r.height());
        figure.kind = Figure::Kind::Circle;
        figure.box =
            PixelRect::at(r.left + (r.width() - d) / 2, r.top + (r.height() - d) / 2, d, d);
    }
    if (backStyle_ == BackStyle::Opaque) figure.back = backColor_;
    figure.fill = fillStyle_;
    figure.fillColor = fillColor_;
    figure.borderWidth = borderVisible_ ? std::max(0, borderWidth_) : 0;
    figure.borderColor = borderColor_;
    figure.mode = drawMode_;
    canvas.drawFigure(figure);
}

}  // namespace xmascard
