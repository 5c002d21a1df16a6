// SPDX-License-Identifier: MIT
#include "backends/web/text_painter.h"

#include <stb_truetype.h>

#include <cmath>
#include <map>
#include <tuple>

namespace xmascard {

namespace {

// A glyph's coverage, rendered once for each size and quarter-pixel offset.
struct GlyphBitmap {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<unsigned char> coverage;
};

const GlyphBitmap& renderedGlyph(const FontFaces& faces, const FontFaces::Glyph& glyph,
                                 int pixelSize, int quarter) {
    using Key = std::tuple<int, int, int, int>;
    static std::map<Key, GlyphBitmap> cache;
    const Key key{glyph.face, glyph.index, pixelSize, quarter};
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    GlyphBitmap bitmap;
    const stbtt_fontinfo& info = faces.info(glyph.face);
    const float s = faces.scale(glyph.face, pixelSize);
    const float shift = quarter / 4.0f;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetGlyphBitmapBoxSubpixel(&info, glyph.index, s, s, shift, 0, &x0, &y0, &x1, &y1);
    bitmap.left = x0;
    bitmap.top = y0;
    bitmap.width = std::max(0, x1 - x0);
    bitmap.height = std::max(0, y1 - y0);
    bitmap.coverage.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height);
    if (!bitmap.coverage.empty())
        stbtt_MakeGlyphBitmapSubpixel(&info, bitmap.coverage.data(), bitmap.width, bitmap.height,
                                      bitmap.width, s, s, shift, 0, glyph.index);
    return cache.emplace(key, std::move(bitmap)).first->second;
}

std::uint32_t blend(std::uint32_t under, std::uint32_t over, unsigned alpha) {
    const auto channel = [&](int shift) {
        const unsigned a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        return ((b * alpha + a * (255 - alpha) + 127) / 255) << shift;
    };
    return (under & 0xFF000000u) | channel(16) | channel(8) | channel(0);
}

}  // namespace

float TextPainter::width(const std::string& text, const Font& font) const {
    const int face = faces_.faceFor(font);
    float x = 0;
    for (const char32_t c : decodeUtf8(text))
        x += faces_.advance(faces_.glyph(face, c), font.pixelSize());
    return x;
}

std::vector<std::string> TextPainter::lines(const std::string& text, const Font& font, int width,
                                            bool wordWrap) const {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string paragraph = text.substr(start, end == std::string::npos ? end : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
        if (!wordWrap) {
            out.push_back(paragraph);
        } else {
            // Greedy: each line takes the words that fit; a word wider than the box stands
            // alone on its line.
            std::string line;
            std::size_t at = 0;
            while (at <= paragraph.size()) {
                std::size_t space = paragraph.find(' ', at);
                if (space == std::string::npos) space = paragraph.size();
                const std::string word = paragraph.substr(at, space - at);
                const std::string tried = line.empty() ? word : line + " " + word;
                if (!line.empty() && this->width(tried, font) > static_cast<float>(width)) {
                    out.push_back(line);
                    line = word;
                } else {
                    line = tried;
                }
                at = space + 1;
            }
            out.push_back(line);
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

void TextPainter::draw(PixelImage& image, const PixelArea& clip, const PixelRect& box,
                       const std::string& text, const TextStyle& style) const {
    const Font& font = style.font;
    const int face = faces_.faceFor(font);
    const FontFaces::LineMetrics metrics = faces_.lineMetrics(face, font.pixelSize());
    const int lineHeight = static_cast<int>(std::ceil(metrics.ascent + metrics.descent));
    const int spacing = lineHeight + static_cast<int>(std::lround(metrics.gap));
    const std::vector<std::string> lines = this->lines(text, font, box.width(), style.wordWrap);
    const int blockHeight = static_cast<int>(lines.size() - 1) * spacing + lineHeight;
    int top = box.top;
    if (style.vertical == TextStyle::Vertical::Center) top += (box.height() - blockHeight) / 2;
    const std::uint32_t word = opaqueWord(style.color);
    for (const std::string& line : lines) {
        const float w = width(line, font);
        float x = static_cast<float>(box.left);
        if (style.alignment == Alignment::Right) x = box.right - w;
        if (style.alignment == Alignment::Center) x = box.left + (box.width() - w) / 2;
        const int baseline = top + static_cast<int>(std::lround(metrics.ascent));
        drawLine(image, clip, x, baseline, decodeUtf8(line), font, word);
        if (font.underline && w > 0) {
            const int thickness = std::max(1, static_cast<int>(std::lround(font.pixelSize() / 14.0)));
            const int under = baseline + std::max(1, static_cast<int>(std::lround(font.pixelSize() / 10.0)));
            const int from = static_cast<int>(std::lround(x));
            paintArea(image,
                      PixelArea(PixelRect::at(from, under, static_cast<int>(std::lround(x + w)) - from,
                                              thickness))
                          .intersected(clip),
                      style.color, DrawMode::CopyPen);
        }
        top += spacing;
    }
}

void TextPainter::drawLine(PixelImage& image, const PixelArea& clip, float x, int baseline,
                           const std::u32string& line, const Font& font,
                           std::uint32_t word) const {
    const int face = faces_.faceFor(font);
    const PixelArea bounds(PixelRect::at(0, 0, image.width(), image.height()));
    for (const char32_t c : line) {
        const FontFaces::Glyph glyph = faces_.glyph(face, c);
        if (glyph.face < 0) continue;
        const float whole = std::floor(x);
        const int quarter = static_cast<int>((x - whole) * 4.0f) & 3;
        const GlyphBitmap& bitmap = renderedGlyph(faces_, glyph, font.pixelSize(), quarter);
        const PixelRect at = PixelRect::at(static_cast<int>(whole) + bitmap.left,
                                           baseline + bitmap.top, bitmap.width, bitmap.height);
        const PixelArea area = PixelArea(at).intersected(clip).intersected(bounds);
        for (const pixman_box32_t& b : area.boxes())
            for (int y = b.y1; y < b.y2; ++y) {
                std::uint32_t* row = image.row(y);
                const unsigned char* coverage =
                    bitmap.coverage.data() + static_cast<std::size_t>(y - at.top) * bitmap.width;
                for (int px = b.x1; px < b.x2; ++px)
                    if (const unsigned a = coverage[px - at.left]) row[px] = blend(row[px], word, a);
            }
        x += faces_.advance(glyph, font.pixelSize());
    }
}

}  // namespace xmascard
