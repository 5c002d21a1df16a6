// SPDX-License-Identifier: MIT
#pragma once

#include <cstring>

namespace xmascard {

// A font as the layout names it. Sizes are points at 96 dots per inch.
struct Font {
    const char* family = nullptr;  // nullptr: the default dialog font
    float points = 8.25f;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const Font& a, const Font& b) {
        const bool sameFamily = a.family == b.family ||
                                (a.family && b.family && std::strcmp(a.family, b.family) == 0);
        return sameFamily && a.points == b.points && a.bold == b.bold && a.italic == b.italic &&
               a.underline == b.underline;
    }
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

}  // namespace xmascard
