// SPDX-License-Identifier: MIT
#include "backends/web/web_picture.h"

#include <algorithm>

namespace xmascard {

WebPictureData::WebPictureData(std::unique_ptr<PixelImage> pixels) : pixels_(std::move(pixels)) {
    for (int y = 0; y < pixels_->height() && opaque_; ++y)
        for (int x = 0; x < pixels_->width(); ++x)
            if ((pixels_->row(y)[x] >> 24) != 0xFF) {
                opaque_ = false;
                break;
            }
}

Color WebPictureData::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return kInvalidColor;
    const std::uint32_t p = pixels_->row(y)[x];
    const std::uint32_t a = p >> 24;
    if (a == 0) return kInvalidColor;
    // Back from premultiplied to the colour as it was given.
    const auto channel = [&](int shift) {
        return static_cast<int>(
            std::min<std::uint32_t>(255, (((p >> shift) & 0xFF) * 255 + a / 2) / a));
    };
    return RGB(channel(16), channel(8), channel(0));
}

Picture pictureOfStraightPixels(int width, int height, const std::uint32_t* words) {
    auto pixels = PixelImage::create(width, height);
    if (!pixels) return {};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels->row(y)[x] = premultipliedArgb(words[static_cast<std::size_t>(y) * width + x]);
    return Picture(std::make_shared<const WebPictureData>(std::move(pixels)));
}

}  // namespace xmascard
