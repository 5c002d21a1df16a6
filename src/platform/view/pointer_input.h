// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/control.h"
#include "platform/geometry.h"

namespace xmascard {

class Form;

// The front-most control under a point of a window's client area that takes the mouse:
// windowed controls lie above windowless ones, later ones in the stacking order above
// earlier ones; a picture box passes the point on to the controls it holds.
Control* controlAt(const Form& form, PixelPoint at);

// A mouse event as a control receives it: the position inside the control (a picture box:
// inside its border), in the control's own scale, measured from where the window is now,
// so a window that moves under a still pointer sees the pointer move.
MouseEvent mouseEventFor(const Control& control, PixelPoint onScreen, int buttons, int shift);

// What a window does with the mouse. A press goes to the control under the pointer, which
// then keeps the mouse until every button is up; moves go to that control, or to the one
// under the pointer; a left press and release on the same control is a click. Positions
// are given twice: in the window's client area (what is under the pointer) and on the
// screen (where the handlers see it).
class PointerInput {
  public:
    explicit PointerInput(Form& form) : form_(form) {}

    void press(PixelPoint inWindow, PixelPoint onScreen, int button, int shift);
    // Returns the control under the pointer when none holds the mouse (for its cursor and
    // tool tip), else null.
    const Control* move(PixelPoint inWindow, PixelPoint onScreen, int buttons, int shift);
    // `stillHeld`: the buttons held after this one was let go.
    void release(PixelPoint inWindow, PixelPoint onScreen, int button, int stillHeld, int shift);

    // A control holds the mouse: the cursor stays as it is until it lets go.
    bool holding() const { return captured_ != nullptr; }

  private:
    Form& form_;
    Control* captured_ = nullptr;
};

}  // namespace xmascard
