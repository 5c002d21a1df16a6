// SPDX-License-Identifier: MIT
#pragma once

namespace xmascard {

// A font as the layout names it. Sizes are points at 96 dots per inch.
struct Font {
    const char* family = nullptr;  // nullptr: the default dialog font
    float points = 8.25f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

}  // namespace xmascard
