// SPDX-License-Identifier: MIT
#include "backends/web/window_stack.h"

#include <gtest/gtest.h>

#include "backends/web/page_pixels.h"
#include "platform/region.h"

namespace xmascard {
namespace {

// Two overlapping windows: a tree cut to a narrow trunk and a plain one to its right.
struct Stack : ::testing::Test {
    WindowStack stack;
    WindowStack::Id tree = stack.add(), card = stack.add();
    void SetUp() override {
        stack.place(tree, PixelRect::at(100, 100, 50, 50));
        stack.setShape(tree, Region(PixelRect::at(20, 0, 10, 50)));
        stack.place(card, PixelRect::at(130, 100, 50, 50));
        stack.show(tree, true);
        stack.show(card, true);
    }
};

TEST_F(Stack, APointGoesToTheTopMostWindowWhoseShapeHoldsIt) {
    using Hit = std::optional<WindowStack::Id>;
    const struct {
        PixelPoint at;
        Hit before, afterRaise;  // the tree raised above the card
    } rows[] = {
        {{125, 120}, tree, tree},                  // the trunk, where the card is not
        {{105, 120}, std::nullopt, std::nullopt},  // the tree's box outside its shape
        {{135, 120}, card, card},                  // the card, the tree's box cut away there
        {{100 + 29, 149}, tree, tree},             // the trunk's last pixel
        {{150, 150}, std::nullopt, std::nullopt},  // right and bottom edges are outside
        {{179, 149}, card, card},
    };
    for (const auto& row : rows) EXPECT_EQ(stack.at(row.at), row.before) << row.at.x;
    // Overlap: the card over the trunk's right part once the card is placed there.
    stack.place(card, PixelRect::at(125, 100, 50, 50));
    EXPECT_EQ(stack.at({127, 120}), card);
    stack.raise(tree);
    EXPECT_EQ(stack.at({127, 120}), tree);
    EXPECT_EQ(stack.at({140, 120}), card);  // outside the tree's shape the card still gets it
    EXPECT_EQ(stack.order(), (std::vector<WindowStack::Id>{card, tree}));

    stack.show(tree, false);
    EXPECT_EQ(stack.at({127, 120}), card);
    stack.remove(card);
    EXPECT_EQ(stack.at({127, 120}), std::nullopt);
    stack.setShape(tree, std::nullopt);
    stack.show(tree, true);
    EXPECT_EQ(stack.at({105, 120}), tree);  // no shape: the whole box
}

TEST(PagePixels, TheShapeBecomesTheAlphaAndColoursComeStraight) {
    auto image = PixelImage::create(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            image->row(y)[x] = 0xFF000000u | (x * 0x10 << 16) | (y << 8) | 7;
    // A shape that reaches outside the image on every side but the top.
    const auto mask =
        shapeMask(Region(PixelRect{1, 1, 9, 9}).united(Region(PixelRect{-5, 0, 1, 1})), 4, 3);
    const std::vector<std::uint8_t> expectedMask{255, 0, 0, 0, 0, 255, 255, 255, 0, 255, 255, 255};
    EXPECT_EQ(mask, expectedMask);

    std::vector<std::uint8_t> bytes;
    pageBytes(*image, PixelRect{1, 0, 3, 2}, &mask, bytes);
    const std::vector<std::uint8_t> expected{0x10, 0, 7, 0,   0x20, 0, 7, 0,  // top row: outside
                                             0x10, 1, 7, 255, 0x20, 1, 7, 255};
    EXPECT_EQ(bytes, expected);
    pageBytes(*image, PixelRect{0, 0, 1, 1}, nullptr, bytes);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0, 0, 7, 255}));
}

TEST(PagePixels, TheScreenIsTheViewportButNeverSmallerThanTheShowNeeds) {
    const ScreenSize least{480, 640};
    const struct {
        int width, height;
        ScreenSize screen;
        double scale;
    } rows[] = {
        {1280, 800, {1280, 800}, 1.0},    // a desktop: the viewport as it is
        {480, 640, {480, 640}, 1.0},      // just large enough
        {390, 844, {480, 1038}, 0.8125},  // a phone: narrower than the show, scaled to fit
        {1000, 320, {2000, 640}, 0.5},    // a short window
        {0, 0, {640, 640}, 1.0 / 640},    // no viewport yet: a pixel, still the whole show
    };
    for (const auto& row : rows) {
        const PageFit fit = fitScreen(row.width, row.height, least);
        EXPECT_EQ(fit.screen, row.screen) << row.width << "x" << row.height;
        EXPECT_DOUBLE_EQ(fit.scale, row.scale) << row.width << "x" << row.height;
        // All of the screen shows within the viewport.
        EXPECT_LE(fit.screen.width * fit.scale, std::max(1, row.width) + 1e-9);
        EXPECT_LE(fit.screen.height * fit.scale, std::max(1, row.height) + 1e-9);
    }
}

}  // namespace
}  // namespace xmascard
