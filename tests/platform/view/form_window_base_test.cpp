// SPDX-License-Identifier: MIT
#include "platform/view/form_window_base.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "platform/controls/media_player.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/text_box.h"
#include "platform/region.h"
#include "support/test_graphics.h"
#include "support/test_runtime.h"

namespace xmascard {
namespace {

constexpr Cursor kHand{"cursors/hand_point.png", 12, 1};

// A window of 200 x 100 pixels at (100, 100): a picture box on its left half holding a text
// box and a plug with a cursor and a tool tip, a windowless dot, and a media player.
const std::array<ControlDesign, 5> kControls = {{
    {.kind = ControlKind::PictureBox,
     .name = "Box",
     .place = {0, 0, 1500, 1500},
     .border = BorderStyle::None,
     .scaleMode = ScaleMode::Pixels},
    {.kind = ControlKind::TextBox,
     .name = "Edit",
     .container = "Box",
     .place = {150, 150, 600, 300}},
    {.kind = ControlKind::Image,
     .name = "Plug",
     .container = "Box",
     .place = {750, 750, 300, 300},
     .cursor = kHand,
     .toolTip = "Exit"},
    {.kind = ControlKind::Shape, .name = "Dot", .place = {1800, 300, 300, 300}},
    {.kind = ControlKind::MediaPlayer, .name = "Player", .place = {1650, 900, 1200, 450}},
}};

class Panel final : public Form {
  public:
    explicit Panel(Runtime& r)
        : Form(r, FormDesign{.name = "Panel", .place = {1500, 1500, 3000, 1500}}, kControls) {}
};

std::string str(const PixelRect& r) {
    std::ostringstream out;
    out << r.left << ' ' << r.top << ' ' << r.width() << ' ' << r.height();
    return out.str();
}

// The backend's side, written down: each hook the policy calls, one line each.
class FakeWindow final : public FormWindowBase {
  public:
    explicit FakeWindow(Form& form) : FormWindowBase(form) { syncWithForm(); }
    FrameMetrics frame() const override { return {}; }

    std::vector<std::string> calls;
    // The calls since the last look, and forgets them.
    std::vector<std::string> take() { return std::exchange(calls, {}); }

  protected:
    void place(const PixelRect& where) override { calls.push_back("place " + str(where)); }
    void showWindow(WindowState state) override {
        calls.push_back(state == WindowState::Minimized ? "show minimized" : "show");
    }
    void hideWindow() override { calls.push_back("hide"); }
    void raiseWindow() override { calls.push_back("raise"); }
    void invalidate(const std::optional<PixelRect>& area) override {
        calls.push_back("invalidate " + (area ? str(*area) : std::string("all")));
    }
    void setShape(const Region* region) override {
        calls.push_back(!region ? "shape none" : region->isEmpty() ? "shape empty" : "shape");
    }
    void setCursor(const Cursor& cursor) override {
        calls.push_back(std::string("cursor ") + (cursor.picture ? cursor.picture : "arrow"));
    }
    void setToolTip(const std::string& text) override { calls.push_back("tip " + text); }
    void holdMouse(bool hold) override { calls.push_back(hold ? "hold" : "let go"); }
    void syncEdit(const TextBox& box, const PixelRect& where, bool shown) override {
        calls.push_back("edit " + box.Text() + " at " + str(where) + (shown ? "" : " hidden"));
    }
    void runFaceTimer(bool running) override {
        calls.push_back(running ? "faces on" : "faces off");
    }
};

struct Fixture {
    testing::TestRuntime t;
    Panel panel{t.runtime};
    FakeWindow* window = nullptr;
    PictureBox& box = *dynamic_cast<PictureBox*>(panel.find("Box"));
    TextBox& edit = *dynamic_cast<TextBox*>(panel.find("Edit"));
    Control& plug = *panel.find("Plug");
    MediaPlayer& player = *dynamic_cast<MediaPlayer*>(panel.find("Player"));

    Fixture() {
        auto view = std::make_unique<FakeWindow>(panel);
        window = view.get();
        panel.attachView(std::move(view));
    }
    std::vector<std::string> take() { return window->take(); }
};

using Calls = std::vector<std::string>;

TEST(FormWindowBase, KeepsTheSystemsWindowInStepWithTheForm) {
    Fixture f;
    EXPECT_EQ(f.take(), (Calls{"place 100 100 200 100", "invalidate all", "edit  at 10 10 40 20"}));

    f.panel.Show();
    EXPECT_EQ(f.take(), (Calls{"place 100 100 200 100", "show", "raise"}));
    // A move asks for no repaint: what the window shows goes with it. A new size does.
    f.panel.Move(3000, 1500);
    EXPECT_EQ(f.take(), (Calls{"place 200 100 200 100"}));
    f.panel.setWidth(4500);
    EXPECT_EQ(f.take(), (Calls{"place 200 100 300 100", "invalidate all"}));
    f.panel.setWindowState(WindowState::Minimized);
    f.panel.Hide();
    f.panel.Show();
    EXPECT_EQ(f.take(), (Calls{"place 200 100 300 100", "show minimized", "place 200 100 300 100",
                               "hide", "place 200 100 300 100", "show minimized"}));
    f.window->stateChanged(WindowState::Normal);  // the user restored it
    EXPECT_EQ(f.panel.windowState(), WindowState::Normal);
    EXPECT_EQ(f.take(), (Calls{"place 200 100 300 100", "show", "raise"}));

    f.panel.setRegion(Region(PixelRect{0, 0, 10, 10}));
    f.panel.setRegion(Region());
    f.panel.setRegion(std::nullopt);
    EXPECT_EQ(f.take(), (Calls{"shape", "shape empty", "shape none"}));
}

TEST(FormWindowBase, CursorAndToolTipFollowTheControlUnderThePointerUnlessOneHoldsIt) {
    Fixture f;
    f.panel.Show();
    int clicks = 0;
    f.plug.Click = [&] { ++clicks; };
    f.take();
    const PixelPoint plug{60, 60}, dot{125, 25}, screen{100, 100};

    f.window->pointerMoved(plug, plug + screen, 0, 0);
    EXPECT_EQ(f.take(), (Calls{"cursor cursors/hand_point.png", "tip Exit"}));
    EXPECT_EQ(f.window->toolTipAt(plug), "Exit");
    // The dot lets the mouse through: nothing is under the pointer there.
    f.window->pointerMoved(dot, dot + screen, 0, 0);
    EXPECT_EQ(f.take(), (Calls{"cursor arrow", "tip "}));
    EXPECT_EQ(f.window->toolTipAt(dot), "");

    // A press holds the mouse until every button is up; the cursor stays meanwhile, and a
    // release away from the control is no click.
    f.window->pointerPressed(plug, plug + screen, kLeftButton, 0);
    f.window->pointerMoved(dot, dot + screen, kLeftButton, 0);
    f.window->pointerPressed(dot, dot + screen, kRightButton, kShiftKey);
    f.window->pointerReleased(dot, dot + screen, kRightButton, kLeftButton, kShiftKey);
    f.window->pointerReleased(dot, dot + screen, kLeftButton, 0, 0);
    EXPECT_EQ(f.take(), (Calls{"hold", "hold", "let go"}));
    EXPECT_EQ(clicks, 0);
    // A left press and release on the same control is a click.
    f.window->pointerPressed(plug, plug + screen, kLeftButton, 0);
    f.window->pointerReleased(plug, plug + screen, kLeftButton, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST(FormWindowBase, TextBoxesShowWhereTheirChainOfContainersShowsAndTakeWhatIsTyped) {
    Fixture f;
    f.take();
    f.box.Move(225, 450);  // 15 and 30 pixels: the box moves, its text box with it
    EXPECT_EQ(f.take(), (Calls{"edit  at 25 40 40 20", "invalidate 15 30 100 100"}));
    // Once seen somewhere, a control that moves asks for its old place and its new one; its
    // drawing asks once until the window has painted.
    f.box.Move(0, 0);
    f.box.Cls();
    f.box.Cls();
    EXPECT_EQ(f.take(), (Calls{"edit  at 10 10 40 20", "invalidate 15 30 100 100",
                               "invalidate 0 0 100 100", "invalidate 0 0 100 100"}));
    f.window->paint(testing::testGraphics().makeImage(200, 100, 0)->canvas());
    f.box.Cls();
    EXPECT_EQ(f.take(), (Calls{"invalidate 0 0 100 100"}));
    f.box.setVisible(false);
    EXPECT_EQ(f.take().front(), "edit  at 10 10 40 20 hidden");
    f.edit.setVisible(true);  // already visible: nothing to do
    f.box.setVisible(true);
    EXPECT_EQ(f.take().front(), "edit  at 10 10 40 20");

    f.window->textEdited(f.edit, "Anna");
    EXPECT_EQ(f.edit.Text(), "Anna");
    EXPECT_EQ(f.take(), (Calls{"edit Anna at 10 10 40 20"}));
}

TEST(FormWindowBase, APlayerShowingATuneHasItsFaceRepaintedWhileTheWindowShows) {
    Fixture f;
    f.take();
    f.window->faceTimerFired();
    EXPECT_EQ(f.take(), Calls{});  // no face yet
    f.player.showTune(&f.player, "Silent Night");
    f.player.showTune(&f.player, "Silent Night, again");
    const Calls started = f.take();
    EXPECT_EQ(std::count(started.begin(), started.end(), "faces on"), 1);

    f.window->faceTimerFired();
    EXPECT_EQ(f.take(), Calls{});  // the window is hidden
    f.panel.Show();
    f.take();
    f.window->faceTimerFired();
    EXPECT_EQ(f.take(), (Calls{"invalidate 110 60 80 30"}));
}

TEST(FormWindowBase, AClosedWindowEndsTheCard) {
    Fixture f;
    EXPECT_FALSE(f.t.runtime.ended());
    f.window->closeRequested();
    EXPECT_TRUE(f.t.runtime.ended());
}

}  // namespace
}  // namespace xmascard
