// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <memory>

#include "platform/clock.h"
#include "platform/form.h"
#include "platform/form_painter.h"
#include "platform/media/audio_engine.h"
#include "platform/picture.h"
#include "platform/runtime.h"

namespace xmascard::testing {

// A runtime on a virtual clock with no sound, as every window test needs.
struct TestRuntime {
    VirtualClock clock;
    std::unique_ptr<media::AudioEngine> audio =
        media::AudioEngine::create(media::AudioEngine::Output::Silent);
    Runtime runtime{clock, *audio};
    VirtualLoop loop{runtime, clock};
};

// The mouse on the screen, as the window view reports it to one control: the position inside
// the control (a picture box: inside its border), in the control's own scale, measured from
// where the window is now. A window that moves under a still pointer thus sees it move.
class Pointer {
  public:
    Pointer(const Form& form, Control& control) : form_(form), control_(control) {}

    void press(QPoint screen, int button) {
        at_ = screen;
        control_.MouseDown(event(button));
    }
    void moveBy(QPoint delta, int buttons) {
        at_ += delta;
        control_.MouseMove(event(buttons));
    }
    void release(int button) { control_.MouseUp(event(button)); }
    QPoint at() const { return at_; }

  private:
    MouseEvent event(int buttons) const {
        const QPoint window(devicePixels(Twips{form_.Left()}), devicePixels(Twips{form_.Top()}));
        QRect inside = controlRectInForm(control_);
        if (control_.kind() == ControlKind::PictureBox)
            inside = innerRectInForm(static_cast<const PictureBox&>(control_));
        const QPoint local = at_ - window - inside.topLeft();
        const ScaleMode scale = control_.ownScale();
        return {buttons, 0, toScale(toTwips(Pixels{static_cast<float>(local.x())}), scale),
                toScale(toTwips(Pixels{static_cast<float>(local.y())}), scale)};
    }

    const Form& form_;
    Control& control_;
    QPoint at_;
};

// The window's top-left corner in whole pixels.
inline QPoint windowAt(const Form& form) {
    return {devicePixels(Twips{form.Left()}), devicePixels(Twips{form.Top()})};
}

// The number of pixels where a window's region disagrees with its picture's outline: every
// pixel that differs from the top-left one belongs to the window, every other does not.
inline int pixelsOffOutline(const RegionHandle& region, const Picture& picture) {
    int wrong = 0;
    const Color key = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((region && region->contains(x, y)) != (picture.pixel(x, y) != key)) ++wrong;
    return wrong;
}

}  // namespace xmascard::testing
