// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "backends/web/font_faces.h"
#include "backends/web/pixel_image.h"
#include "backends/web/raster.h"
#include "platform/canvas.h"

namespace xmascard {

// Lays out and draws text in the embedded faces with stb_truetype: the same advances for
// measuring and for drawing, so that a name fitted to its box is drawn within it.
class TextPainter {
  public:
    explicit TextPainter(const FontFaces& faces) : faces_(faces) {}

    // How far a line of UTF-8 text advances, in pixels.
    float width(const std::string& text, const Font& font) const;
    // The lines text takes in a box of `width` pixels: split at line breaks, and with word
    // wrap at the spaces before a word that would go past the box.
    std::vector<std::string> lines(const std::string& text, const Font& font, int width,
                                   bool wordWrap) const;
    // Draws text in its box, within `clip` (pixels of the image).
    void draw(PixelImage& image, const PixelArea& clip, const PixelRect& box,
              const std::string& text, const TextStyle& style) const;

  private:
    void drawLine(PixelImage& image, const PixelArea& clip, float x, int baseline,
                  const std::u32string& line, const Font& font, std::uint32_t word) const;

    const FontFaces& faces_;
};

}  // namespace xmascard
