// SPDX-License-Identifier: MIT
#include "windows/skin.h"

#include "platform/region_calls.h"
#include "shaping/region_from_picture.h"

namespace xmascard {

void prepareSkinBox(PictureBox& box) {
    box.setScaleMode(ScaleMode::Pixels);
    box.setAutoRedraw(true);
    box.setAutoSize(true);
    box.setBorderStyle(BorderStyle::None);
}

RegionHandle fitWindowToBox(Form& window, const PictureBox& box) {
    window.setWidth(box.geometry().width.value);
    window.setHeight(box.geometry().height.value);
    RegionHandle region = RegionFromPicture(box);
    SetWindowRgn(window.hWnd(), region, Redraw::Yes);
    return region;
}

}  // namespace xmascard
