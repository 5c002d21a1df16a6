// SPDX-License-Identifier: MIT
#include "platform/text_fit.h"

#include <cmath>
#include <vector>

#include "platform/graphics.h"

namespace xmascard {

namespace {

const std::string kEllipsis = "\u2026";

bool fits(Graphics& graphics, const std::string& text, const Font& font, int width) {
    return std::ceil(graphics.textWidth(text, font)) <= static_cast<float>(width);
}

Font ofPixelSize(Font font, int pixels) {
    font.points = static_cast<float>(pixels) * 72.0f / 96.0f;
    return font;
}

// The longest run of whole characters from the start that fits with an ellipsis after it;
// spaces before the ellipsis are dropped. Empty when not even the ellipsis fits.
std::string elided(Graphics& graphics, const std::string& text, const Font& font, int width) {
    const auto with = [&](std::size_t count, const std::vector<std::size_t>& ends) {
        std::string kept = text.substr(0, count == 0 ? 0 : ends[count - 1]);
        while (!kept.empty() && kept.back() == ' ') kept.pop_back();
        return kept + kEllipsis;
    };
    const std::vector<std::size_t> ends = graphics.characterEnds(text);
    if (!fits(graphics, with(0, ends), font, width)) return {};
    // Widths grow with the characters kept; only a measured fit is ever taken.
    std::size_t good = 0, bad = ends.size();
    while (bad - good > 1) {
        const std::size_t mid = good + (bad - good) / 2;
        if (fits(graphics, with(mid, ends), font, width))
            good = mid;
        else
            bad = mid;
    }
    return with(good, ends);
}

}  // namespace

FittedText fitText(Graphics& graphics, const std::string& text, const Font& font, Pixels smallest,
                   int width) {
    const int from = font.pixelSize();
    const int to = std::min(from, static_cast<int>(std::lround(smallest.value)));
    for (int pixels = from; pixels >= to; --pixels) {
        const Font sized = pixels == from ? font : ofPixelSize(font, pixels);
        if (fits(graphics, text, sized, width)) return {text, sized};
    }
    const Font small = to == from ? font : ofPixelSize(font, to);
    return {elided(graphics, text, small, width), small};
}

}  // namespace xmascard
