// SPDX-License-Identifier: MIT
#include "platform/form.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/controls/picture_box.h"
#include "platform/controls/shape.h"
#include "platform/form_ref.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

const std::array<ControlDesign, 2> kControls = {{
    {.kind = ControlKind::PictureBox,
     .name = "Box",
     .place = {150, 300, 1500, 750},
     .border = BorderStyle::None,
     .scaleMode = ScaleMode::Pixels},
    {.kind = ControlKind::Shape, .name = "Dot", .container = "Box", .place = {15, 30, 75, 75}},
}};

class Counted final : public Form {
  public:
    Counted(Runtime& r, int& loads)
        : Form(r,
               FormDesign{.name = "Counted",
                          .place = {0, 0, 3000, 1500},
                          .startUpPosition = StartUpPosition::CenterScreen},
               kControls),
          loads_(loads) {}
    void Form_Load() override {
        ++loads_;
        loadedLeft = Left();
    }
    float loadedLeft = -1;

  private:
    int& loads_;
};

TEST(FormRef, LoadsOnFirstReferenceAndAfreshAfterUnload) {
    testing::TestRuntime t{1000.0};
    int loads = 0;
    FormRef<Counted> ref([&] { return std::make_unique<Counted>(t.runtime, loads); });
    EXPECT_FALSE(ref.loaded());
    EXPECT_EQ(loads, 0);

    ref->setVisible(false);  // loads without showing
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(ref->Visible());
    ref->Show();
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(ref->Visible());

    Unload(*ref);
    EXPECT_FALSE(ref.loaded());
    t.runtime.sweep();
    EXPECT_FALSE(ref->Visible());  // a new, hidden instance
    EXPECT_EQ(loads, 2);
}

TEST(Form, KeepsPositionsExactlyAsWritten) {
    testing::TestRuntime t{1000.0};
    int loads = 0;
    Counted form(t.runtime, loads);
    // 500 twips is not a whole number of pixels; it must still read back as written.
    for (float v : {500.0f, -7005.0f, 1005.5f, 0.1f}) {
        form.setLeft(v);
        form.setTop(v);
        EXPECT_EQ(form.Left(), v);
        EXPECT_EQ(form.Top(), v);
    }
}

TEST(Form, ControlGeometryReadsInTheContainersScale) {
    testing::TestRuntime t{1000.0};
    int loads = 0;
    Counted form(t.runtime, loads);
    auto* box = dynamic_cast<PictureBox*>(form.find("Box"));
    auto* dot = dynamic_cast<Shape*>(form.find("Dot"));
    ASSERT_TRUE(box && dot);
    EXPECT_EQ(box->Left(), 150);  // on a twips window
    EXPECT_EQ(dot->Left(), 1);    // in a pixel box
    EXPECT_EQ(dot->Top(), 2);
    dot->setLeft(2.5f);
    EXPECT_EQ(dot->Left(), 2.5f);
    EXPECT_EQ(dot->geometry().left.value, 37.5f);
    form.setScaleMode(ScaleMode::Pixels);
    EXPECT_EQ(box->Left(), 10);
    box->setTop(7);
    EXPECT_EQ(box->geometry().top.value, 105);
}

TEST(Form, CentresOnTheScreenWhenFirstShown) {
    testing::TestRuntime t{1000.0};
    t.host.setScreen({1280, 800});
    int loads = 0;
    Counted form(t.runtime, loads);
    form.Show();
    EXPECT_EQ(form.Left(), (1280 - 200) / 2 * 15.0f);
    EXPECT_EQ(form.Top(), (800 - 100) / 2 * 15.0f);
    form.Hide();
    form.setLeft(30);
    form.Show();  // only the first showing centres
    EXPECT_EQ(form.Left(), 30);
}

TEST(Form, AutoSizedPictureBoxTakesPictureSizePlusBorder) {
    testing::TestRuntime t{1000.0};
    int loads = 0;
    Counted form(t.runtime, loads);
    auto* box = dynamic_cast<PictureBox*>(form.find("Box"));
    box->setPicture(testing::solidPicture(150, 163, RGB(1, 2, 3)));
    box->setAutoSize(true);
    struct Row {
        BorderStyle border;
        int width, height;
    };
    for (const Row& row : {Row{BorderStyle::None, 150, 163}, Row{BorderStyle::Flat, 152, 165},
                           Row{BorderStyle::Sunken, 154, 167}}) {
        box->setBorderStyle(row.border);
        EXPECT_EQ(box->geometry().width.value, row.width * 15.0f);
        EXPECT_EQ(box->geometry().height.value, row.height * 15.0f);
        EXPECT_EQ(box->ScaleWidth(), 150);
        EXPECT_EQ(box->ScaleHeight(), 163);
    }
}

}  // namespace
}  // namespace xmascard
