// SPDX-License-Identifier: MIT
#include "shaping/transparent_form.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls/picture_box.h"
#include "windows/window_test_support.h"

namespace xmascard {
namespace {

// A view that only reports a frame: a title bar of `top` pixels and borders of `side`.
class FramedView final : public FormView {
  public:
    explicit FramedView(FrameMetrics frame) : frame_(frame) {}
    void formChanged(Change) override {}
    void controlChanged(Control&, Change) override {}
    void regionChanged() override {}
    void raise() override {}
    FrameMetrics frame() const override { return frame_; }

  private:
    FrameMetrics frame_;
};

constexpr float px(float pixels) { return pixels * kTwipsPerPixel; }

// A window of 300 x 200 pixels outside, laid out in twips, with a picture box holding a label
// that reaches beyond it, and a label on the window itself.
const FormDesign kWindow{.name = "Shaped", .place = {0, 0, px(300), px(200)}};

const ControlDesign kControls[] = {
    {.kind = ControlKind::PictureBox, .name = "Box", .place = {px(10), px(20), px(50), px(40)}},
    {.kind = ControlKind::Label,
     .name = "Inside",
     .container = "Box",
     .place = {px(30), px(5), px(100), px(10)}},
    {.kind = ControlKind::Label, .name = "Apart", .place = {px(100), px(20), px(30), px(10)}},
};

struct Row {
    const char* name;
    FrameMetrics frame;
    bool withControls;
    bool apartHidden;
};

class TransparentFormCases : public ::testing::TestWithParam<Row> {};

// The window keeps its frame and the rectangles of the controls that sit on it, shifted by
// the frame; everything else of its inside is cut away.
TEST_P(TransparentFormCases, KeepsTheFrameAndTheControlsOnTheWindow) {
    const Row& row = GetParam();
    testing::TestRuntime t;
    Form form(t.runtime, kWindow,
              row.withControls ? std::span<const ControlDesign>(kControls)
                               : std::span<const ControlDesign>());
    form.attachView(std::make_unique<FramedView>(row.frame));
    if (row.apartHidden) form.find("Apart")->setVisible(false);

    TransparentForm(form);

    const int b = row.frame.side, top = row.frame.top;
    Region expected =
        Region(PixelRect{0, 0, 300, 200}).subtracted(Region(PixelRect{b, top, 300 - b, 200 - b}));
    if (row.withControls)
        for (const PixelRect& r : {PixelRect{10, 20, 60, 60}, PixelRect{100, 20, 130, 30}})
            expected = expected.united(
                Region(PixelRect{r.left + b, r.top + top, r.right + b, r.bottom + top}));
    ASSERT_TRUE(form.region().has_value()) << "an empty shape is a shape, not none";
    EXPECT_EQ(*form.region(), expected);
    EXPECT_EQ(form.scaleMode(), ScaleMode::Pixels);
}

INSTANTIATE_TEST_SUITE_P(
    , TransparentFormCases,
    ::testing::Values(Row{"Borderless", {}, true, false},
                      Row{"Framed", {.side = 4, .top = 30}, true, false},
                      Row{"HiddenControlStillCounts", {}, true, true},
                      Row{"BorderlessWithoutControlsVanishes", {}, false, false},
                      Row{"FramedWithoutControlsIsItsFrame", {.side = 3, .top = 22}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TransparentForm, AMinimizedWindowKeepsItsShape) {
    testing::TestRuntime t;
    Form form(t.runtime, kWindow, kControls);
    TransparentForm(form);
    const RegionHandle before = form.region();
    form.setWindowState(WindowState::Minimized);
    form.setScaleMode(ScaleMode::Twips);
    form.find("Apart")->Move(px(200), px(150));

    TransparentForm(form);

    EXPECT_EQ(*form.region(), *before);
    EXPECT_EQ(form.scaleMode(), ScaleMode::Pixels);
}

}  // namespace
}  // namespace xmascard
