// SPDX-License-Identifier: MIT
#include "platform/controls/picture_box.h"

#include "platform/canvas.h"
#include "platform/form.h"
#include "platform/form_design.h"
#include "platform/graphics.h"
#include "platform/paint_controls.h"
#include "platform/runtime.h"

namespace xmascard {

namespace {

// The classic 3D edge: shadow above and left, light below and right, two pixels deep.
void paintSunkenEdge(Canvas& canvas, const PixelRect& r) {
    const int x0 = r.left, y0 = r.top, x1 = r.right - 1, y1 = r.bottom - 1;
    const auto line = [&](int ax, int ay, int bx, int by, Color c) {
        canvas.line({ax, ay}, {bx, by}, c);
    };
    line(x0, y0, x1 - 1, y0, RGB(160, 160, 160));
    line(x0, y0, x0, y1 - 1, RGB(160, 160, 160));
    line(x0, y1, x1, y1, RGB(255, 255, 255));
    line(x1, y0, x1, y1, RGB(255, 255, 255));
    line(x0 + 1, y0 + 1, x1 - 2, y0 + 1, RGB(105, 105, 105));
    line(x0 + 1, y0 + 1, x0 + 1, y1 - 2, RGB(105, 105, 105));
    line(x0 + 1, y1 - 1, x1 - 1, y1 - 1, RGB(227, 227, 227));
    line(x1 - 1, y0 + 1, x1 - 1, y1 - 1, RGB(227, 227, 227));
}

}  // namespace

int borderPixels(BorderStyle style) {
    switch (style) {
        case BorderStyle::None:
            return 0;
        case BorderStyle::Flat:
            return 1;
        case BorderStyle::Sunken:
            return 2;
    }
    return 0;
}

PictureBox::PictureBox(Form& form, std::string name, int index, PictureBox* container)
    : Control(form, std::move(name), index, container),
      surface_(form.runtime().host().graphics().makeSurface()) {}

void PictureBox::applyDesign(const ControlDesign& d) {
    Control::applyDesign(d);  // first: the picture may size the box to itself
    setBorderStyle(d.border.value_or(BorderStyle::Sunken));
    setBackColor(d.backColor.value_or(kButtonFace));
    setForeColor(d.foreColor.value_or(kWindowText));
    setScaleMode(d.scaleMode);
    setFillStyle(d.fillStyle);
    setFillColor(d.fillColor);
    setDrawStyle(d.drawStyle);
    setPicture(form().runtime().loadPicture(d.picture));
    setAutoSize(d.autoSize);
}

void PictureBox::paint(Canvas& canvas, const PixelRect& r, TextBoxes textBoxes) const {
    const int b = borderPixels(border_);
    canvas.save();
    if (border_ == BorderStyle::Flat)
        canvas.frameRect(r, RGB(0, 0, 0));
    else if (border_ == BorderStyle::Sunken)
        paintSunkenEdge(canvas, r);
    const PixelRect inner = r.adjusted(b, b, -b, -b);
    canvas.clip(inner);
    canvas.drawSurface(inner.topLeft(), *surface_);
    canvas.translate(inner.topLeft());
    paintControls(canvas, children_, textBoxes);
    canvas.restore();
}

void PictureBox::setPicture(const Picture& picture) {
    picture_ = picture;
    if (autoSize_)
        fitToPicture();  // resets the surface through geometryChanged when the size changes
    resetSurface();
    changed(Change::Content);
}

void PictureBox::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) fitToPicture();
}

void PictureBox::setBorderStyle(BorderStyle style) {
    border_ = style;
    if (autoSize_)
        fitToPicture();
    else
        resetSurface();
    changed(Change::Appearance);
}

void PictureBox::setBackColor(Color c) {
    backColor_ = c;
    resetSurface();
    changed(Change::Content);
}

int PictureBox::innerWidthPixels() const {
    return std::max(0, devicePixels(geometry().width) - 2 * borderPixels(border_));
}
int PictureBox::innerHeightPixels() const {
    return std::max(0, devicePixels(geometry().height) - 2 * borderPixels(border_));
}

float PictureBox::ScaleWidth() const {
    return toScale(toTwips(Pixels{static_cast<float>(innerWidthPixels())}), scaleMode_);
}
float PictureBox::ScaleHeight() const {
    return toScale(toTwips(Pixels{static_cast<float>(innerHeightPixels())}), scaleMode_);
}

void PictureBox::Cls() {
    resetSurface();
    changed(Change::Content);
}

void PictureBox::Circle(float x, float y, float r, Color outline) {
    const auto px = [this](float v) { return toPixels(fromScale(v, scaleMode_)).value; };
    surface_->circle(px(x), px(y), px(r), {outline, drawStyle_, fillStyle_, fillColor_});
    changed(Change::Content);
}

void PictureBox::PaintPicture(const Picture& picture, float x, float y) {
    const auto px = [this](float v) { return toPixels(fromScale(v, scaleMode_)).value; };
    surface_->paintPicture(picture, px(x), px(y));
    changed(Change::Content);
}

void PictureBox::restack(Control& child, ZOrderPosition position) {
    moveInStack(children_, child, position);
}

void PictureBox::geometryChanged() {
    if (surface_->width() != innerWidthPixels() || surface_->height() != innerHeightPixels())
        resetSurface();
}

void PictureBox::fitToPicture() {
    const float border = static_cast<float>(2 * borderPixels(border_));
    const Twips w = toTwips(Pixels{static_cast<float>(picture_.width()) + border});
    const Twips h = toTwips(Pixels{static_cast<float>(picture_.height()) + border});
    setGeometry({geometry().left, geometry().top, w, h});
}

void PictureBox::resetSurface() {
    surface_->reset(innerWidthPixels(), innerHeightPixels(), backColor_, picture_);
}

}  // namespace xmascard
