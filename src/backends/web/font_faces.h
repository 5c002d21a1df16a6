// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font.h"

struct stbtt_fontinfo;

namespace xmascard {

// The typefaces the web card carries (Debian's Liberation fonts, metric twins of Arial and
// Times New Roman) and the choice among them that fontconfig would make on Linux: the
// layout's family names by their twins, the default dialog font as Liberation Sans, and for
// a character a face lacks, the first face that has it.
class FontFaces {
  public:
    // The faces embedded in the program; empty (every character missing) when none is.
    static const FontFaces& embedded();

    struct Glyph {
        int face = -1;  // -1: nothing to draw (a joiner, a selector; or no face at all)
        int index = 0;  // 0: the face's box for a character no face has
    };

    // The face that draws a font.
    int faceFor(const Font& font) const;
    // A character in a font's face, else in the first other face that has it.
    Glyph glyph(int face, char32_t character) const;

    const stbtt_fontinfo& info(int face) const;
    // Pixels per font unit for a type `pixelSize` pixels high (its em square).
    float scale(int face, int pixelSize) const;
    // The line's extent above and below the baseline, and the gap between lines, in pixels.
    struct LineMetrics {
        float ascent, descent, gap;
    };
    LineMetrics lineMetrics(int face, int pixelSize) const;
    // How far a glyph moves the pen, in pixels.
    float advance(const Glyph& glyph, int pixelSize) const;

    ~FontFaces();
    FontFaces(const FontFaces&) = delete;
    FontFaces& operator=(const FontFaces&) = delete;

  private:
    FontFaces();
    struct Face;
    std::vector<Face> faces_;
};

// Characters that change how others look and need no glyph of their own: joiners,
// variation selectors, tags.
bool drawsNothing(char32_t c);

// The code points of UTF-8 text; a byte that starts no valid sequence reads as U+FFFD.
std::u32string decodeUtf8(std::string_view text);

}  // namespace xmascard
