// SPDX-License-Identifier: MIT
#include "shaping/region_from_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "layout/assets.h"
#include "platform/form.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

using testing::pictureWithDots;

constexpr Color kKey = RGB(255, 255, 255);
constexpr Color kInk = RGB(0, 128, 0);

// A window holding one borderless pixel-scale picture box that shows `image`.
struct Box {
    testing::TestRuntime t{1000.0};
    Form form{t.runtime, FormDesign{}, {}};
    PictureBox box{form, "Picture", -1, nullptr};

    explicit Box(const Picture& picture) {
        box.setBorderStyle(BorderStyle::None);
        box.setScaleMode(ScaleMode::Pixels);
        box.setAutoRedraw(true);
        box.setAutoSize(true);
        box.setPicture(picture);
    }
};

std::vector<PixelRect> rectsOf(const RegionHandle& region) {
    return region ? region->rects() : std::vector<PixelRect>{};
}

struct Case {
    const char* name;
    int width, height;
    std::vector<PixelPoint> ink;
    std::vector<PixelRect> expected;  // the region, as Qt's canonical rectangles
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class RegionFromPictureCases : public ::testing::TestWithParam<Case> {};

TEST_P(RegionFromPictureCases, GivesTheRunsOfNonKeyPixels) {
    const Case& c = GetParam();
    Box b(pictureWithDots(c.width, c.height, kKey, c.ink, kInk));
    const RegionHandle fast = RegionFromPicture(b.box);
    const RegionHandle slow = RegionFromPictureByPixelReads(b.box);
    EXPECT_EQ(rectsOf(fast), c.expected);
    ASSERT_EQ(fast.has_value(), slow.has_value());
    if (fast) {
        EXPECT_EQ(*fast, *slow);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, RegionFromPictureCases,
    ::testing::Values(
        Case{"OnlyKeyColour", 6, 4, {}, {}}, Case{"SinglePixel", 6, 4, {{3, 2}}, {{3, 2, 4, 3}}},
        Case{
            "TwoRunsInARow", 10, 3, {{2, 1}, {3, 1}, {4, 1}, {7, 1}}, {{2, 1, 5, 2}, {7, 1, 8, 2}}},
        Case{"RunReachingTheRightEdge",
             5,
             3,
             {{3, 0}, {4, 0}, {0, 1}},
             {{3, 0, 5, 1}, {0, 1, 1, 2}}},
        Case{"RunAtTheBottomRightCorner", 4, 4, {{3, 3}}, {{3, 3, 4, 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegionFromPicture, TakesTheTopLeftPixelAsKeyEvenInsideTheFigure) {
    // The figure's colour fills (0, 0): that colour is cut away wherever it lies, and the
    // white "background" becomes the window.
    const PixelPoint white[] = {{2, 0}, {1, 1}};
    Box b(pictureWithDots(4, 2, kInk, white, kKey));
    EXPECT_EQ(rectsOf(RegionFromPicture(b.box)),
              (std::vector<PixelRect>{{2, 0, 3, 1}, {1, 1, 2, 2}}));
}

TEST(RegionFromPicture, GivesNoRegionForAnEmptyBox) {
    Box b{Picture()};
    EXPECT_FALSE(RegionFromPicture(b.box).has_value());
    EXPECT_FALSE(RegionFromPictureByPixelReads(b.box).has_value());
}

TEST(RegionFromPicture, ScansNoFurtherThanTheDrawingOfABoxLeftInTwips) {
    const PixelPoint ink[] = {{1, 1}};
    Box b(pictureWithDots(3, 3, kKey, ink, kInk));
    b.box.setScaleMode(ScaleMode::Twips);  // ScaleWidth is now 45, the drawing 3 pixels wide
    EXPECT_EQ(rectsOf(RegionFromPicture(b.box)), (std::vector<PixelRect>{{1, 1, 2, 2}}));
}

TEST(RegionFromPicture, FastScanMatchesPixelReadsOnTheCardsPictures) {
    for (const char* path : {assets::kTree, assets::kCherub[0], assets::kCherub[2],
                             assets::kSpeechBubble, assets::kMerryChristmasPanel}) {
        SCOPED_TRACE(path);
        testing::TestRuntime t;
        const Picture picture = t.runtime.loadPicture(path);
        ASSERT_FALSE(picture.isNull());
        Box b(picture);
        const RegionHandle fast = RegionFromPicture(b.box);
        const RegionHandle slow = RegionFromPictureByPixelReads(b.box);
        ASSERT_TRUE(fast && slow);
        EXPECT_EQ(*fast, *slow);
        // Every pixel: inside the region exactly when it differs from the key colour.
        const Color key = b.box.surface().pixel(0, 0);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_EQ(fast->contains(x, y), b.box.surface().pixel(x, y) != key)
                    << x << "," << y;
    }
}

TEST(RegionFromPicture, TwoCallsGiveEqualRegions) {
    const PixelPoint ink[] = {{4, 4}};
    Box b(pictureWithDots(8, 8, kKey, ink, kInk));
    EXPECT_EQ(*RegionFromPicture(b.box), *RegionFromPicture(b.box));
}

}  // namespace
}  // namespace xmascard
