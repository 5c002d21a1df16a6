// SPDX-License-Identifier: MIT
#include "backends/qt/qt_surface.h"

#include <cstring>

#include "backends/qt/dot_sprites.h"
#include "backends/qt/qt_colors.h"
#include "backends/qt/qt_picture.h"

namespace xmascard {

QPainter& QtSurface::painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

void QtSurface::reset(int width, int height, Color back, const Picture& picture) {
    finishPainting();
    if (image_.width() != width || image_.height() != height)
        image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    if (image_.isNull()) return;
    const QtPictureData* source = qtPicture(picture);
    // An opaque picture that fills the drawing (the tree, the greetings) is copied row by
    // row: an opaque premultiplied pixel is the same word as an RGB32 one. The snow resets
    // the tree this way ten times a second.
    if (source && source->opaque() && source->width() >= image_.width() &&
        source->height() >= image_.height()) {
        const auto bytes = static_cast<std::size_t>(image_.width()) * sizeof(QRgb);
        for (int y = 0; y < image_.height(); ++y)
            std::memcpy(image_.scanLine(y), source->image().constScanLine(y), bytes);
        return;
    }
    image_.fill(toQColor(back));
    if (source) painter().drawImage(0, 0, source->image());
}

void QtSurface::circle(double x, double y, double r, const Pen& pen) {
    if (image_.isNull()) return;
    QPainter& p = painter();
    const bool plainFill = pen.fill == FillStyle::Solid || pen.fill == FillStyle::Transparent;
    if (plainFill && r >= 0 && r <= DotSprites::kLargestRadius) {
        static DotSprites sprites;
        sprites.draw(p,
                     {x, y, r, pen.style == DrawStyle::Invisible ? QColor() : toQColor(pen.outline),
                      pen.fill == FillStyle::Solid ? toQColor(pen.fillColor) : QColor()});
        return;
    }
    if (pen.style == DrawStyle::Invisible)
        p.setPen(Qt::NoPen);
    else
        p.setPen(QPen(toQColor(pen.outline), 1));
    p.setBrush(QBrush(toQColor(pen.fillColor), toBrushStyle(pen.fill)));
    p.drawEllipse(QPointF(x, y), r, r);
}

void QtSurface::paintPicture(const Picture& picture, double x, double y) {
    const QImage* source = qImage(picture);
    if (!source || image_.isNull()) return;
    painter().drawImage(QPointF(x, y), *source);
}

Color QtSurface::pixel(int x, int y) const {
    if (!image_.valid(x, y)) return kInvalidColor;
    const QRgb p = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

const std::uint32_t* QtSurface::scanLine(int y) const {
    return reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y));
}

Picture QtSurface::snapshot() const {
    finishPainting();
    return makePicture(image_);
}

}  // namespace xmascard
