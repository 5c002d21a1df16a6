// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstring>

namespace xmascard {

// A font as the layout names it. Sizes are points at 96 dots per inch.
struct Font {
    const char* family = nullptr;  // nullptr: the default dialog font
    float points = 8.25f;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    // The height of the type in pixels on the card's 96 dots per inch.
    int pixelSize() const { return static_cast<int>(std::lround(points * 96.0f / 72.0f)); }

    friend bool operator==(const Font& a, const Font& b) {
        const bool sameFamily =
            a.family == b.family || (a.family && b.family && std::strcmp(a.family, b.family) == 0);
        return sameFamily && a.points == b.points && a.bold == b.bold && a.italic == b.italic &&
               a.underline == b.underline;
    }
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

}  // namespace xmascard
