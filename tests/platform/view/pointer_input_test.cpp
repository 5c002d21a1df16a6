// SPDX-License-Identifier: MIT
#include "platform/view/pointer_input.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/form.h"
#include "platform/form_design.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

// Overlapping controls on a 100 x 100 pixel window (places in twips): a label made first,
// two picture boxes over it, the second holding an image, and a shape over everything.
const std::array<ControlDesign, 5> kControls = {{
    {.kind = ControlKind::Label, .name = "Label", .place = {0, 0, 1500, 1500}},
    {.kind = ControlKind::PictureBox, .name = "Low", .place = {0, 0, 750, 750}},
    {.kind = ControlKind::PictureBox,
     .name = "High",
     .place = {300, 300, 750, 750},
     .border = BorderStyle::None},
    {.kind = ControlKind::Image, .name = "Inner", .container = "High", .place = {0, 0, 150, 150}},
    {.kind = ControlKind::Shape, .name = "Cover", .place = {0, 0, 1500, 1500}},
}};

class Overlaps final : public Form {
  public:
    explicit Overlaps(Runtime& r)
        : Form(r, FormDesign{.name = "Overlaps", .place = {0, 0, 1500, 1500}}, kControls) {}
};

TEST(ControlAt, WindowedAboveWindowlessLaterAboveEarlierAndABoxPassesThePointOn) {
    testing::TestRuntime t;
    Overlaps form(t.runtime);
    const struct {
        PixelPoint at;
        const char* expected;  // nullptr: nothing takes the mouse there
    } rows[] = {
        {{5, 5}, "Low"},       // the label lies under both boxes; the shape lets it through
        {{25, 25}, "Inner"},   // the later box is above the earlier, and passes on to its image
        {{35, 35}, "High"},    // inside the later box, beside its image
        {{80, 80}, "Label"},   // windowless, but nothing windowed is there
        {{120, 20}, nullptr},  // outside every control
    };
    for (const auto& row : rows) {
        const Control* hit = controlAt(form, row.at);
        EXPECT_EQ(hit ? hit->Name() : "nothing", row.expected ? row.expected : "nothing")
            << "at " << row.at.x << "," << row.at.y;
    }
    form.find("High")->setVisible(false);
    EXPECT_EQ(controlAt(form, {25, 25})->Name(), "Low");
}

}  // namespace
}  // namespace xmascard
