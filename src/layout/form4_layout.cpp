// SPDX-License-Identifier: MIT
#include <array>

#include "layout/assets.h"
#include "layout/companion_layouts.h"

namespace xmascard::layout {

namespace {

constexpr FormDesign kWindow{
    .name = "Form4",
    .caption = "Form4",
    .place = {0, 0, 3120, 2115},
    .startUpPosition = StartUpPosition::CenterScreen,
};

const std::array<ControlDesign, 1> kControls = {{
    {.kind = ControlKind::PictureBox,
     .name = "Picture1",
     .place = {0, 0, 3000, 1950},
     .picture = assets::kMerryChristmasPanel,
     .autoSize = true,
     .border = BorderStyle::None,
     .backColor = kWindowBackground,
     .foreColor = kWindowText},
}};

}  // namespace

const FormDesign& form4Design() { return kWindow; }
std::span<const ControlDesign> form4Controls() { return kControls; }

}  // namespace xmascard::layout
