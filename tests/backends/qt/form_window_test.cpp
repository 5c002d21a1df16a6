// SPDX-License-Identifier: MIT
#include "backends/qt/form_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWindow>
#include <array>

#include "backends/qt/qt_host.h"
#include "platform/color.h"
#include "platform/controls/picture_box.h"
#include "platform/form.h"
#include "platform/media/audio_engine.h"
#include "backends/qt/window_outlines.h"
#include "platform/controls/text_box.h"
#include "platform/region_calls.h"
#include "support/test_graphics.h"

namespace xmascard {
namespace {

const std::array<ControlDesign, 1> kBox = {{
    {.kind = ControlKind::PictureBox,
     .name = "Box",
     .place = {0, 0, 1500, 750},
     .border = BorderStyle::None,
     .scaleMode = ScaleMode::Pixels},
}};

class Sky final : public Form {
  public:
    explicit Sky(Runtime& r)
        : Form(r, FormDesign{.name = "Sky", .place = {0, 0, 1500, 750}}, kBox) {}
};

// What the window shows on the (offscreen) screen, read from its backing store.
QImage shown(QWidget& window) {
    QCoreApplication::processEvents();
    return QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage();
}

// Every step of the snow clears the tree and draws hundreds of dots into it; each step's
// dots must reach the screen, the first step's and every later one's.
TEST(FormWindow, EveryStepOfDrawingReachesTheScreen) {
    VirtualClock clock;
    auto audio = media::AudioEngine::create(media::AudioEngine::Output::Silent);
    QtHost host;
    Runtime runtime(clock, *audio, host);
    Sky sky(runtime);
    auto& box = *dynamic_cast<PictureBox*>(sky.find("Box"));
    box.setPicture(testing::solidPicture(100, 50, RGB(0, 0, 0)));
    sky.Show();
    QWidget* window = QApplication::topLevelWidgets().value(0);
    ASSERT_NE(window, nullptr);

    const QRgb white = qRgb(255, 255, 255);
    for (int step = 0; step < 3; ++step) {
        const int x = 10 + 30 * step;
        box.Cls();
        for (int y = 10; y <= 40; y += 10) box.Circle(x, y, 2, QBColor(15));
        const QImage screen = shown(*window);
        for (int y = 10; y <= 40; y += 10) EXPECT_EQ(screen.pixel(x + 2, y), white) << step;
        if (step > 0) {
            EXPECT_NE(screen.pixel(x - 28, 10), white) << "cleared in step " << step;
        }
    }
}

// Outlines shown through the alpha channel, as under a compositor, with what was applied.
class AlphaOutlines final : public WindowOutlines {
  public:
    bool throughAlpha() const override { return true; }
    void apply(QWindow&, const QRegion& outline) const override { applied = outline; }
    mutable QRegion applied;
};

// A window cut to a rectangle: by default the cut goes to the window system and the window
// paints itself opaque; through the alpha channel the window system is handed the outline
// as well, and the window paints itself clear outside it and opaque inside, after moves too.
TEST(FormWindow, OutsideItsOutlineAWindowShownThroughAlphaIsClear) {
    VirtualClock clock;
    auto audio = media::AudioEngine::create(media::AudioEngine::Output::Silent);
    AlphaOutlines alpha;
    for (const bool throughAlpha : {false, true}) {
        QtHost host = throughAlpha ? QtHost(alpha) : QtHost();
        Runtime runtime(clock, *audio, host);
        Sky sky(runtime);
        dynamic_cast<PictureBox&>(*sky.find("Box"))
            .setPicture(testing::solidPicture(100, 50, RGB(200, 0, 0)));
        SetWindowRgn(sky.hWnd(), CreateRectRgn(10, 5, 60, 45), Redraw::Yes);
        sky.Show();
        QWidget* window = QApplication::topLevelWidgets().value(0);
        ASSERT_NE(window, nullptr);
        for (const float left : {0.0f, 300.0f}) {
            sky.setLeft(left);
            QCoreApplication::processEvents();
            QImage painted(window->size(), QImage::Format_ARGB32_Premultiplied);
            painted.fill(Qt::transparent);
            window->render(&painted);
            SCOPED_TRACE(::testing::Message()
                         << "through alpha " << throughAlpha << ", at " << left);
            EXPECT_EQ(painted.pixel(20, 20), qRgb(200, 0, 0));
            EXPECT_EQ(qAlpha(painted.pixel(70, 20)), throughAlpha ? 0 : 255);
            EXPECT_EQ(qAlpha(painted.pixel(5, 2)), throughAlpha ? 0 : 255);
        }
        EXPECT_EQ(alpha.applied, throughAlpha ? QRegion(10, 5, 50, 40) : QRegion());
    }
}

const std::array<ControlDesign, 1> kNameBox = {{
    {.kind = ControlKind::TextBox, .name = "Name", .place = {150, 150, 1200, 300}, .text = "To"},
}};

class Card final : public Form {
  public:
    explicit Card(Runtime& r)
        : Form(r, FormDesign{.name = "Card", .place = {0, 0, 1500, 750}}, kNameBox) {}
};

// A window the show creates hidden costs no widget, line edit or font until it is first
// shown; then it shows the form as it stands, with every change made meanwhile.
TEST(FormWindow, AWindowCreatedHiddenIsMadeWhenFirstShownAsItThenStands) {
    VirtualClock clock;
    auto audio = media::AudioEngine::create(media::AudioEngine::Output::Silent);
    QtHost host;
    Runtime runtime(clock, *audio, host);
    const auto windowsBefore = QApplication::topLevelWidgets().size();
    Card card(runtime);
    auto& name = *dynamic_cast<TextBox*>(card.find("Name"));
    card.Move(1500, 750);
    card.setRegion(Region(PixelRect::at(0, 0, 50, 20)));
    name.setText("Anna");
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);

    card.Show();
    ASSERT_EQ(QApplication::topLevelWidgets().size(), windowsBefore + 1);
    QWidget* window = QApplication::topLevelWidgets().last();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), QSize(100, 50));
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_EQ(window->windowHandle()->mask(), QRegion(0, 0, 50, 20));
    const auto* edit = window->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "Anna");
    EXPECT_EQ(edit->geometry(), QRect(10, 10, 80, 20));

    // Made once, it follows the form as before, hidden or shown.
    card.Hide();
    name.setText("Tom");
    card.setRegion(std::nullopt);
    EXPECT_EQ(edit->text(), "Tom");
    EXPECT_TRUE(window->windowHandle()->mask().isEmpty());
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace xmascard
