// SPDX-License-Identifier: MIT
#include <array>

#include "layout/assets.h"
#include "layout/companion_layouts.h"

namespace xmascard::layout {

namespace {

constexpr FormDesign kWindow{
    .name = "Form3",
    .caption = "Form1",
    .place = {0, 0, 2430, 2595},
    .startUpPosition = StartUpPosition::WindowsDefault,
};

// The four frames are only stored: they lie right of the client area and are never seen.
constexpr ControlDesign frame(int index, float left, float top) {
    return {.kind = ControlKind::PictureBox,
            .name = "Picture1",
            .index = index,
            .place = {left, top, 1005, 765},
            .picture = assets::kCherub[index - 1]};
}

const std::array<ControlDesign, 6> kControls = {{
    frame(4, 5520, 1515),
    frame(3, 4125, 1515),
    frame(2, 5505, 420),
    frame(1, 4155, 420),
    {.kind = ControlKind::Timer, .name = "Timer1", .interval = 1, .enabled = true},
    {.kind = ControlKind::PictureBox,
     .name = "picMainSkin",
     .place = {0, 0, 2310, 2505},
     .picture = assets::kCherub[0],
     .autoSize = true,
     .cursor = assets::kOpenHand},
}};

}  // namespace

const FormDesign& form3Design() { return kWindow; }
std::span<const ControlDesign> form3Controls() { return kControls; }

}  // namespace xmascard::layout
