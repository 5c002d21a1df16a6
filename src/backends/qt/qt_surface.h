// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <memory>
#include <vector>

#include "platform/surface.h"

namespace xmascard {

// A picture box's drawing on a QImage of opaque RGB32 pixels, so colour reads are exact.
// Drawing keeps one painter open between calls (the snow draws hundreds of dots a step);
// it is closed before the image is replaced or read whole.
class QtSurface final : public Surface {
  public:
    void reset(int width, int height, Color back, const Picture& picture) override;
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void circle(double x, double y, double r, const Pen& pen) override;
    void paintPicture(const Picture& picture, double x, double y) override;
    Color pixel(int x, int y) const override;
    const std::uint32_t* scanLine(int y) const override;
    Picture snapshot() const override;

    const QImage& image() const { return image_; }

  private:
    QPainter& painter();
    void finishPainting() const { painter_.reset(); }
    // Notes an area about to be drawn on, for the next reset to copy back.
    void drawing(const QRect& area);

    QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    // The opaque picture the image was last reset to (null when it was reset otherwise),
    // and the areas drawn on since: a reset to the same picture copies those areas back,
    // not the whole picture. The snow resets the tree ten times a second after drawing a
    // hundred and fifty small dots on it.
    Picture base_;
    std::vector<QRect> drawn_;
};

}  // namespace xmascard
