// SPDX-License-Identifier: MIT
#include "platform/surface.h"

#include <QPainter>
#include <cstring>

#include "platform/dot_sprites.h"
#include "platform/picture_impl.h"
#include "platform/qt_colors.h"
#include "platform/surface_impl.h"

namespace xmascard {

Surface::Surface() : impl_(std::make_unique<Impl>()) {}
Surface::~Surface() = default;

void Surface::reset(int width, int height, Color back, const Picture& picture) {
    impl_->finishPainting();
    QImage& image = impl_->image;
    if (image.width() != width || image.height() != height)
        image = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    if (image.isNull()) return;
    const QImage* source = qImage(picture);
    // An opaque picture that fills the drawing (the tree, the greetings) is copied row by
    // row: an opaque premultiplied pixel is the same word as an RGB32 one. The snow resets
    // the tree this way ten times a second.
    if (source && picture.impl()->opaque && source->width() >= image.width() &&
        source->height() >= image.height()) {
        const auto bytes = static_cast<std::size_t>(image.width()) * sizeof(QRgb);
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(image.scanLine(y), source->constScanLine(y), bytes);
        return;
    }
    image.fill(toQColor(back));
    if (source) impl_->paint().drawImage(0, 0, *source);
}

int Surface::width() const { return impl_->image.width(); }
int Surface::height() const { return impl_->image.height(); }

void Surface::circle(double x, double y, double r, const Pen& pen) {
    if (impl_->image.isNull()) return;
    QPainter& painter = impl_->paint();
    const bool plainFill = pen.fill == FillStyle::Solid || pen.fill == FillStyle::Transparent;
    if (plainFill && r >= 0 && r <= DotSprites::kLargestRadius) {
        static DotSprites sprites;
        sprites.draw(painter,
                     {x, y, r, pen.style == DrawStyle::Invisible ? QColor() : toQColor(pen.outline),
                      pen.fill == FillStyle::Solid ? toQColor(pen.fillColor) : QColor()});
        return;
    }
    if (pen.style == DrawStyle::Invisible)
        painter.setPen(Qt::NoPen);
    else
        painter.setPen(QPen(toQColor(pen.outline), 1));
    painter.setBrush(QBrush(toQColor(pen.fillColor), toBrushStyle(pen.fill)));
    painter.drawEllipse(QPointF(x, y), r, r);
}

void Surface::paintPicture(const Picture& picture, double x, double y) {
    const QImage* source = qImage(picture);
    if (!source || impl_->image.isNull()) return;
    impl_->paint().drawImage(QPointF(x, y), *source);
}

Color Surface::pixel(int x, int y) const {
    const QImage& image = impl_->image;
    if (!image.valid(x, y)) return kInvalidColor;
    const QRgb p = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

const std::uint32_t* Surface::scanLine(int y) const {
    return reinterpret_cast<const std::uint32_t*>(impl_->image.constScanLine(y));
}

Picture Surface::snapshot() const {
    impl_->finishPainting();
    return makePicture(impl_->image);
}

Color GetPixel(DeviceContext dc, int x, int y) {
    return dc.surface ? dc.surface->pixel(x, y) : kInvalidColor;
}

}  // namespace xmascard
