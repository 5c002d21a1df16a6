// SPDX-License-Identifier: MIT
#pragma once

#include "backends/qt/window_outlines.h"

namespace xmascard {

// Window outlines on an X server. Without a compositing manager the windows are cut to their
// outlines with the bounding shape, as by default. Under one (a selection owner of
// _NET_WM_CM_Sn, as GNOME Shell, KWin, wlroots compositors and Weston are for XWayland, and
// X11 compositors such as picom) the windows get a 32-bit ARGB visual and are painted
// transparent outside their outlines, keep their whole rectangle as the bounding shape, and
// take the pointer only inside their outlines (the input shape). Whether a compositor runs
// is asked once, when this is made.
class X11Outlines final : public WindowOutlines {
  public:
    X11Outlines();

    bool throughAlpha() const override { return composited_; }
    void apply(QWindow& window, const QRegion& outline) const override;

  private:
    bool composited_ = false;
};

}  // namespace xmascard
