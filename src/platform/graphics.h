// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/picture.h"
#include "platform/surface.h"

namespace xmascard {

// What a graphics backend makes for the runtime: pictures decoded from the embedded
// files, the drawings of picture boxes, and images to paint off the screen.
class Graphics {
  public:
    virtual ~Graphics() = default;

    // Decodes a GIF, JPEG, BMP or PNG file. On failure: a null picture and `why` says why.
    virtual Picture decode(std::span<const std::uint8_t> bytes, std::string& why) = 0;
    // A picture of `width` x `height` pixels given row by row as 0xAARRGGBB words (alpha not
    // premultiplied).
    virtual Picture makePicture(int width, int height, std::span<const std::uint32_t> pixels) = 0;
    virtual std::unique_ptr<Surface> makeSurface() = 0;
    // An opaque image of the given size, filled with a colour.
    virtual std::unique_ptr<Image> makeImage(int width, int height, Color fill) = 0;
    // The image as a PNG file's bytes (`effort` 0 to 100: more compresses harder).
    virtual std::vector<std::uint8_t> encodePng(Image& image, int effort) = 0;

    // How far a line of UTF-8 text in this font advances, in pixels, as every canvas of this
    // backend draws it.
    virtual float textWidth(const std::string& text, const Font& font) = 0;
    // The byte offsets in UTF-8 text at which each user-perceived character ends (a letter
    // with its accents, an emoji sequence), in order: where the text may be cut.
    virtual std::vector<std::size_t> characterEnds(const std::string& text) = 0;
    // The characters of UTF-8 text that no font on the system draws, neither `font` nor the
    // fonts the system falls back on for it, each once, in order; empty when all are
    // drawn. A backend that cannot tell answers that all are.
    virtual std::u32string undrawable(const std::string& text, const Font& font) {
        (void)text;
        (void)font;
        return {};
    }
};

}  // namespace xmascard
