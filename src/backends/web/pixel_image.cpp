// SPDX-License-Identifier: MIT
#include "backends/web/pixel_image.h"

#include <limits>

#include "platform/color.h"

namespace xmascard {

namespace {
// Larger images than any screen the card plays on are refused rather than half made.
constexpr long long kMostPixels = 64LL * 1024 * 1024;
}  // namespace

std::unique_ptr<PixelImage> PixelImage::create(int width, int height) {
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMostPixels)
        return nullptr;
    return std::unique_ptr<PixelImage>(new PixelImage(width, height));
}

PixelImage::PixelImage(int width, int height)
    : width_(width), height_(height), words_(static_cast<std::size_t>(width) * height) {
    image_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, words_.data(), stride());
}

PixelImage::~PixelImage() {
    if (image_) pixman_image_unref(image_);
}

std::unique_ptr<PixelImage> PixelImage::copy() const {
    auto out = create(width_, height_);
    if (out) out->words_ = words_;
    return out;
}

std::uint32_t opaqueWord(std::uint32_t color) {
    // The system colours the card uses, as a plain light desktop theme has them.
    if (isSystemColor(color)) {
        switch (color & ~kSystemColorFlag) {
            case 5:  // window background
                return 0xFFFFFFFFu;
            case 8:  // window text
                return 0xFF000000u;
            default:  // button face and the rest
                return 0xFFEFEFEFu;
        }
    }
    return 0xFF000000u | (static_cast<std::uint32_t>(redOf(color)) << 16) |
           (static_cast<std::uint32_t>(greenOf(color)) << 8) |
           static_cast<std::uint32_t>(blueOf(color));
}

}  // namespace xmascard
