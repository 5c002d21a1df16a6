// SPDX-License-Identifier: MIT
#include "backends/qt/form_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <array>

#include "backends/qt/qt_host.h"
#include "platform/color.h"
#include "platform/controls/picture_box.h"
#include "platform/form.h"
#include "platform/media/audio_engine.h"
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

}  // namespace
}  // namespace xmascard
