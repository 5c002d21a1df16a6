// SPDX-License-Identifier: MIT
#include "backends/qt/player_faces.h"

#include <QWidget>

#include "backends/qt/qt_colors.h"
#include "platform/controls/control_geometry.h"
#include "platform/controls/media_player.h"
#include "platform/form.h"

namespace xmascard {

namespace {

constexpr int kRepaintMilliseconds = 250;

const MediaPlayer* showingTune(const Control* control) {
    const auto* player = dynamic_cast<const MediaPlayer*>(control);
    return player && player->shownTune() ? player : nullptr;
}

}  // namespace

PlayerFaces::PlayerFaces(QWidget& window, const Form& form) : window_(window), form_(form) {
    timer_.setInterval(kRepaintMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &PlayerFaces::repaint);
}

void PlayerFaces::controlChanged(const Control& control) {
    if (!timer_.isActive() && showingTune(&control)) timer_.start();
}

void PlayerFaces::repaint() {
    if (!window_.isVisible()) return;
    for (const Control* control : form_.Controls())
        if (const MediaPlayer* player = showingTune(control); player && player->Visible())
            window_.update(toQRect(controlRectInForm(*player)));
}

}  // namespace xmascard
