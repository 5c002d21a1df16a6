// SPDX-License-Identifier: MIT
#pragma once

#include <QRegion>

class QPainter;
class QWindow;

namespace xmascard {

// How the outline of a window reaches the window system.
//
// By default a window is cut to its outline (on X11 the bounding shape of the X Shape
// extension): the display shows nothing of it outside, and the pointer passes through.
// Where a compositor draws the desktop from each window's pixels, the cut is not always
// honoured: wlroots compositors and Weston ignore X shapes, and KWin applies a changed shape
// only when the window next moves or is mapped, showing pixels that left the outline. Every
// compositor honours a window's alpha channel, so there a window has one, is painted
// transparent outside its outline and is cut for the pointer only (see X11Outlines).
class WindowOutlines {
  public:
    virtual ~WindowOutlines() = default;

    // Whether windows are shown through their alpha channel. Asked as each window is made.
    virtual bool throughAlpha() const { return false; }

    // Gives a native window its outline; an empty region means the whole rectangle.
    virtual void apply(QWindow& window, const QRegion& outline) const;
};

// Clears to transparent what lies outside the outline (empty: the whole rectangle, nothing
// to clear) within the painted region, after the window has painted itself there.
void clearOutside(QPainter& painter, const QRegion& painted, const QRegion& outline);

}  // namespace xmascard
