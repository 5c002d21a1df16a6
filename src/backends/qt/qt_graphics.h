// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

#include "platform/graphics.h"

namespace xmascard {

// Decodes a picture file (GIF, JPEG, BMP, PNG, ICO) held in memory; a null image, with
// `why` set, when it cannot. The format is told from the file's first bytes, so that Qt
// loads only that format's plugin, where it would otherwise load every image plugin there
// is to ask each whether it reads the file.
QImage decodeImage(std::span<const std::uint8_t> bytes, std::string& why);

// Pictures, drawings and images through Qt's raster painting and image decoders.
class QtGraphics final : public Graphics {
  public:
    Picture decode(std::span<const std::uint8_t> bytes, std::string& why) override;
    Picture makePicture(int width, int height, std::span<const std::uint32_t> pixels) override;
    std::unique_ptr<Surface> makeSurface() override;
    std::unique_ptr<Image> makeImage(int width, int height, Color fill) override;
    std::vector<std::uint8_t> encodePng(Image& image, int effort) override;
    float textWidth(const std::string& text, const Font& font) override;
    std::vector<std::size_t> characterEnds(const std::string& text) override;
    std::u32string undrawable(const std::string& text, const Font& font) override;
};

}  // namespace xmascard
