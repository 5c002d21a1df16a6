// SPDX-License-Identifier: MIT
// The web backend's drawing without a browser: what its canvas paints where, and how its
// text is measured, counted and found drawable.
#include "backends/web/soft_canvas.h"

#include <gtest/gtest.h>

#include <string>

#include "backends/web/web_graphics.h"
#include "platform/region.h"

namespace xmascard {
namespace {

constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kBlue = RGB(0, 0, 255);

// A picture of what a 16 x 16 image holds: one letter a pixel, by colour.
std::string picture(const WebImage& image) {
    std::string out;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            switch (image.pixels().row(y)[x] & 0xFFFFFF) {
                case 0xFFFFFF:
                    out += '.';
                    break;
                case 0xFF0000:
                    out += 'r';
                    break;
                case 0x0000FF:
                    out += 'b';
                    break;
                case 0x000000:
                    out += '#';
                    break;
                default:
                    out += '?';
            }
        }
        out += '\n';
    }
    return out;
}

char at(const std::string& pic, int x, int y) { return pic[static_cast<std::size_t>(y) * 17 + x]; }

TEST(SoftCanvas, PaintsWithinItsClipAndTranslation) {
    auto image = WebImage::create(16, 16, kWhite);
    Canvas& canvas = image->canvas();
    canvas.save();
    canvas.translate({2, 2});
    canvas.clip(PixelRect{0, 0, 6, 6});  // (2, 2) to (8, 8) on the image
    canvas.clip(Region(PixelRect{3, 0, 20, 20}).united(Region(PixelRect{0, 5, 1, 6})));
    canvas.fillRect(PixelRect{-5, -5, 30, 30}, kRed);
    canvas.restore();
    canvas.fillRect(PixelRect{14, 14, 16, 16}, kBlue);  // the clip is gone after restore
    const std::string pic = picture(*image);
    EXPECT_EQ(at(pic, 5, 2), 'r');  // inside both clips
    EXPECT_EQ(at(pic, 7, 7), 'r');
    EXPECT_EQ(at(pic, 4, 4), '.');  // left of the region's wide part
    EXPECT_EQ(at(pic, 2, 7), 'r');  // its small square
    EXPECT_EQ(at(pic, 8, 4), '.');  // right of the first clip
    EXPECT_EQ(at(pic, 15, 15), 'b');
    EXPECT_EQ(canvas.clipBounds(), std::nullopt);
}

TEST(SoftCanvas, FiguresHatchesAndTheMaskPen) {
    auto image = WebImage::create(16, 16, kWhite);
    Canvas& canvas = image->canvas();
    // A circle filled with a cross hatch, bordered in black.
    canvas.drawFigure({.kind = Figure::Kind::Circle,
                       .box = PixelRect{0, 0, 16, 16},
                       .fill = FillStyle::Cross,
                       .fillColor = kRed,
                       .borderWidth = 1,
                       .borderColor = RGB(0, 0, 0)});
    std::string pic = picture(*image);
    EXPECT_EQ(at(pic, 0, 0), '.');  // the box's corner lies outside the circle
    EXPECT_EQ(at(pic, 8, 0), '#');  // the border at the top
    EXPECT_EQ(at(pic, 8, 8), 'r');  // on both hatch lines
    EXPECT_EQ(at(pic, 9, 9), '.');  // between them
    EXPECT_EQ(at(pic, 9, 8), 'r');  // on the horizontal one
    EXPECT_EQ(at(pic, 0, 8), '#');  // the border on the left and right of the middle row
    EXPECT_EQ(at(pic, 15, 8), '#');
    EXPECT_EQ(at(pic, 15, 0), '.');

    // The mask pen ANDs: blue over red leaves black, blue over white leaves blue.
    canvas.drawFigure({.box = PixelRect{6, 6, 12, 12}, .back = kBlue, .mode = DrawMode::MaskPen});
    pic = picture(*image);
    EXPECT_EQ(at(pic, 8, 8), '#');
    EXPECT_EQ(at(pic, 9, 9), 'b');

    for (const auto& [style, x, y, on] : {std::tuple{FillStyle::HorizontalLine, 3, 16, true},
                                          {FillStyle::HorizontalLine, 3, 17, false},
                                          {FillStyle::VerticalLine, 24, 5, true},
                                          {FillStyle::UpwardDiagonal, 3, 4, true},
                                          {FillStyle::DownwardDiagonal, 5, 5, true},
                                          {FillStyle::DownwardDiagonal, 5, 4, false},
                                          {FillStyle::Transparent, 0, 0, false}})
        EXPECT_EQ(onHatch(style, x, y), on) << static_cast<int>(style) << " " << x << "," << y;
}

TEST(WebGraphicsText, MeasuresCountsAndFindsUndrawableCharacters) {
    WebGraphics graphics;
    const Font arial{.family = "Arial", .points = 9};
    const Font dialog{.points = 9};
    const Font times{.family = "Times New Roman", .points = 9, .bold = true};
    const Font bold{.family = "Arial", .points = 9, .bold = true};
    const std::string text = "Merry Christmas, Anna";
    // Arial and the dialog font are one face; bold is wider; Times is another, narrower.
    EXPECT_EQ(graphics.textWidth(text, arial), graphics.textWidth(text, dialog));
    EXPECT_GT(graphics.textWidth(text, bold), graphics.textWidth(text, arial));
    EXPECT_LT(graphics.textWidth(text, times), graphics.textWidth(text, bold));
    EXPECT_EQ(graphics.textWidth("", arial), 0.0f);
    // Liberation Sans has Arial's advances: "Anna" at 12 pixels is (1366 + 3 * 1139) / 2048
    // of 12 pixels.
    EXPECT_NEAR(graphics.textWidth("Anna", arial), 28.0, 0.5);

    const struct {
        const char* text;
        std::vector<std::size_t> ends;
    } counts[] = {
        {"Tom", {1, 2, 3}},
        {"e\xCC\x81x", {3, 4}},  // e and a combining acute accent are one character
        {"\xC3\xA9", {2}},
        {"\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7", {11}},  // woman, joiner, girl
    };
    for (const auto& row : counts)
        EXPECT_EQ(graphics.characterEnds(row.text), row.ends) << row.text;

    EXPECT_EQ(graphics.undrawable("Ren\xC3\xA9\x65 \xC3\x9F", arial), U"");
    EXPECT_EQ(graphics.undrawable("A\xE4\xB8\x80"
                                  "B\xE4\xB8\x80",
                                  arial),
              U"\u4E00");  // CJK, once
}

}  // namespace
}  // namespace xmascard
