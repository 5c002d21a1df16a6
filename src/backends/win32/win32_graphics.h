// SPDX-License-Identifier: MIT
#pragma once

#include "platform/graphics.h"

namespace xmascard {

// Pictures, drawings and images through GDI, with pictures decoded (and PNG files
// encoded) by GDI+; text measured by GDI and Uniscribe.
class Win32Graphics final : public Graphics {
  public:
    Picture decode(std::span<const std::uint8_t> bytes, std::string& why) override;
    Picture makePicture(int width, int height, std::span<const std::uint32_t> pixels) override;
    std::unique_ptr<Surface> makeSurface() override;
    std::unique_ptr<Image> makeImage(int width, int height, Color fill) override;
    std::vector<std::uint8_t> encodePng(Image& image, int effort) override;
    // In win32_text_metrics.cpp.
    float textWidth(const std::string& text, const Font& font) override;
    std::vector<std::size_t> characterEnds(const std::string& text) override;
};

}  // namespace xmascard
