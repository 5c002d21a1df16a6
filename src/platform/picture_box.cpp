// SPDX-License-Identifier: MIT
#include "platform/picture_box.h"

namespace xmascard {

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
    : Control(form, ControlKind::PictureBox, std::move(name), index, container) {}

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
    return std::max(0, devicePixels(widthTwips()) - 2 * borderPixels(border_));
}
int PictureBox::innerHeightPixels() const {
    return std::max(0, devicePixels(heightTwips()) - 2 * borderPixels(border_));
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
    surface_.circle(px(x), px(y), px(r), {outline, drawStyle_, fillStyle_, fillColor_});
    changed(Change::Content);
}

void PictureBox::PaintPicture(const Picture& picture, float x, float y) {
    const auto px = [this](float v) { return toPixels(fromScale(v, scaleMode_)).value; };
    surface_.paintPicture(picture, px(x), px(y));
    changed(Change::Content);
}

void PictureBox::restack(Control& child, ZOrderPosition position) {
    moveInStack(children_, child, position);
}

void PictureBox::geometryChanged() {
    if (surface_.width() != innerWidthPixels() || surface_.height() != innerHeightPixels())
        resetSurface();
}

void PictureBox::fitToPicture() {
    const float border = static_cast<float>(2 * borderPixels(border_));
    const Twips w = toTwips(Pixels{static_cast<float>(picture_.width()) + border});
    const Twips h = toTwips(Pixels{static_cast<float>(picture_.height()) + border});
    setGeometryTwips(leftTwips(), topTwips(), w, h);
}

void PictureBox::resetSurface() {
    surface_.reset(innerWidthPixels(), innerHeightPixels(), backColor_, picture_);
}

}  // namespace xmascard
