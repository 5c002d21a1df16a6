// SPDX-License-Identifier: MIT
#include "windows/form2_card.h"

#include <gtest/gtest.h>

#include "windows/window_test_support.h"

namespace xmascard {
namespace {

using testing::Pointer;
using testing::TestRuntime;
using testing::windowAt;

// Counts how often the save button appeared or disappeared.
class VisibilityCounter final : public FormView {
  public:
    explicit VisibilityCounter(const Control& watched) : watched_(watched) {}
    void formChanged(Change) override {}
    void controlChanged(Control& c, Change what) override {
        if (&c == &watched_ && what == Change::Visibility) ++changes;
    }
    void regionChanged() override {}
    void raise() override {}
    FrameMetrics frame() const override { return {}; }
    int changes = 0;

  private:
    const Control& watched_;
};

struct EditRow {
    const char* name;
    bool receiver;  // which box is edited first
};

class Form2Edit : public ::testing::TestWithParam<EditRow> {};

TEST_P(Form2Edit, TheFirstEditRevealsTheSaveButtonForGood) {
    TestRuntime t;
    Form2 card(t.runtime);
    card.Form_Load();
    auto counter = std::make_unique<VisibilityCounter>(card.CmdSave);
    VisibilityCounter& seen = *counter;
    card.attachView(std::move(counter));
    ASSERT_FALSE(card.CmdSave.Visible());

    TextBox& first = GetParam().receiver ? card.Text1 : card.Text2;
    TextBox& other = GetParam().receiver ? card.Text2 : card.Text1;
    first.setText("Anna");
    EXPECT_TRUE(card.CmdSave.Visible());
    first.setText("Anna and Paul");
    other.setText("Maria");
    first.setText("");
    EXPECT_TRUE(card.CmdSave.Visible());
    EXPECT_EQ(seen.changes, 1);
}

INSTANTIATE_TEST_SUITE_P(, Form2Edit,
                         ::testing::Values(EditRow{"Receiver", true}, EditRow{"Sender", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// What the user types into a name goes by the rule of the names given on the command line,
// except that a name may be blank on its way; an edit the rule refuses leaves the name as
// it was.
TEST(Form2, TypedNamesFollowTheRuleOfGivenNames) {
    TestRuntime t;
    Form2 card(t.runtime);
    card.Form_Load();
    const bool chineseDrawn = t.runtime.host().graphics().undrawable("圣诞", Font{}).empty();
    const struct {
        std::string typed;
        bool taken;
    } rows[] = {
        {"Anna", true},
        {"", true},
        {"   ", true},
        {std::string(40, 'a'), true},
        {std::string(41, 'a'), false},
        {std::string(310, 'a'), false},
        {"Anna\u202egnp.exe", false},
        {"Anna\tMaria", false},
        {"Zo\u00eb \u00c5ngstr\u00f6m", true},
        {"圣诞", chineseDrawn},
    };
    for (TextBox* box : {&card.Text1, &card.Text2}) {
        for (const auto& row : rows) {
            box->setText("before");
            box->userEdit(row.typed);
            EXPECT_EQ(box->Text(), row.taken ? row.typed : "before") << row.typed;
        }
    }
}

struct DragRow {
    const char* name;
    int buttons;
    bool moves;
};

class Form2Drag : public ::testing::TestWithParam<DragRow> {};

// The painting keeps twips while the window's position is twips too: a drag by whole pixels
// moves the window by exactly those pixels and keeps the grab point under the pointer.
TEST_P(Form2Drag, ThePaintingDragsTheCardWithTheLeftButtonAlone) {
    const DragRow& row = GetParam();
    TestRuntime t;
    Form2 card(t.runtime);
    card.Form_Load();
    card.Move(1005, 900);
    const PixelPoint start = windowAt(card);
    Pointer pointer(card);
    const PixelPoint grab{100, 150};
    pointer.press(start + grab, row.buttons);
    for (const PixelPoint step : {PixelPoint{5, 0}, PixelPoint{-31, 17}, PixelPoint{2, -60}}) {
        pointer.moveBy(step, row.buttons);
        EXPECT_EQ(windowAt(card), row.moves ? pointer.at() - grab : start);
    }
    EXPECT_EQ(card.Left() - 1005, row.moves ? (5 - 31 + 2) * kTwipsPerPixel : 0);
}

INSTANTIATE_TEST_SUITE_P(
    , Form2Drag,
    ::testing::Values(DragRow{"Left", kLeftButton, true}, DragRow{"Right", kRightButton, false},
                      DragRow{"NoButton", 0, false},
                      DragRow{"LeftAndRight", kLeftButton | kRightButton, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The card's shape follows its controls whenever it is resized or restored, but a minimized
// card keeps the shape it had.
TEST(Form2, ReshapesOnResizeAndRestoreButNotWhileMinimized) {
    TestRuntime t;
    Form2 card(t.runtime);
    card.Form_Load();
    const PixelPoint receiver{20, 10};  // a point of the left panel's inside, cut away so far
    ASSERT_TRUE(card.region()->contains(2, 100)) << "the left red bar";
    ASSERT_FALSE(card.region()->contains(receiver.x, receiver.y));

    card.setWindowState(WindowState::Minimized);
    card.Text1.Move(receiver.x, receiver.y);
    card.setWidth(card.Width() + 15);
    EXPECT_FALSE(card.region()->contains(receiver.x, receiver.y));

    card.setWindowState(WindowState::Normal);
    EXPECT_TRUE(card.region()->contains(receiver.x, receiver.y));

    card.Text2.Move(20, 200);
    card.setHeight(card.Height() + 15);
    EXPECT_TRUE(card.region()->contains(25, 205));
}

}  // namespace
}  // namespace xmascard
