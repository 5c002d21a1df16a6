// SPDX-License-Identifier: MIT
#include "backends/qt/qt_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "backends/qt/qt_picture.h"

namespace xmascard {
namespace {

// A 40 x 40 drawing that is cleared after a circle was drawn on it.
QImage clearedDrawing(const QImage& picture, Color back) {
    QtSurface surface;
    surface.reset(40, 40, back, makePicture(picture));
    surface.circle(20, 20, 10, {RGB(255, 255, 255)});
    surface.reset(40, 40, back, makePicture(picture));
    return surface.image().copy();
}

TEST(QtSurface, ClearingBringsBackThePictureOverTheBackColourWhateverItsSizeOrTransparency) {
    QImage pattern(50, 45, QImage::Format_ARGB32);
    for (int y = 0; y < pattern.height(); ++y)
        for (int x = 0; x < pattern.width(); ++x) pattern.setPixel(x, y, qRgb(x * 5, y * 5, 77));
    const Color back = RGB(0x10, 0x20, 0x30);

    // Larger than the box and opaque: its top-left 40 x 40.
    EXPECT_EQ(clearedDrawing(pattern, back),
              pattern.copy(0, 0, 40, 40).convertToFormat(QImage::Format_RGB32));

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

// Clearing a drawing back to the picture it was cleared to last copies back only what was
// drawn since; whatever was drawn, and however often, the drawing is the picture again.
TEST(QtSurface, ClearingAgainToTheSamePictureRestoresEveryPixelDrawnOn) {
    QImage pattern(60, 50, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pattern.height(); ++y)
        for (int x = 0; x < pattern.width(); ++x) pattern.setPixel(x, y, qRgb(x * 4, y * 5, 99));
    const Picture picture = makePicture(pattern);
    QImage stamp(7, 5, QImage::Format_ARGB32);
    stamp.fill(qRgb(1, 2, 3));
    const Picture other = makePicture(stamp);
    const QImage expected = pattern.convertToFormat(QImage::Format_RGB32);
    const Color white = RGB(255, 255, 255);
    struct Row {
        const char* name;
        std::function<void(QtSurface&)> draw;
    };
    const Row rows[] = {
        {"snow-sized dots, at fractions of a pixel",
         [&](QtSurface& s) {
             for (int i = 0; i < 40; ++i)
                 s.circle(3.3 + 1.37 * i, 2.8 + 1.1 * i, 0.5 + (i % 5),
                          {white, DrawStyle::Solid, FillStyle::Solid, white});
         }},
        {"circles larger than a dot, outlined and hatched",
         [&](QtSurface& s) {
             s.circle(30, 25, 20, {white});
             s.circle(10, 40, 12.5, {white, DrawStyle::Solid, FillStyle::DiagonalCross, white});
         }},
        {"dots over the edges and a huge circle",
         [&](QtSurface& s) {
             s.circle(-1.5, 49.6, 3, {white, DrawStyle::Solid, FillStyle::Solid, white});
             s.circle(59.9, -0.2, 6, {white});
             s.circle(30, 25, 1e9, {white});
         }},
        {"a picture at a fraction of a pixel",
         [&](QtSurface& s) { s.paintPicture(other, 10.6, 20.4); }},
        {"more dots than are remembered one by one",
         [&](QtSurface& s) {
             for (int i = 0; i < 3000; ++i)
                 s.circle(i % 60, (i / 60) % 50, 1,
                          {white, DrawStyle::Solid, FillStyle::Solid, white});
         }},
    };
    QtSurface surface;
    surface.reset(60, 50, 0, picture);
    for (int round = 0; round < 2; ++round)
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            row.draw(surface);
            EXPECT_NE(surface.image(), expected) << "something was drawn";
            surface.reset(60, 50, 0, picture);
            EXPECT_EQ(surface.image(), expected);
        }
    // Cleared to another picture in between, the drawing is that picture, then this one.
    surface.circle(5, 5, 3, {white});
    surface.reset(60, 50, RGB(9, 9, 9), other);
    EXPECT_EQ(surface.image().pixel(3, 3), qRgb(1, 2, 3));
    EXPECT_EQ(surface.image().pixel(40, 40), qRgb(9, 9, 9));
    surface.reset(60, 50, 0, picture);
    EXPECT_EQ(surface.image(), expected);
}

}  // namespace
}  // namespace xmascard
