// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"
#include "platform/region.h"

namespace xmascard {

// The classic region calls, over Region values. Handles pass to the window at once, so
// nothing is deleted by hand.

enum class CombineMode { Or = 2, Diff = 4 };
enum class Redraw { No, Yes };

Region CreateRectRgn(int left, int top, int right, int bottom);
// dest = a (mode) b.
void CombineRgn(Region& dest, const Region& a, const Region& b, CombineMode mode);
// The window shows only the region from now on; no region: its whole rectangle.
void SetWindowRgn(WindowHandle window, RegionHandle region, Redraw redraw);

}  // namespace xmascard
