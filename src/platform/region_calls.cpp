// SPDX-License-Identifier: MIT
#include "platform/region_calls.h"

namespace xmascard {

Region CreateRectRgn(int left, int top, int right, int bottom) {
    return Region(PixelRect{left, top, right, bottom});
}

void CombineRgn(Region& dest, const Region& a, const Region& b, CombineMode mode) {
    dest = mode == CombineMode::Or ? a.united(b) : a.subtracted(b);
}

void SetWindowRgn(WindowHandle window, RegionHandle region, Redraw) {
    if (window.form) window.form->setRegion(std::move(region));
}

}  // namespace xmascard
