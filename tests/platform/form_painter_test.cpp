// SPDX-License-Identifier: MIT
#include "platform/form_painter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/clock.h"
#include "platform/media/audio_engine.h"
#include "platform/picture_box.h"
#include "windows/form2.h"

namespace xmascard {
namespace {

using ::testing::AnyOf;

// The card's painting lies under a diagonal-cross hatch drawn with the mask pen: on the hatch
// lines the painting is ANDed with the hatch colour, between them it is left as it is.
TEST(MaskPenHatch, AndsOnlyTheLinesAndLeavesTheGapsAlone) {
    VirtualClock clock;
    auto audio = media::AudioEngine::create(media::AudioEngine::Output::Silent);
    Runtime runtime(clock, *audio);
    Form2 card(runtime);
    card.Form_Load();
    const QImage shown = renderForm(card);
    const Picture& painting = card.Picture5.picture();
    const QPoint origin = innerRectInForm(card.Picture5).topLeft();
    const QRect caption = controlRectInForm(card.Label4);
    const Color peach = RGB(255, 224, 192);

    int untouched = 0, masked = 0, neither = 0;
    for (int y = 0; y < painting.height(); ++y)
        for (int x = 0; x < painting.width(); ++x) {
            if (caption.contains(origin + QPoint(x, y))) continue;
            const Color picture = painting.pixel(x, y);
            const QRgb s = shown.pixel(origin + QPoint(x, y));
            const Color seen = RGB(qRed(s), qGreen(s), qBlue(s));
            if (picture == (picture & peach)) continue;  // the AND changes nothing here
            if (seen == picture)
                ++untouched;
            else if (seen == (picture & peach))
                ++masked;
            else
                ++neither;
        }
    EXPECT_EQ(neither, 0);
    // A diagonal cross marks two pixels in eight in every row.
    const double lines = static_cast<double>(masked) / (masked + untouched);
    EXPECT_NEAR(lines, 0.25, 0.05);
}

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
