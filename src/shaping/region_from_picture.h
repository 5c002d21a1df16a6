// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/picture_box.h"
#include "platform/region.h"

namespace xmascard {

// The window region of a picture box's current drawing: every pixel whose colour differs
// from the top-left pixel's (the key colour) belongs to it. Each maximal run of such pixels
// in a row is one rectangle, one pixel high. The box is expected in pixel scale without a
// border; the scan covers its inner size in pixels. No value when no pixel differs.
RegionHandle RegionFromPicture(const PictureBox& box);

// The same region, built the straightforward way: one pixel read at a time and one union per
// run. Slower by far; kept as the reference that the fast scan is checked against.
RegionHandle RegionFromPictureByPixelReads(const PictureBox& box);

}  // namespace xmascard
