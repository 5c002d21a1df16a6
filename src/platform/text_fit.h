// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/font.h"
#include "platform/units.h"

namespace xmascard {

class Graphics;

// A line of text as it is shown in a box, and the type it is shown in.
struct FittedText {
    std::string text;
    Font font;
    friend bool operator==(const FittedText&, const FittedText&) = default;
};

// Fits one line of UTF-8 text into `width` pixels, measured as the graphics backend draws
// it: in `font` when it fits; else in the largest smaller size, a pixel at a time, down to
// `smallest`; else at `smallest`, cut after the last whole character that leaves room for an
// ellipsis. The result is never wider than `width`.
FittedText fitText(Graphics& graphics, const std::string& text, const Font& font, Pixels smallest,
                   int width);

}  // namespace xmascard
