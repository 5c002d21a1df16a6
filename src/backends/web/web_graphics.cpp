// SPDX-License-Identifier: MIT
#include "backends/web/web_graphics.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>

#include "backends/web/font_faces.h"
#include "backends/web/grapheme_ends.h"
#include "backends/web/soft_canvas.h"
#include "backends/web/text_painter.h"
#include "backends/web/web_picture.h"
#include "backends/web/web_surface.h"

namespace xmascard {

Picture WebGraphics::decode(std::span<const std::uint8_t> bytes, std::string& why) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgba = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                          &height, &channels, 4);
    if (!rgba) {
        why = stbi_failure_reason() ? stbi_failure_reason() : "not a picture";
        return {};
    }
    std::vector<std::uint32_t> words(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const stbi_uc* p = rgba + 4 * i;
        words[i] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) |
                   (std::uint32_t{p[1]} << 8) | p[2];
    }
    stbi_image_free(rgba);
    Picture picture = pictureOfStraightPixels(width, height, words.data());
    if (picture.isNull()) why = "too large";
    return picture;
}

Picture WebGraphics::makePicture(int width, int height, std::span<const std::uint32_t> pixels) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height)
        return {};
    return pictureOfStraightPixels(width, height, pixels.data());
}

std::unique_ptr<Surface> WebGraphics::makeSurface() { return std::make_unique<WebSurface>(); }

std::unique_ptr<Image> WebGraphics::makeImage(int width, int height, Color fill) {
    return WebImage::create(width, height, fill);
}

std::vector<std::uint8_t> WebGraphics::encodePng(Image& image, int effort) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(image.width()) * image.height() * 4);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t word = image.scanLine(y)[x];
            std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * image.width() + x) * 4];
            p[0] = static_cast<std::uint8_t>(word >> 16);
            p[1] = static_cast<std::uint8_t>(word >> 8);
            p[2] = static_cast<std::uint8_t>(word);
            p[3] = 0xFF;
        }
    // zlib's levels 1 to 9 from 0 to 100.
    stbi_write_png_compression_level = std::clamp(1 + effort * 8 / 100, 1, 9);
    std::vector<std::uint8_t> png;
    const auto append = [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<std::uint8_t>*>(context);
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        out->insert(out->end(), bytes, bytes + size);
    };
    if (!stbi_write_png_to_func(append, &png, image.width(), image.height(), 4, rgba.data(),
                                image.width() * 4))
        return {};
    return png;
}

float WebGraphics::textWidth(const std::string& text, const Font& font) {
    return TextPainter(FontFaces::embedded()).width(text, font);
}

std::vector<std::size_t> WebGraphics::characterEnds(const std::string& text) {
    return graphemeEnds(text);
}

std::u32string WebGraphics::undrawable(const std::string& text, const Font& font) {
    const FontFaces& faces = FontFaces::embedded();
    const int face = faces.faceFor(font);
    std::u32string missing;
    std::size_t from = 0;
    for (const std::size_t to : graphemeEnds(text)) {
        const std::u32string character = decodeUtf8(std::string_view(text).substr(from, to - from));
        from = to;
        const bool drawn = std::all_of(character.begin(), character.end(), [&](char32_t c) {
            return drawsNothing(c) || faces.glyph(face, c).index != 0;
        });
        // The character's base stands for it (the first of an emoji sequence).
        if (!drawn && !character.empty() && missing.find(character[0]) == std::u32string::npos)
            missing.push_back(character[0]);
    }
    return missing;
}

}  // namespace xmascard
