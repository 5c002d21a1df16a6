// SPDX-License-Identifier: MIT
#include "windows/form3_cherub.h"

#include <gtest/gtest.h>

#include <vector>

#include "windows/window_test_support.h"

namespace xmascard {
namespace {

using testing::Pointer;
using testing::TestRuntime;
using testing::windowAt;

bool samePixels(const Picture& a, const Picture& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

// The frame the cherub shows now, 1 to 4 (the design-time picture is a copy of frame 1).
int shownFrame(Form3& skin) {
    for (int i = 1; i <= 4; ++i)
        if (skin.picMainSkin.picture() == skin.Picture1(i).picture()) return i;
    for (int i = 1; i <= 4; ++i)
        if (samePixels(skin.picMainSkin.picture(), skin.Picture1(i).picture())) return i;
    return 0;
}

struct FrameChange {
    double at;
    int frame;
};

// Runs the clock to `until` and lists every change of frame on the way.
std::vector<FrameChange> changesUntil(TestRuntime& t, Form3& skin, double until) {
    std::vector<FrameChange> changes;
    int last = shownFrame(skin);
    t.loop.runUntil(until, [&] {
        if (shownFrame(skin) != last) changes.push_back({t.clock.now(), last = shownFrame(skin)});
    });
    return changes;
}

TEST(Form3, FlapsThroughFramesTwoThreeFourOneTwoEveryThreeTenths) {
    TestRuntime t;
    Form3 skin(t.runtime);
    skin.Form_Load();
    ASSERT_EQ(shownFrame(skin), 1);

    const std::vector<FrameChange> changes = changesUntil(t, skin, 1.6);
    ASSERT_EQ(changes.size(), 5u);
    const int expected[] = {2, 3, 4, 1, 2};
    double previous = 0;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i].frame, expected[i]) << "change " << i;
        // 0.3 s after the previous change, on the first system tick that reaches it.
        EXPECT_GE(changes[i].at - previous, 0.3 - 1e-9) << "change " << i;
        EXPECT_LT(changes[i].at - previous, 0.3 + Scheduler::kSystemTick) << "change " << i;
        previous = changes[i].at;
    }
}

TEST(Form3, EveryFrameIsSizedAndCutToItsOwnOutline) {
    TestRuntime t;
    Form3 skin(t.runtime);
    skin.Form_Load();
    for (int change = 0; change < 5; ++change) {
        const Picture& frame = skin.picMainSkin.picture();
        EXPECT_EQ(testing::pixelsOffOutline(skin.region(), frame), 0)
            << "frame " << shownFrame(skin);
        EXPECT_EQ(skin.Width(), toTwips(Pixels{static_cast<float>(frame.width())}).value);
        EXPECT_EQ(skin.Height(), toTwips(Pixels{static_cast<float>(frame.height())}).value);
        changesUntil(t, skin, t.clock.now() + 0.3 + Scheduler::kSystemTick);
    }
}

class Form3Press : public ::testing::TestWithParam<int> {};

// However long a button is held, the flapping waits, and it resumes with one change, not
// with one change for every 0.3 s that passed.
TEST_P(Form3Press, HoldingAButtonPausesAndReleaseGivesExactlyOneChange) {
    TestRuntime t;
    Form3 skin(t.runtime);
    skin.Form_Load();
    skin.Move(6000, 1500);
    Pointer pointer(skin);
    t.loop.runUntil(0.2);
    pointer.press(windowAt(skin) + PixelPoint{75, 50}, GetParam());
    EXPECT_TRUE(changesUntil(t, skin, 5.0).empty());
    pointer.release(GetParam());

    const std::vector<FrameChange> after = changesUntil(t, skin, 5.3);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].frame, 2);
    EXPECT_LE(after[0].at, 5.0 + Scheduler::kSystemTick);
    EXPECT_EQ(changesUntil(t, skin, 5.6).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(AnyButton, Form3Press,
                         ::testing::Values(kLeftButton, kRightButton, kMiddleButton));

struct DragRow {
    const char* name;
    int buttons;
    bool moves;
};

class Form3Drag : public ::testing::TestWithParam<DragRow> {};

// Only the left button alone drags; the grab point then stays under the pointer.
TEST_P(Form3Drag, TheGrabPointStaysUnderThePointer) {
    const DragRow& row = GetParam();
    TestRuntime t;
    Form3 skin(t.runtime);
    skin.Form_Load();
    skin.Move(6000, 1500);
    const PixelPoint start = windowAt(skin);
    const PixelPoint grab{75, 50};
    Pointer pointer(skin);
    pointer.press(start + grab, row.buttons);
    for (const PixelPoint step :
         {PixelPoint{7, 3}, PixelPoint{-20, 11}, PixelPoint{0, -40}, PixelPoint{33, 33}}) {
        pointer.moveBy(step, row.buttons);
        EXPECT_EQ(windowAt(skin), row.moves ? pointer.at() - grab : start);
    }
    pointer.release(row.buttons);
    EXPECT_EQ(skin.Width(), 150 * kTwipsPerPixel) << "a drag keeps the size";
}

INSTANTIATE_TEST_SUITE_P(
    , Form3Drag,
    ::testing::Values(DragRow{"Left", kLeftButton, true}, DragRow{"Right", kRightButton, false},
                      DragRow{"Middle", kMiddleButton, false},
                      DragRow{"LeftAndRight", kLeftButton | kRightButton, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace xmascard
