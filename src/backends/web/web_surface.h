// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/web/pixel_image.h"
#include "platform/surface.h"

namespace xmascard {

// A picture box's drawing as opaque pixels in memory.
class WebSurface final : public Surface {
  public:
    void reset(int width, int height, Color back, const Picture& picture) override;
    int width() const override { return pixels_ ? pixels_->width() : 0; }
    int height() const override { return pixels_ ? pixels_->height() : 0; }
    void circle(double x, double y, double r, const Pen& pen) override;
    void paintPicture(const Picture& picture, double x, double y) override;
    Color pixel(int x, int y) const override;
    const std::uint32_t* scanLine(int y) const override { return pixels_->row(y); }
    Picture snapshot() const override;

    // Null before the first reset, or when its size could not be had.
    const PixelImage* pixels() const { return pixels_.get(); }

  private:
    std::unique_ptr<PixelImage> pixels_;
};

}  // namespace xmascard
