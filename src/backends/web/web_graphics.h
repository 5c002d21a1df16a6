// SPDX-License-Identifier: MIT
#pragma once

#include "platform/graphics.h"

namespace xmascard {

// The web backend's graphics: pictures decoded with stb_image, drawings and images as
// pixels in memory painted by a SoftCanvas, PNG written by stb_image_write, text in the
// embedded Liberation fonts. Needs no browser, so the unit tests run under node too.
class WebGraphics final : public Graphics {
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
