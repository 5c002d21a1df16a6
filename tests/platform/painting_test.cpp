// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>

#include "platform/controls/control_geometry.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/shape.h"
#include "platform/form.h"
#include "platform/paint_controls.h"
#include "support/test_runtime.h"
#include "windows/form2_card.h"

namespace xmascard {
namespace {

constexpr Color kBackground = RGB(0x9C, 0xD5, 0x6A);

// A 40 x 40 pixel window: one borderless picture box of a known colour holding one shape.
struct Scene {
    testing::TestRuntime t{1000.0};
    std::array<ControlDesign, 2> designs;
    std::unique_ptr<Form> form;

    explicit Scene(const ControlDesign& shape) {
        designs = {{{.kind = ControlKind::PictureBox,
                     .name = "Box",
                     .place = {0, 0, 600, 600},
                     .border = BorderStyle::None},
                    shape}};
        form = std::make_unique<Form>(t.runtime, FormDesign{.place = {0, 0, 600, 600}}, designs);
        auto* box = dynamic_cast<PictureBox*>(form->find("Box"));
        box->setPicture(testing::solidPicture(40, 40, kBackground));
    }
    // The window as painted, one colour per pixel.
    std::vector<std::vector<Color>> render() {
        const std::unique_ptr<Image> image = renderForm(t.host.graphics(), *form);
        std::vector<std::vector<Color>> pixels(40, std::vector<Color>(40));
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) pixels[y][x] = testing::pixelOf(*image, x, y);
        return pixels;
    }
};

TEST(Painting, MaskPenLightIsTheBitwiseAndOfItsColourAndThePicture) {
    const Color light = RGB(0xF0, 0x3C, 0xFF);
    Scene scene({.kind = ControlKind::Shape,
                 .name = "Light",
                 .container = "Box",
                 .place = {150, 150, 225, 225},
                 .fillStyle = FillStyle::Solid,
                 .fillColor = light,
                 .shape = ShapeType::Circle,
                 .borderColor = light,
                 .drawMode = DrawMode::MaskPen});
    const auto image = scene.render();
    EXPECT_EQ(image[17][17], RGB(0x9C & 0xF0, 0xD5 & 0x3C, 0x6A & 0xFF));  // centre of the circle
    EXPECT_EQ(image[10][10], kBackground);                                 // corner of its box
    EXPECT_EQ(image[30][30], kBackground);                                 // outside
}

TEST(Painting, HatchesDrawOnlyTheirLines) {
    struct Row {
        FillStyle style;
        DrawMode mode;
    };
    for (const Row& row : {Row{FillStyle::UpwardDiagonal, DrawMode::CopyPen},
                           Row{FillStyle::DiagonalCross, DrawMode::MaskPen}}) {
        SCOPED_TRACE(static_cast<int>(row.style));
        const Color hatch = RGB(255, 224, 192);
        Scene scene({.kind = ControlKind::Shape,
                     .name = "Hatch",
                     .container = "Box",
                     .place = {0, 0, 600, 600},
                     .fillStyle = row.style,
                     .fillColor = hatch,
                     .borderVisible = false,
                     .drawMode = row.mode});
        const auto image = scene.render();
        const Color line = row.mode == DrawMode::MaskPen ? (kBackground & hatch) : hatch;
        int lines = 0, untouched = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const Color p = image[y][x];
                if (p == line)
                    ++lines;
                else if (p == kBackground)
                    ++untouched;
                else
                    FAIL() << "stray colour at " << x << "," << y << ": " << std::hex << p;
            }
        // Thin lines on an untouched background: an eighth of the pixels per diagonal.
        const int perDiagonal = 40 * 40 / 8;
        EXPECT_EQ(lines, row.style == FillStyle::DiagonalCross ? 2 * perDiagonal : perDiagonal);
        EXPECT_EQ(lines + untouched, 1600);
        if (row.style == FillStyle::UpwardDiagonal) {
            // Upward: the line through a pixel continues up and to the right.
            for (int y = 1; y < 40; ++y) {
                for (int x = 0; x < 39; ++x) {
                    if (image[y][x] == line) {
                        EXPECT_EQ(image[y - 1][x + 1], line);
                    }
                }
            }
        }
    }
}

// The card's painting lies under a diagonal-cross hatch drawn with the mask pen: on the hatch
// lines the painting is ANDed with the hatch colour, between them it is left as it is.
TEST(MaskPenHatch, AndsOnlyTheLinesAndLeavesTheGapsAlone) {
    testing::TestRuntime t{1000.0};
    Form2 card(t.runtime);
    card.Form_Load();
    const std::unique_ptr<Image> shown = renderForm(t.host.graphics(), card);
    const Picture& painting = card.Picture5.picture();
    const PixelPoint origin = innerRectInForm(card.Picture5).topLeft();
    const PixelRect caption = controlRectInForm(card.Label4);
    const Color peach = RGB(255, 224, 192);

    int untouched = 0, masked = 0, neither = 0;
    for (int y = 0; y < painting.height(); ++y)
        for (int x = 0; x < painting.width(); ++x) {
            const PixelPoint at = origin + PixelPoint{x, y};
            if (caption.contains(at)) continue;
            const Color picture = painting.pixel(x, y);
            const Color seen = testing::pixelOf(*shown, at.x, at.y);
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

// The screen of a recording: the desktop, then every shown window in stacking order at its
// place, each cut to its region; minimized and hidden windows show nothing.
TEST(Painting, TheScreenStacksTheShownWindowsEachCutToItsRegion) {
    testing::TestRuntime t;
    const Color desktop = RGB(1, 2, 3), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    const auto window = [&](float left, float top, Color back) {
        auto form = std::make_unique<Form>(
            t.runtime, FormDesign{.backColor = back, .place = {left, top, 300, 300}},
            std::span<const ControlDesign>());
        form->Show();
        return form;
    };
    auto below = window(0, 0, red);
    auto above = window(150, 150, blue);  // at (10, 10), its top-left quarter shown
    above->setRegion(Region(PixelRect{0, 0, 5, 5}));
    auto minimized = window(450, 0, blue);
    minimized->setWindowState(WindowState::Minimized);
    auto hidden = window(0, 450, blue);
    hidden->Hide();

    const std::unique_ptr<Image> screen = renderScreen(t.host.graphics(), t.runtime, desktop);
    const struct {
        int x, y;
        Color expected;
    } rows[] = {{5, 5, red},       {12, 12, blue},   {18, 12, red},    {25, 25, desktop},
                {12, 22, desktop}, {35, 5, desktop}, {5, 35, desktop}, {0, 0, red}};
    for (const auto& row : rows)
        EXPECT_EQ(testing::pixelOf(*screen, row.x, row.y), row.expected)
            << "at " << row.x << "," << row.y;
}

}  // namespace
}  // namespace xmascard
