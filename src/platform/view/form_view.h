// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/control.h"

namespace xmascard {

// The frame around a window's client area, in pixels: the width of one side border and the
// height of the title bar plus the top border. Zero for a borderless window.
struct FrameMetrics {
    int side = 0;
    int top = 0;
};

// What shows a window on a screen. The runtime works without one (recordings, some tests);
// with one, every change of the window or its controls is passed on to it.
class FormView {
  public:
    virtual ~FormView() = default;
    virtual void formChanged(Change what) = 0;
    virtual void controlChanged(Control& control, Change what) = 0;
    virtual void regionChanged() = 0;
    virtual void raise() = 0;
    virtual FrameMetrics frame() const = 0;
};

}  // namespace xmascard
