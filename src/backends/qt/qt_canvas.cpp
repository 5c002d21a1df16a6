// SPDX-License-Identifier: MIT
#include "backends/qt/qt_canvas.h"

#include "backends/qt/qt_colors.h"
#include "backends/qt/qt_picture.h"
#include "backends/qt/qt_surface.h"

namespace xmascard {

namespace {

// The part of a rectangle inside the painter's clip. Large blits and fills are split over
// threads by Qt, so painting only what is exposed keeps small updates cheap.
QRect exposed(const QPainter& p, const QRect& r) {
    const QRectF clip = p.clipBoundingRect();
    return clip.isEmpty() ? r : r.intersected(clip.toAlignedRect());
}

// Paints a large area in strips. Qt spreads a large blit or fill over a pool of threads,
// and waking them costs far more than the work itself at the card's sizes.
template <class Paint>
void inStrips(const QRect& area, Paint paint) {
    constexpr int kStrip = 32;
    for (int y = area.top(); y <= area.bottom(); y += kStrip)
        paint(QRect(area.left(), y, area.width(), std::min(kStrip, area.bottom() + 1 - y)));
}

// Draws a figure's back, fill and border with ordinary painting.
void drawFigureParts(QPainter& p, const Figure& f) {
    const bool circle = f.kind == Figure::Kind::Circle;
    const QRect box = toQRect(f.box);
    const auto fillFigure = [&](const QBrush& brush) {
        p.setPen(Qt::NoPen);
        p.setBrush(brush);
        if (circle)
            p.drawEllipse(box);
        else
            inStrips(exposed(p, box), [&](const QRect& strip) { p.drawRect(strip); });
    };
    if (f.back) fillFigure(QBrush(toQColor(*f.back)));
    if (f.fill != FillStyle::Transparent)
        fillFigure(QBrush(toQColor(f.fillColor), toBrushStyle(f.fill)));
    if (f.borderWidth > 0) {
        const int w = f.borderWidth;
        QPen pen(toQColor(f.borderColor), w);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // The border lies inside the figure's bounds.
        const qreal inset = w / 2.0;
        const QRectF inner = QRectF(box).adjusted(inset, inset, -inset, -inset);
        const QRectF thin = QRectF(box.adjusted(0, 0, -1, -1));
        if (circle)
            p.drawEllipse(w == 1 ? thin : inner);
        else
            p.drawRect(w == 1 ? thin : inner);
    }
}

// An RGB32 image on pixels of its own. A screen of a recording takes tens of megabytes:
// when they cannot be had, the allocation throws std::bad_alloc as any other of the
// program's does, where QImage would print a warning and be null, and every painter on it
// another.
QImage newImage(int width, int height) {
    const qsizetype stride = 4 * qsizetype{width};
    auto* pixels = new uchar[static_cast<std::size_t>(stride * height)];
    return QImage(
        pixels, width, height, stride, QImage::Format_RGB32,
        [](void* bytes) { delete[] static_cast<uchar*>(bytes); }, pixels);
}

}  // namespace

void QtCanvas::clip(const PixelRect& rect) { p_.setClipRect(toQRect(rect), Qt::IntersectClip); }

void QtCanvas::clip(const Region& region) {
    p_.setClipRegion(toQRegion(region), Qt::IntersectClip);
}

std::optional<PixelRect> QtCanvas::clipBounds() const {
    const QRectF clip = p_.clipBoundingRect();
    if (clip.isEmpty()) return std::nullopt;
    return toPixelRect(clip.toAlignedRect());
}

void QtCanvas::fillRect(const PixelRect& rect, Color color) {
    p_.fillRect(toQRect(rect), toQColor(color));
}

void QtCanvas::frameRect(const PixelRect& rect, Color color) {
    p_.save();
    p_.setPen(toQColor(color));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(toQRect(rect).adjusted(0, 0, -1, -1));
    p_.restore();
}

void QtCanvas::line(PixelPoint from, PixelPoint to, Color color) {
    p_.setPen(toQColor(color));
    p_.drawLine(from.x, from.y, to.x, to.y);
}

void QtCanvas::drawFigure(const Figure& f) {
    const QRect r = toQRect(f.box);
    if (r.width() <= 0 || r.height() <= 0) return;
    const bool hatched = f.fill != FillStyle::Solid && f.fill != FillStyle::Transparent;
    if (f.mode == DrawMode::CopyPen || !hatched) {
        // Solid figures AND cleanly with Qt's raster op.
        p_.save();
        if (f.mode == DrawMode::MaskPen)
            p_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        drawFigureParts(p_, f);
        p_.restore();
        return;
    }
    // A hatch in mask pen: Qt's raster op would also AND the transparent gaps between the
    // lines (as black), so the figure is drawn apart first and its gaps turned white, which
    // leaves the pixels under them as they are.
    QImage figure(r.size(), QImage::Format_ARGB32_Premultiplied);
    figure.fill(Qt::transparent);
    {
        QPainter fp(&figure);
        fp.translate(-r.topLeft());
        drawFigureParts(fp, f);
        fp.setCompositionMode(QPainter::CompositionMode_DestinationOver);
        fp.fillRect(r, Qt::white);
    }
    p_.save();
    p_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p_.drawImage(r.topLeft(), figure);
    p_.restore();
}

void QtCanvas::drawText(const PixelRect& box, const PixelRect& clip, const std::string& text,
                        const TextStyle& style) {
    p_.save();
    p_.setFont(toQFont(style.font));
    p_.setPen(toQColor(style.color));
    p_.setClipRect(toQRect(clip), Qt::IntersectClip);
    Qt::Alignment flags = toQAlignment(style.alignment);
    flags |= style.vertical == TextStyle::Vertical::Top ? Qt::AlignTop : Qt::AlignVCenter;
    p_.drawText(toQRect(box), static_cast<int>(flags) | (style.wordWrap ? Qt::TextWordWrap : 0),
                QString::fromStdString(text));
    p_.restore();
}

void QtCanvas::drawPicture(PixelPoint at, const Picture& picture) {
    if (const QImage* image = qImage(picture)) p_.drawImage(QPoint(at.x, at.y), *image);
}

void QtCanvas::drawPictureScaled(const PixelRect& to, const Picture& picture) {
    const QImage* image = qImage(picture);
    if (!image) return;
    p_.save();
    p_.setRenderHint(QPainter::SmoothPixmapTransform);
    p_.drawImage(toQRect(to), *image);
    p_.restore();
}

void QtCanvas::drawSurface(PixelPoint at, const Surface& surface) {
    const QImage& image = static_cast<const QtSurface&>(surface).image();
    const QRect area(at.x, at.y, image.width(), image.height());
    inStrips(exposed(p_, area), [&](const QRect& strip) {
        p_.drawImage(strip.topLeft(), image, strip.translated(-area.topLeft()));
    });
}

void QtCanvas::drawImage(PixelPoint at, const Image& image) {
    p_.drawImage(QPoint(at.x, at.y), static_cast<const QtImage&>(image).image());
}

QtImage::QtImage(int width, int height, const QColor& fill)
    : image_(newImage(width, height)), canvas_(painter_) {
    image_.fill(fill);
    painter_.begin(&image_);
}

const QImage& QtImage::image() const {
    if (painter_.isActive()) painter_.end();
    return image_;
}

}  // namespace xmascard
