// SPDX-License-Identifier: MIT
#pragma once

#include <pixman.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace xmascard {

// Pixels in memory as pixman draws them: rows of 0xAARRGGBB words, alpha premultiplied.
// Opaque images keep 0xFF in every alpha byte, so a word's low 24 bits are its colour.
class PixelImage {
  public:
    // Null when the size is not positive or too large to hold.
    static std::unique_ptr<PixelImage> create(int width, int height);
    ~PixelImage();
    PixelImage(const PixelImage&) = delete;
    PixelImage& operator=(const PixelImage&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return width_ * 4; }
    std::uint32_t* row(int y) { return words_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* row(int y) const {
        return words_.data() + static_cast<std::size_t>(y) * width_;
    }
    pixman_image_t* pixman() const { return image_; }
    std::unique_ptr<PixelImage> copy() const;

  private:
    PixelImage(int width, int height);
    int width_;
    int height_;
    std::vector<std::uint32_t> words_;
    pixman_image_t* image_ = nullptr;
};

// The word of an opaque colour (0x00BBGGRR, or a system colour) in an image.
std::uint32_t opaqueWord(std::uint32_t color);

}  // namespace xmascard
