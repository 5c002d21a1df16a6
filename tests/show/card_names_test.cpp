// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/paint_controls.h"
#include "show/program.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

// The card over a whole show, and as it stood the tick the tree window vanished.
struct CardRun {
    bool ended = false;
    bool openWhileTreeShown = false;
    bool changedWhileClosed = false;  // width, shape or texts left their design
    int treeHidings = 0;
    TwipsRect tree, card, skin;
    RegionHandle region;
    std::string receiver, sender;
    bool saveButtonShown = false;
    std::unique_ptr<Image> picture;
};

CardRun play(const CardNames& names, ScreenSize screen) {
    testing::TestRuntime t{1000.0};
    t.host.setScreen(screen);
    Program program(t.runtime, names);
    program.start();
    FormTree& tree = *program.formTree;
    Form2& card = *program.form2;
    const RegionHandle designRegion = card.region();
    CardRun run;
    bool treeShown = tree.Visible();
    run.ended = t.loop.runToEnd(1200, [&] {
        run.openWhileTreeShown |= card.isOpen() && tree.Visible();
        run.changedWhileClosed |= card.Width() != 3240 || card.region() != designRegion ||
                                  card.Text1.Text() != "Receiver" || card.Text2.Text() != "Sender";
        if (treeShown && !tree.Visible()) {
            ++run.treeHidings;
            run.tree = tree.geometry();
            run.card = card.geometry();
            run.skin = program.form3->geometry();
            run.region = card.region();
            run.receiver = card.Text1.Text();
            run.sender = card.Text2.Text();
            run.saveButtonShown = card.CmdSave.Visible();
            run.picture = renderForm(t.host.graphics(), card);
        }
        treeShown = tree.Visible();
    });
    return run;
}

struct Row {
    const char* name;
    CardNames names;
    ScreenSize screen;
};

TEST(CardWithNames, OpensAtThePlacementShapedToBothPagesAndOnTheScreen) {
    const std::vector<Row> rows = {
        {"both names on a 1280 x 800 screen", {"Anna", "Tom"}, {1280, 800}},
        {"the receiver alone", {"Anna", std::nullopt}, {1280, 800}},
        {"the sender alone on 1024 x 768", {std::nullopt, "Tom"}, {1024, 768}},
        {"a screen a little wider than the open card", {"Anna", "Tom"}, {480, 360}},
        {"a screen narrower than the open card", {"Anna", "Tom"}, {400, 300}},
        {"the smallest screen", {"Anna", "Tom"}, {320, 240}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CardRun run = play(row.names, row.screen);
        ASSERT_TRUE(run.ended);
        ASSERT_EQ(run.treeHidings, 1) << "the card is placed once";
        EXPECT_FALSE(run.openWhileTreeShown) << "the card opens where the tree stood";
        EXPECT_EQ(run.card.width.value, Form2::kOpenWidth);
        // Both pages cut to their controls: left bar, right page, right bar, bottom bar; the
        // fold and the margin inside the right page's frame stay see-through.
        ASSERT_TRUE(run.region);
        for (const auto [x, y] :
             {PixelPoint{2, 100}, PixelPoint{325, 146}, PixelPoint{431, 150}, PixelPoint{300, 287}})
            EXPECT_TRUE(run.region->contains(x, y)) << x << "," << y;
        EXPECT_FALSE(run.region->contains(216, 150) || run.region->contains(226, 150));
        EXPECT_EQ(run.receiver, row.names.to.value_or(""));
        EXPECT_EQ(run.sender, row.names.from.value_or(""));
        EXPECT_FALSE(run.saveButtonShown) << "names on the command line are not edits";

        // On the screen, or from its top-left corner where the screen is smaller; in the
        // middle of the tree's place where the screen allows; the cherub on its edge.
        const PixelRect at = run.card.pixels();
        const bool fitsAcross = at.width() <= row.screen.width;
        const bool fitsDown = at.height() <= row.screen.height;
        EXPECT_TRUE(fitsAcross ? at.left >= 0 && at.right <= row.screen.width : at.left == 0);
        EXPECT_TRUE(fitsDown ? at.top >= 0 && at.bottom <= row.screen.height : at.top == 0);
        if (row.screen.width >= 640) {
            const PixelRect treeAt = run.tree.pixels();
            EXPECT_NEAR(at.left + at.right, treeAt.left + treeAt.right, 2);
        }
        EXPECT_EQ(run.skin.left, run.card.left);
    }
}

int pixelsOf(Image& image, const PixelRect& area, bool (*wanted)(Color)) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) count += wanted(testing::pixelOf(image, x, y));
    return count;
}

// The inside page shows its greeting, dots, names and player above its hatched background.
TEST(CardWithNames, TheInsidePageShowsEverythingOnItAboveItsBackground) {
    const CardRun run = play({"Anna", "Tom"}, {1280, 800});
    ASSERT_TRUE(run.picture);
    Image& card = *run.picture;
    // Two dots at their centres: green Shape9, blue-violet Shape7.
    EXPECT_EQ(testing::pixelOf(card, 401, 203), RGB(0, 255, 0));
    EXPECT_EQ(testing::pixelOf(card, 254, 243), RGB(128, 128, 255));
    const auto scriptRed = [](Color c) {
        return redOf(c) > 150 && greenOf(c) < 100 && blueOf(c) < 120;
    };
    const auto navy = [](Color c) { return blueOf(c) > redOf(c) + 40; };
    EXPECT_GT(pixelsOf(card, PixelRect::at(249, 154, 149, 60), scriptRed), 300);
    EXPECT_GT(pixelsOf(card, PixelRect::at(241, 220, 168, 17), navy), 20);
    EXPECT_GT(pixelsOf(card, PixelRect::at(236, 260, 175, 14), navy), 15);
    // The player's face: more than a plain or empty rectangle.
    std::set<Color> face;
    for (int y = 27; y < 144; ++y)
        for (int x = 250; x < 399; ++x) face.insert(testing::pixelOf(card, x, y));
    EXPECT_GT(face.size(), 8u);
}

TEST(CardWithNames, WithoutNamesTheCardStaysAsItWas) {
    const CardRun run = play({}, {1280, 800});
    ASSERT_TRUE(run.ended);
    EXPECT_FALSE(run.changedWhileClosed);
    EXPECT_FALSE(run.saveButtonShown);
    EXPECT_EQ(run.treeHidings, 1);
    EXPECT_EQ(run.card.left.value, run.tree.left.value + 500) << "500 twips into the tree";
}

}  // namespace
}  // namespace xmascard
