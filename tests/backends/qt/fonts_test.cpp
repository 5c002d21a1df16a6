// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontInfo>

#include "backends/qt/qt_colors.h"

namespace xmascard {
namespace {

using ::testing::AnyOf;

struct FontRow {
    const char* family;
    bool bold;
    const char* expected;
};

class FontFamilies : public ::testing::TestWithParam<FontRow> {};

// Missing fonts are replaced by their metric twins, serif by serif.
TEST_P(FontFamilies, NamedFontsGetTheirMetricTwins) {
    const FontRow& row = GetParam();
    const QFontInfo info(toQFont({.family = row.family, .points = 9, .bold = row.bold}));
    const std::string named = row.family ? row.family : row.expected;
    EXPECT_THAT(info.family().toStdString(), AnyOf(named, row.expected));
}

INSTANTIATE_TEST_SUITE_P(, FontFamilies,
                         ::testing::Values(FontRow{"Times New Roman", true, "Liberation Serif"},
                                           FontRow{"Arial", false, "Liberation Sans"},
                                           FontRow{nullptr, false, "Liberation Sans"}));

}  // namespace
}  // namespace xmascard
