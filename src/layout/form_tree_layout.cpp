// SPDX-License-Identifier: MIT
#include "layout/form_tree_layout.h"

#include <array>
#include <vector>

#include "layout/assets.h"

namespace xmascard::layout {

namespace {

constexpr std::array<LightDesign, 24> kLights = {{
    {1, 1470, 1995, RGB(128, 128, 255), RGB(128, 128, 255)},
    {2, 1890, 2460, RGB(128, 0, 128), RGB(128, 0, 128)},
    {3, 1335, 2880, RGB(128, 0, 128), RGB(128, 0, 128)},
    {4, 2300, 1095, RGB(255, 0, 0), RGB(255, 0, 0)},
    {5, 1155, 3360, RGB(192, 192, 255), RGB(192, 192, 255)},
    {6, 540, 3585, RGB(255, 128, 255), RGB(255, 192, 255)},
    {7, 1065, 4020, RGB(128, 255, 255), RGB(128, 255, 255)},
    {8, 2745, 2825, RGB(0, 192, 192), RGB(0, 192, 192)},
    {9, 3180, 2715, RGB(255, 0, 0), RGB(255, 0, 0)},
    {10, 2415, 1425, RGB(0, 0, 255), RGB(0, 0, 255)},
    {11, 1530, 4830, RGB(255, 0, 0), RGB(255, 0, 0)},
    {12, 1725, 4245, RGB(255, 0, 0), RGB(255, 0, 0)},
    {13, 2310, 3735, RGB(0, 0, 192), RGB(0, 0, 128)},
    {14, 3375, 3615, RGB(0, 255, 0), RGB(128, 255, 128)},
    {15, 3345, 2340, RGB(128, 128, 255), RGB(128, 128, 255)},
    {16, 990, 4950, RGB(0, 0, 255), RGB(0, 0, 255)},
    {17, 2790, 3960, RGB(255, 128, 255), RGB(255, 192, 255)},
    {18, 3585, 3300, RGB(255, 128, 0), RGB(255, 128, 0)},
    {19, 3525, 4455, RGB(0, 128, 0), RGB(0, 128, 0)},
    {20, 2220, 2805, RGB(255, 0, 0), RGB(255, 0, 0)},
    {21, 2385, 4605, RGB(255, 128, 0), RGB(255, 128, 0)},
    {22, 2895, 4575, RGB(255, 0, 0), RGB(255, 0, 0)},
    {23, 2175, 3270, RGB(192, 192, 192), RGB(192, 192, 192)},
    {24, 1905, 1980, RGB(192, 192, 192), RGB(192, 192, 192)},
}};

constexpr FormDesign kWindow{
    .name = "FormTree",
    .caption = "Merry Christmas and Happy New Year",
    .backColor = RGB(255, 255, 255),
    .place = {0, 0, 9150, 6660},
    .startUpPosition = StartUpPosition::CenterScreen,
    .icon = assets::kTreeIcon32,
    .showInTaskbar = true,
};

ControlDesign timer(const char* name, int interval, bool enabled, const char* container) {
    return {.kind = ControlKind::Timer,
            .name = name,
            .container = container,
            .interval = interval,
            .enabled = enabled};
}

ControlDesign light(const LightDesign& l) {
    return {.kind = ControlKind::Shape,
            .name = "PCircle",
            .index = l.index,
            .container = "PictureTree",
            .place = {l.left, l.top, 225, 225},
            .fillStyle = FillStyle::Solid,
            .fillColor = l.fill,
            .shape = ShapeType::Circle,
            .borderColor = l.border,
            .drawMode = DrawMode::MaskPen};
}

ControlDesign greeting(const char* name, const char* picture, float left, float top, float width,
                       float height, ScaleMode scale, DrawStyle drawStyle) {
    return {.kind = ControlKind::PictureBox,
            .name = name,
            .place = {left, top, width, height},
            .picture = picture,
            .autoSize = true,
            .border = BorderStyle::Flat,
            .backColor = kWindowBackground,
            .foreColor = kWindowText,
            .scaleMode = scale,
            .fillStyle = scale == ScaleMode::Pixels ? FillStyle::Solid : FillStyle::Transparent,
            .fillColor = scale == ScaleMode::Pixels ? RGB(255, 255, 255) : 0,
            .drawStyle = drawStyle};
}

std::vector<ControlDesign> makeControls() {
    std::vector<ControlDesign> c;
    c.push_back(
        {.kind = ControlKind::PictureBox, .name = "Picture2", .place = {4815, 900, 2235, 1770}});
    c.push_back(greeting("PicHappyNewYear", assets::kHappyNewYear, 5355, 1365, 2850, 4590,
                         ScaleMode::Twips, DrawStyle::Solid));
    c.push_back(greeting("PicSeasonsGreating", assets::kSeasonsGreetings, 5175, 750, 2355, 3180,
                         ScaleMode::Pixels, DrawStyle::Solid));
    c.push_back(timer("TimerAnimation", 1, true, ""));
    c.push_back({.kind = ControlKind::PictureBox,
                 .name = "PictureTree",
                 .place = {0, 30, 4590, 6015},
                 .picture = assets::kTree,
                 .border = BorderStyle::None,
                 .backColor = RGB(255, 255, 255),
                 .fillStyle = FillStyle::Solid,
                 .fillColor = RGB(255, 255, 255),
                 .cursor = assets::kTreeCursor});
    c.push_back(timer("Timer1", 10, false, "PictureTree"));
    c.push_back(timer("TimerEnd", 1, false, "PictureTree"));
    c.push_back(timer("TimerRandomLight", 1, false, "PictureTree"));
    c.push_back(timer("TimerLightOnOff", 1, false, "PictureTree"));
    c.push_back(timer("TimerSelectiveLight", 1, false, "PictureTree"));
    c.push_back({.kind = ControlKind::PictureBox,
                 .name = "Picture1",
                 .container = "PictureTree",
                 .place = {1200, 5640, 270, 270},
                 .picture = assets::kHelpButton,
                 .autoSize = true,
                 .border = BorderStyle::None,
                 .backColor = RGB(183, 184, 9),
                 .cursor = assets::kPointingHand});
    c.push_back(timer("TimerShapeTree", 500, true, "PictureTree"));
    c.push_back(timer("TimerSnow", 1, false, "PictureTree"));
    c.push_back({.kind = ControlKind::Image,
                 .name = "Image2",
                 .container = "PictureTree",
                 .place = {2325, 5655, 435, 225},
                 .picture = assets::kPlug,
                 .cursor = assets::kPointingHand,
                 .toolTip = "Exit"});
    for (auto it = kLights.rbegin(); it != kLights.rend(); ++it) c.push_back(light(*it));
    c.push_back({.kind = ControlKind::Shape,
                 .name = "ShapeTree",
                 .container = "PictureTree",
                 .place = {3000, 105, 780, 795},
                 .backColor = RGB(255, 0, 0),
                 .fillStyle = FillStyle::UpwardDiagonal,
                 .fillColor = RGB(255, 255, 192),
                 .backStyle = BackStyle::Transparent});
    c.push_back(greeting("PicMerryChristmas", assets::kMerryChristmas, 7350, 810, 1905, 2925,
                         ScaleMode::Pixels, DrawStyle::Invisible));
    c.push_back({.kind = ControlKind::MediaPlayer,
                 .name = "MediaPlayer2",
                 .place = {7065, 120, 1755, 390},
                 .media = {.playCount = 15, .volume = media::Volume(-400), .showTracker = false}});
    c.push_back({.kind = ControlKind::MediaPlayer,
                 .name = "MediaPlayer1",
                 .place = {4920, 210, 2130, 390},
                 .media = {.playCount = 1, .volume = media::Volume(-400), .showTracker = false}});
    return c;
}

}  // namespace

const FormDesign& formTreeDesign() { return kWindow; }

std::span<const ControlDesign> formTreeControls() {
    static const std::vector<ControlDesign> controls = makeControls();
    return controls;
}

std::span<const LightDesign> treeLights() { return kLights; }

}  // namespace xmascard::layout
