// SPDX-License-Identifier: MIT
#include <array>

#include "layout/assets.h"
#include "layout/companion_layouts.h"

namespace xmascard::layout {

namespace {

constexpr FormDesign kWindow{
    .name = "Form5",
    .caption = "Form5",
    .place = {0, 0, 4275, 2580},
    .startUpPosition = StartUpPosition::Manual,
};

constexpr ControlDesign clickArea(int index, float left, float top, float width, float height) {
    return {.kind = ControlKind::Label,
            .name = "Label4",
            .index = index,
            .container = "picMessage",
            .place = {left, top, width, height},
            .foreColor = RGB(128, 0, 0),
            .backStyle = BackStyle::Transparent,
            .alignment = Alignment::Center};
}

const std::array<ControlDesign, 5> kControls = {{
    {.kind = ControlKind::PictureBox,
     .name = "picMessage",
     .place = {0, 0, 4140, 2415},
     .picture = assets::kSpeechBubble,
     .autoSize = true,
     .cursor = assets::kProhibitedHand},
    clickArea(3, 540, 285, 2580, 225),
    clickArea(1, 315, 1170, 3000, 405),
    {.kind = ControlKind::Label,
     .name = "Label4",
     .index = 0,
     .container = "picMessage",
     .place = {330, 735, 3135, 360},
     .foreColor = RGB(0, 0, 0),
     .backStyle = BackStyle::Transparent,
     .text = "Yulemora CARTA STEILTEI SE E-MAIL STOYS FILOYS SOY!!",
     .alignment = Alignment::Center},
    {.kind = ControlKind::Label,
     .name = "Label5",
     .container = "picMessage",
     .place = {285, 495, 3090, 285},
     .foreColor = RGB(0, 0, 192),
     .cursor = assets::kPointingHand,
     .backStyle = BackStyle::Transparent,
     .alignment = Alignment::Center,
     .font = {.family = "Arial", .points = 8.25f, .underline = true}},
}};

}  // namespace

const FormDesign& form5Design() { return kWindow; }
std::span<const ControlDesign> form5Controls() { return kControls; }

}  // namespace xmascard::layout
