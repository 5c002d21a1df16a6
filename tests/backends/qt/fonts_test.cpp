// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include "backends/qt/qt_colors.h"
#include "backends/qt/qt_graphics.h"

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

// What no font here draws, with the system's fallback: Latin, Greek, Cyrillic and the
// snowman come from the installed fonts, whatever the font asked for; Chinese and Japanese
// only where a CJK font is installed; the Christmas tree emoji only with an emoji font.
TEST(FontCoverage, OnlyWhatNoInstalledFontHasIsUndrawable) {
    const bool cjk = !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
    const bool emoji = !QFontDatabase::families(QFontDatabase::Symbol).isEmpty() &&
                       QFontDatabase::families().contains("Noto Color Emoji");
    struct Row {
        std::string text;
        std::u32string missing;
    };
    const Row rows[] = {
        {"Anna", U""},
        {"Zoë Ångström, Ελένη, Даша", U""},
        {"A​nna Ḿ", U""},  // invisible and combining characters need no glyph
        {"☃ Tom", U""},
        {"圣诞快乐 王小明", cjk ? U"" : U"圣诞快乐王小明"},
        {"山田太郎とハナコ", cjk ? U"" : U"山田太郎とハナコ"},
        {"Tom 🎄🎄", emoji ? U"" : U"🎄"},
    };
    QtGraphics graphics;
    for (const Font& font : {Font{"Times New Roman", 12}, Font{}}) {
        for (const Row& row : rows) {
            EXPECT_EQ(graphics.undrawable(row.text, font), row.missing)
                << row.text << " in " << (font.family ? font.family : "the default font");
        }
    }
}

}  // namespace
}  // namespace xmascard
