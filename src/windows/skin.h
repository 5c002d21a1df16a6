// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/picture_box.h"
#include "platform/form.h"

namespace xmascard {

// Prepares a picture box to shape its window: pixel scale, a persistent drawing whose pixels
// can be read before the window is shown, the picture's own size, no border.
void prepareSkinBox(PictureBox& box);

// Gives the window the box's size and cuts it to the outline of the box's drawing. Returns
// the region handed to the window.
RegionHandle fitWindowToBox(Form& window, const PictureBox& box);

// Both, in that order: how a window is fitted to its picture.
inline RegionHandle applySkin(Form& window, PictureBox& box) {
    prepareSkinBox(box);
    return fitWindowToBox(window, box);
}

}  // namespace xmascard
