// SPDX-License-Identifier: MIT
#include "platform/text_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "support/test_graphics.h"

namespace xmascard {
namespace {

const Font kSerif{.family = "Times New Roman", .points = 9, .bold = true};  // 12 px
const Font kSans{.family = "Arial", .points = 8.25f, .bold = true};         // 11 px
constexpr Pixels kSmallest{8};
const std::string kEllipsis = "\u2026";

enum class Fit { FullSize, Smaller, Elided, Nothing };

struct Row {
    const char* name;
    std::string text;
    Font font;
    int width;
    Fit fit;
};

std::string times(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

// Whether `prefix` ends where one of the text's characters ends.
bool endsAtCharacter(Graphics& graphics, const std::string& text, const std::string& prefix) {
    const std::vector<std::size_t> ends = graphics.characterEnds(text);
    return std::find(ends.begin(), ends.end(), prefix.size()) != ends.end();
}

TEST(FitText, KeepsTheTypeShrinksItOrCutsAtACharacterNeverWiderThanTheBox) {
    Graphics& graphics = testing::testGraphics();
    const auto wide = [&](const std::string& text, const Font& font, int width) {
        return std::ceil(graphics.textWidth(text, font)) > static_cast<float>(width);
    };
    const std::vector<Row> rows = {
        {"a short name", "Anna", kSerif, 163, Fit::FullSize},
        {"a long name in smaller type", "Anna-Katharina Maximiliane von Habsburg", kSerif, 163,
         Fit::Smaller},
        {"forty wide letters", times("W", 40), kSerif, 163, Fit::Elided},
        {"combining accents are not split", times("e\u0301", 40), kSerif, 60, Fit::Elided},
        {"emoji sequences are not split", times("\U0001F468\u200D\U0001F469\u200D\U0001F467", 12),
         kSans, 50, Fit::Elided},
        {"a space before the ellipsis goes", "Tom                 Smith", kSans, 40, Fit::Elided},
        {"a box too small for the ellipsis", "Anna", kSerif, 2, Fit::Nothing},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FittedText fitted = fitText(graphics, row.text, row.font, kSmallest, row.width);
        EXPECT_FALSE(wide(fitted.text, fitted.font, row.width));
        const bool smallest = fitted.font.pixelSize() == static_cast<int>(kSmallest.value);
        Font larger = fitted.font;
        larger.points += 0.75f;  // one pixel more
        switch (row.fit) {
            case Fit::FullSize:
                EXPECT_EQ(fitted, (FittedText{row.text, row.font}));
                continue;
            case Fit::Smaller:
                EXPECT_EQ(fitted.text, row.text);
                EXPECT_LT(fitted.font.pixelSize(), row.font.pixelSize());
                EXPECT_TRUE(wide(row.text, larger, row.width)) << "the largest type that fits";
                continue;
            case Fit::Nothing:
                EXPECT_TRUE(smallest && fitted.text.empty());
                continue;
            case Fit::Elided:
                EXPECT_TRUE(smallest);
                break;
        }
        ASSERT_TRUE(fitted.text.ends_with(kEllipsis)) << fitted.text;
        const std::string kept = fitted.text.substr(0, fitted.text.size() - kEllipsis.size());
        EXPECT_FALSE(kept.empty() || kept.ends_with(' ')) << kept;
        EXPECT_TRUE(row.text.starts_with(kept) && endsAtCharacter(graphics, row.text, kept));
        // As much as fits: one more character with the ellipsis is too wide.
        const std::vector<std::size_t> ends = graphics.characterEnds(row.text);
        const auto next = std::upper_bound(ends.begin(), ends.end(), kept.size());
        if (next != ends.end() && row.text[kept.size()] != ' ') {
            EXPECT_TRUE(wide(row.text.substr(0, *next) + kEllipsis, fitted.font, row.width));
        }
    }
}

}  // namespace
}  // namespace xmascard
