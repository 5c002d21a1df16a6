// SPDX-License-Identifier: MIT
#include "windows/form4_closing_panel.h"

#include <gtest/gtest.h>

#include "windows/window_test_support.h"

namespace xmascard {
namespace {

struct ScreenRow {
    ScreenSize screen;
    PixelPoint expected;
};

class Form4Centre : public ::testing::TestWithParam<ScreenRow> {};

// The closing panel is cut to its outline and shown in the middle of the screen, at whole
// pixels.
TEST_P(Form4Centre, ShownCutToThePanelInTheMiddleOfTheScreen) {
    testing::TestRuntime t;
    t.host.setScreen(GetParam().screen);
    Form4 panel(t.runtime);
    panel.Form_Load();
    EXPECT_EQ(testing::pixelsOffOutline(panel.region(), panel.Picture1.picture()), 0);
    panel.Show();
    EXPECT_EQ(testing::windowAt(panel), GetParam().expected);
    EXPECT_EQ(panel.Left(), GetParam().expected.x * kTwipsPerPixel);
}

INSTANTIATE_TEST_SUITE_P(, Form4Centre,
                         ::testing::Values(ScreenRow{{1280, 1024}, {540, 447}},
                                           ScreenRow{{1281, 801}, {540, 335}},
                                           ScreenRow{{800, 600}, {300, 235}}));

}  // namespace
}  // namespace xmascard
