// SPDX-License-Identifier: MIT
#include "backends/web/font_faces.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/resources.h"

namespace xmascard {

namespace {

// The faces in the order the fallback tries them; the layout uses the first four.
struct FaceFile {
    const char* name;
    bool serif, bold, italic;
};
constexpr FaceFile kFaceFiles[] = {
    {"fonts/LiberationSans-Regular.ttf", false, false, false},
    {"fonts/LiberationSans-Bold.ttf", false, true, false},
    {"fonts/LiberationSans-BoldItalic.ttf", false, true, true},
    {"fonts/LiberationSerif-Bold.ttf", true, true, false},
};

bool isSerif(const char* family) {
    return family && (std::strcmp(family, "Times New Roman") == 0 ||
                      std::strcmp(family, "Liberation Serif") == 0 ||
                      std::strcmp(family, "Times") == 0 || std::strcmp(family, "serif") == 0);
}

}  // namespace

struct FontFaces::Face {
    FaceFile file;
    stbtt_fontinfo info;
};

const FontFaces& FontFaces::embedded() {
    static const FontFaces faces;
    return faces;
}

FontFaces::FontFaces() {
    for (const FaceFile& file : kFaceFiles) {
        const auto bytes = embeddedFile(file.name);
        if (!bytes) continue;
        Face face{file, {}};
        const int offset = stbtt_GetFontOffsetForIndex(bytes->data(), 0);
        if (offset >= 0 && stbtt_InitFont(&face.info, bytes->data(), offset))
            faces_.push_back(face);
    }
}

FontFaces::~FontFaces() = default;

int FontFaces::faceFor(const Font& font) const {
    // The nearest face of the family: the same weight and slant, else the same weight,
    // else any of the family, else the first face.
    const bool serif = isSerif(font.family);
    int best = 0, bestScore = -1;
    for (int i = 0; i < static_cast<int>(faces_.size()); ++i) {
        const FaceFile& f = faces_[i].file;
        const int score = (f.serif == serif ? 4 : 0) + (f.bold == font.bold ? 2 : 0) +
                          (f.italic == font.italic ? 1 : 0);
        if (score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

bool drawsNothing(char32_t c) {
    return c == 0x200B || c == 0x200C || c == 0x200D || c == 0x2060 || c == 0xFEFF ||
           (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF) ||
           (c >= 0xE0020 && c <= 0xE007F);
}

FontFaces::Glyph FontFaces::glyph(int face, char32_t character) const {
    if (faces_.empty() || drawsNothing(character)) return {};
    face = std::clamp(face, 0, static_cast<int>(faces_.size()) - 1);
    if (face >= 0 && face < static_cast<int>(faces_.size()))
        if (const int index = stbtt_FindGlyphIndex(&faces_[face].info, static_cast<int>(character)))
            return {face, index};
    for (int i = 0; i < static_cast<int>(faces_.size()); ++i)
        if (const int index = stbtt_FindGlyphIndex(&faces_[i].info, static_cast<int>(character)))
            return {i, index};
    return {face, 0};  // the face's box for a missing character
}

const stbtt_fontinfo& FontFaces::info(int face) const { return faces_.at(face).info; }

float FontFaces::scale(int face, int pixelSize) const {
    if (faces_.empty()) return 0;
    return stbtt_ScaleForMappingEmToPixels(&info(face), static_cast<float>(pixelSize));
}

FontFaces::LineMetrics FontFaces::lineMetrics(int face, int pixelSize) const {
    if (faces_.empty()) return {0, 0, 0};
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&info(face), &ascent, &descent, &gap);
    const float s = scale(face, pixelSize);
    return {ascent * s, -descent * s, gap * s};
}

float FontFaces::advance(const Glyph& glyph, int pixelSize) const {
    if (glyph.face < 0) return 0;
    int advance = 0, bearing = 0;
    stbtt_GetGlyphHMetrics(&info(glyph.face), glyph.index, &advance, &bearing);
    return advance * scale(glyph.face, pixelSize);
}

std::u32string decodeUtf8(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80 ? 1 : (byte >> 5) == 6 ? 2 : (byte >> 4) == 14 ? 3
                                           : (byte >> 3) == 30 ? 4 : 0;
        char32_t c = length == 1 ? byte : length == 2 ? byte & 0x1F : length == 3 ? byte & 0x0F
                                                                                : byte & 0x07;
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)))
            valid = false;
        out.push_back(valid ? c : U'\uFFFD');
        i += valid ? length : 1;
    }
    return out;
}

}  // namespace xmascard
