// SPDX-License-Identifier: MIT
#include "backends/qt/qt_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "backends/qt/dot_sprites.h"
#include "backends/qt/qt_colors.h"
#include "backends/qt/qt_picture.h"

namespace xmascard {

QPainter& QtSurface::painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

namespace {

// Copies the area of an opaque picture into the image, row by row: an opaque premultiplied
// pixel is the same word as an RGB32 one.
void copyArea(QImage& image, const QImage& picture, const QRect& area) {
    const QRect inside = area & image.rect();
    if (inside.isEmpty()) return;
    const auto bytes = static_cast<std::size_t>(inside.width()) * sizeof(QRgb);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        std::memcpy(image.scanLine(y) + inside.left() * sizeof(QRgb),
                    picture.constScanLine(y) + inside.left() * sizeof(QRgb), bytes);
}

// Past this many areas drawn on, the whole picture is copied back.
constexpr std::size_t kMostAreas = 1024;

}  // namespace

void QtSurface::drawing(const QRect& area) {
    if (base_.isNull()) return;
    if (drawn_.size() < kMostAreas)
        drawn_.push_back(area);
    else
        base_ = Picture();
}

void QtSurface::reset(int width, int height, Color back, const Picture& picture) {
    finishPainting();
    if (image_.width() != width || image_.height() != height) {
        image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
        base_ = Picture();
    }
    if (image_.isNull()) return;
    const QtPictureData* source = qtPicture(picture);
    // An opaque picture that fills the drawing (the tree, the greetings) is copied, or
    // where the image already holds it, only what was drawn on since.
    if (source && source->opaque() && source->width() >= image_.width() &&
        source->height() >= image_.height()) {
        if (base_ == picture) {
            for (const QRect& area : drawn_) copyArea(image_, source->image(), area);
        } else {
            copyArea(image_, source->image(), image_.rect());
            base_ = picture;
        }
        drawn_.clear();
        return;
    }
    base_ = Picture();
    image_.fill(toQColor(back));
    if (source) painter().drawImage(0, 0, source->image());
}

void QtSurface::circle(double x, double y, double r, const Pen& pen) {
    if (image_.isNull()) return;
    // The dot's sprite reaches two pixels past the circle, its pen one.
    const double reach = std::abs(r) + 3;
    if (std::isfinite(x) && std::isfinite(y) && std::isfinite(reach)) {
        const double limit = image_.width() + image_.height() + 8.0;
        const auto at = [limit](double v) {
            return static_cast<int>(std::floor(std::clamp(v, -limit, limit)));
        };
        drawing(QRect(QPoint(at(x - reach), at(y - reach)),
                      QPoint(at(x + reach) + 1, at(y + reach) + 1)));
    } else {
        drawing(image_.rect());
    }
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
    drawing(QRect(static_cast<int>(std::floor(x)) - 1, static_cast<int>(std::floor(y)) - 1,
                  source->width() + 2, source->height() + 2));
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
