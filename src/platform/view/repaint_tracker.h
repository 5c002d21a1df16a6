// SPDX-License-Identifier: MIT
#pragma once

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/controls/control.h"
#include "platform/geometry.h"

namespace xmascard {

// Which parts of a window a change of one of its controls asks to repaint: where the
// control is now and, when it moved, resized, hid or showed, where it was painted before.
// A change of content while the control already waits for a repaint asks for nothing more
// (the snow draws over three hundred dots a step).
class RepaintTracker {
  public:
    std::vector<PixelRect> changed(const Control& control, Change what);
    // The window painted: every area asked for so far is done.
    void painted() { contentPending_.clear(); }

  private:
    std::unordered_map<const Control*, PixelRect> painted_;
    std::unordered_set<const Control*> contentPending_;
};

}  // namespace xmascard
