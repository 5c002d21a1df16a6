// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>

#include "platform/form.h"
#include "platform/form_painter.h"
#include "platform/picture_box.h"
#include "platform/shape.h"
#include "platform/surface_impl.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

constexpr QRgb kBackground = qRgb(0x9C, 0xD5, 0x6A);

// A 40 x 40 pixel window: one borderless picture box of a known colour holding one shape.
struct Scene {
    testing::TestRuntime t;
    std::array<ControlDesign, 2> designs;
    std::unique_ptr<Form> form;

    explicit Scene(const ControlDesign& shape) {
        designs = {{{.kind = ControlKind::PictureBox,
                     .name = "Box",
                     .width = 600,
                     .height = 600,
                     .border = BorderStyle::None},
                    shape}};
        form = std::make_unique<Form>(t.runtime,
                                      FormDesign{.clientWidth = 600, .clientHeight = 600}, designs);
        auto* box = dynamic_cast<PictureBox*>(form->find("Box"));
        box->setPicture(makePicture(testing::solidImage(40, 40, kBackground)));
    }
    QImage render() const { return renderForm(*form); }
};

TEST(Painting, MaskPenLightIsTheBitwiseAndOfItsColourAndThePicture) {
    const Color light = RGB(0xF0, 0x3C, 0xFF);
    Scene scene({.kind = ControlKind::Shape,
                 .name = "Light",
                 .container = "Box",
                 .left = 150,
                 .top = 150,
                 .width = 225,
                 .height = 225,
                 .fillStyle = FillStyle::Solid,
                 .fillColor = light,
                 .shape = ShapeType::Circle,
                 .borderColor = light,
                 .drawMode = DrawMode::MaskPen});
    const QImage image = scene.render();
    const QRgb expected = qRgb(0x9C & 0xF0, 0xD5 & 0x3C, 0x6A & 0xFF);
    EXPECT_EQ(image.pixel(17, 17) & 0xFFFFFF, expected & 0xFFFFFF);     // centre of the circle
    EXPECT_EQ(image.pixel(10, 10) & 0xFFFFFF, kBackground & 0xFFFFFF);  // corner of its box
    EXPECT_EQ(image.pixel(30, 30) & 0xFFFFFF, kBackground & 0xFFFFFF);  // outside
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
                     .width = 600,
                     .height = 600,
                     .fillStyle = row.style,
                     .fillColor = hatch,
                     .borderVisible = false,
                     .drawMode = row.mode});
        const QImage image = scene.render();
        const QRgb line = row.mode == DrawMode::MaskPen ? qRgb(0x9C & 255, 0xD5 & 224, 0x6A & 192)
                                                        : qRgb(255, 224, 192);
        int lines = 0, untouched = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const QRgb p = image.pixel(x, y) & 0xFFFFFF;
                if (p == (line & 0xFFFFFF))
                    ++lines;
                else if (p == (kBackground & 0xFFFFFF))
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
                    if ((image.pixel(x, y) & 0xFFFFFF) == (line & 0xFFFFFF)) {
                        EXPECT_EQ(image.pixel(x + 1, y - 1) & 0xFFFFFF, line & 0xFFFFFF);
                    }
                }
            }
        }
    }
}

// A 40 x 40 borderless box whose drawing is cleared after a circle was drawn on it.
QImage clearedDrawing(const QImage& picture, Color back) {
    testing::TestRuntime t;
    std::array<ControlDesign, 1> designs{{{.kind = ControlKind::PictureBox,
                                          .name = "Box",
                                          .width = 600,
                                          .height = 600,
                                          .border = BorderStyle::None}}};
    Form form(t.runtime, FormDesign{.clientWidth = 600, .clientHeight = 600}, designs);
    auto* box = dynamic_cast<PictureBox*>(form.find("Box"));
    box->setBackColor(back);
    box->setPicture(makePicture(picture));
    box->Circle(300, 300, 150, RGB(255, 255, 255));
    box->Cls();
    return qImage(box->surface()).copy();
}

TEST(Painting, ClsBringsBackThePictureOverTheBackColourWhateverItsSizeOrTransparency) {
    QImage pattern(50, 45, QImage::Format_ARGB32);
    for (int y = 0; y < pattern.height(); ++y)
        for (int x = 0; x < pattern.width(); ++x) pattern.setPixel(x, y, qRgb(x * 5, y * 5, 77));
    const Color back = RGB(0x10, 0x20, 0x30);

    // Larger than the box and opaque: its top-left 40 x 40.
    EXPECT_EQ(clearedDrawing(pattern, back), pattern.copy(0, 0, 40, 40).convertToFormat(
                                                 QImage::Format_RGB32));

    // Smaller than the box: the back colour shows past it.
    const QImage small = clearedDrawing(pattern.copy(0, 0, 30, 20), back);
    EXPECT_EQ(small.pixel(29, 19), pattern.pixel(29, 19));
    EXPECT_EQ(small.pixel(30, 5) & 0xFFFFFF, 0x102030u);
    EXPECT_EQ(small.pixel(5, 20) & 0xFFFFFF, 0x102030u);

    // With see-through pixels: the back colour shows through them.
    QImage holed = pattern;
    holed.setPixel(20, 20, qRgba(0, 0, 0, 0));
    const QImage cleared = clearedDrawing(holed, back);
    EXPECT_EQ(cleared.pixel(20, 20) & 0xFFFFFF, 0x102030u);
    EXPECT_EQ(cleared.pixel(21, 20), pattern.pixel(21, 20));
}

}  // namespace
}  // namespace xmascard
