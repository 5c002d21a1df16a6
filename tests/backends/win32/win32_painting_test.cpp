// SPDX-License-Identifier: MIT
// The Win32 backend's painting: figures keep to their boxes as the other backends' do, and
// the pixels read back are opaque 0xFFRRGGBB words whatever GDI drew.
#include <gtest/gtest.h>

#include "backends/win32/win32_graphics.h"
#include "backends/win32/win32_surface.h"
#include "platform/canvas.h"
#include "support/test_graphics.h"

namespace xmascard {
namespace {

using testing::pixelOf;

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kRed = RGB(255, 0, 0);

// A figure in the box (2, 2)-(17, 17) on white: every pixel it paints lies in the box, and
// the middle of each side of the box is painted.
TEST(Win32Painting, FiguresKeepToTheirBoxes) {
    struct Row {
        const char* name;
        Figure::Kind kind;
        FillStyle fill;
        int border;
    };
    const Row rows[] = {
        {"filled rectangle", Figure::Kind::Rectangle, FillStyle::Solid, 0},
        {"framed rectangle", Figure::Kind::Rectangle, FillStyle::Transparent, 1},
        {"thick frame", Figure::Kind::Rectangle, FillStyle::Transparent, 3},
        {"filled circle", Figure::Kind::Circle, FillStyle::Solid, 0},
        {"outlined circle", Figure::Kind::Circle, FillStyle::Transparent, 1},
        {"filled and outlined circle", Figure::Kind::Circle, FillStyle::Solid, 1},
    };
    const PixelRect box{2, 2, 17, 17};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto image = testing::testGraphics().makeImage(20, 20, kWhite);
        Figure f;
        f.kind = row.kind;
        f.box = box;
        f.fill = row.fill;
        f.fillColor = kRed;
        f.borderWidth = row.border;
        f.borderColor = kRed;
        image->canvas().drawFigure(f);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                if (!box.contains({x, y})) {
                    EXPECT_EQ(pixelOf(*image, x, y), kWhite) << x << "," << y;
                }
            }
        }
        for (const PixelPoint p :
             {PixelPoint{2, 9}, PixelPoint{16, 9}, PixelPoint{9, 2}, PixelPoint{9, 16}})
            EXPECT_EQ(pixelOf(*image, p.x, p.y), kRed) << p.x << "," << p.y;
    }
}

// A picture box's drawing reads back as opaque words after GDI drew on it, and pixel()
// agrees with the words; a circle of radius r covers centre - r to centre + r.
TEST(Win32Painting, SurfaceWordsStayOpaque) {
    struct Row {
        const char* name;
        Surface::Pen pen;
        Color centre;  // the colour at the circle's centre
    };
    const Row rows[] = {
        {"solid", {kRed, DrawStyle::Solid, FillStyle::Solid, kRed}, kRed},
        {"outline only", {kRed, DrawStyle::Solid, FillStyle::Transparent, 0}, kWhite},
        {"fill only", {0, DrawStyle::Invisible, FillStyle::Solid, kRed}, kRed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Win32Surface surface;
        surface.reset(24, 24, kWhite, {});
        surface.circle(12, 12, 5, row.pen);
        EXPECT_EQ(surface.pixel(12, 12), row.centre);
        EXPECT_EQ(surface.pixel(12, 7), kRed);
        EXPECT_EQ(surface.pixel(12, 17), kRed);
        EXPECT_EQ(surface.pixel(12, 6), kWhite);
        EXPECT_EQ(surface.pixel(12, 18), kWhite);
        for (int y = 0; y < surface.height(); ++y) {
            const std::uint32_t* line = surface.scanLine(y);
            for (int x = 0; x < surface.width(); ++x) {
                ASSERT_EQ(line[x] >> 24, 0xFFu) << x << "," << y;
                ASSERT_EQ(Surface::rawColor(line[x]), ((surface.pixel(x, y) & 0xFF) << 16) |
                                                          (surface.pixel(x, y) & 0xFF00) |
                                                          ((surface.pixel(x, y) >> 16) & 0xFF));
            }
        }
    }
}

}  // namespace
}  // namespace xmascard
