// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"
#include "platform/picture.h"
#include "platform/view/pointer_input.h"
#include "support/test_runtime.h"

namespace xmascard::testing {

// The window's top-left corner on the screen, in whole pixels.
inline PixelPoint windowAt(const Form& form) {
    return {devicePixels(Twips{form.Left()}), devicePixels(Twips{form.Top()})};
}

// The mouse on the screen over one window, handed to the window's pointer input as a window
// system would hand it: the control under the pointer takes the press and keeps the mouse
// until the release. Positions inside the window are measured from where it is now, so a
// window that moves under a still pointer sees the pointer move.
class Pointer {
  public:
    explicit Pointer(Form& form) : form_(form), input_(form) {}

    void press(PixelPoint screen, int button) {
        at_ = screen;
        input_.press(at_ - windowAt(form_), at_, button, 0);
    }
    void moveBy(PixelPoint delta, int buttons) {
        at_ = at_ + delta;
        input_.move(at_ - windowAt(form_), at_, buttons, 0);
    }
    void release(int button) { input_.release(at_ - windowAt(form_), at_, button, 0, 0); }
    PixelPoint at() const { return at_; }

  private:
    Form& form_;
    PointerInput input_;
    PixelPoint at_;
};

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
