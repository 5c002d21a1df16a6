// SPDX-License-Identifier: MIT
#include "backends/qt/qt_surface.h"

#include <gtest/gtest.h>

#include <QImage>

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

}  // namespace
}  // namespace xmascard
