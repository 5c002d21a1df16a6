// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/web/pixel_image.h"
#include "platform/picture.h"

namespace xmascard {

// A picture as the web backend holds it: premultiplied pixels that pixman composites.
class WebPictureData final : public PictureData {
  public:
    explicit WebPictureData(std::unique_ptr<PixelImage> pixels);
    int width() const override { return pixels_->width(); }
    int height() const override { return pixels_->height(); }
    Color pixel(int x, int y) const override;

    const PixelImage& pixels() const { return *pixels_; }
    // Every pixel fully opaque: it can be copied instead of blended.
    bool opaque() const { return opaque_; }

  private:
    std::unique_ptr<PixelImage> pixels_;
    bool opaque_ = true;
};

// The web data of a picture of this backend; null for no picture.
inline const WebPictureData* webPicture(const Picture& p) {
    return static_cast<const WebPictureData*>(p.data());
}

// A picture of straight (not premultiplied) 0xAARRGGBB words, row by row.
Picture pictureOfStraightPixels(int width, int height, const std::uint32_t* words);

}  // namespace xmascard
