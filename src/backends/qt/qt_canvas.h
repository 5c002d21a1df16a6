// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPainter>

#include "platform/canvas.h"

namespace xmascard {

// A canvas over a QPainter: a window's paint event, or an image.
class QtCanvas final : public Canvas {
  public:
    explicit QtCanvas(QPainter& painter) : p_(painter) {}

    void save() override { p_.save(); }
    void restore() override { p_.restore(); }
    void translate(PixelPoint by) override { p_.translate(by.x, by.y); }
    void clip(const PixelRect& rect) override;
    void clip(const Region& region) override;
    std::optional<PixelRect> clipBounds() const override;

    void fillRect(const PixelRect& rect, Color color) override;
    void frameRect(const PixelRect& rect, Color color) override;
    void line(PixelPoint from, PixelPoint to, Color color) override;
    void drawFigure(const Figure& figure) override;
    void drawText(const PixelRect& box, const PixelRect& clip, const std::string& text,
                  const TextStyle& style) override;
    void drawPicture(PixelPoint at, const Picture& picture) override;
    void drawPictureScaled(const PixelRect& to, const Picture& picture) override;
    void drawSurface(PixelPoint at, const Surface& surface) override;
    void drawImage(PixelPoint at, const Image& image) override;

  private:
    QPainter& p_;
};

// An image of opaque RGB32 pixels with a canvas over it.
class QtImage final : public Image {
  public:
    QtImage(int width, int height, const QColor& fill);
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    Canvas& canvas() override { return canvas_; }
    const std::uint8_t* bits() override { return image().constBits(); }
    int stride() const override { return static_cast<int>(image_.bytesPerLine()); }

    // The finished picture: drawing on the canvas ends here.
    const QImage& image() const;

  private:
    QImage image_;
    mutable QPainter painter_;
    QtCanvas canvas_;
};

}  // namespace xmascard
