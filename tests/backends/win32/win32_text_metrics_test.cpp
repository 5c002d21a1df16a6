// SPDX-License-Identifier: MIT
// The Windows card measures text as GDI and Uniscribe draw it.

#include <gtest/gtest.h>

#include "backends/win32/win32_graphics.h"

namespace xmascard {
namespace {

// Names are measured in the layout's fonts, wider for more and wider letters.
TEST(Win32TextMetrics, TextIsMeasuredInTheLayoutsFonts) {
    Win32Graphics graphics;
    const Font arial{"Arial", 12.0f};
    const float narrow = graphics.textWidth("iii", arial);
    const float wide = graphics.textWidth("WWW", arial);
    EXPECT_GT(narrow, 0.0f);
    EXPECT_GT(wide, 2 * narrow);
    EXPECT_GT(graphics.textWidth("WWW", Font{"Arial", 24.0f}), 1.5f * wide);
    EXPECT_EQ(graphics.textWidth("", arial), 0.0f);
    EXPECT_EQ(graphics.characterEnds("a\xC3\xA9"
                                     "e\xCC\x81"),
              (std::vector<std::size_t>{1, 3, 6}));
}

}  // namespace
}  // namespace xmascard
