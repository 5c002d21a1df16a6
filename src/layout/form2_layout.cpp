// SPDX-License-Identifier: MIT
#include <vector>

#include "layout/assets.h"
#include "layout/companion_layouts.h"

namespace xmascard::layout {

namespace {

constexpr Color kPeach = RGB(255, 224, 192);
constexpr Color kNavy = RGB(0, 0, 128);

constexpr FormDesign kWindow{
    .name = "Form2",
    .caption = "Merry Christmas",
    .clientWidth = 3240,
    .clientHeight = 4395,
    .left = 1005,
    .top = -7005,
    .startUpPosition = StartUpPosition::Manual,
    .scaleMode = ScaleMode::Pixels,
    .icon = assets::kTreeIcon32,
};

// The thin red bars that frame the two panels: picture boxes showing only their colour.
ControlDesign bar(const char* name, float left, float top, float width, float height) {
    return {.kind = ControlKind::PictureBox,
            .name = name,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .border = BorderStyle::None,
            .backColor = RGB(255, 0, 0)};
}

ControlDesign dot(const char* name, float left, float top, Color fill) {
    return {.kind = ControlKind::Shape,
            .name = name,
            .left = left,
            .top = top,
            .width = 75,
            .height = 75,
            .fillStyle = FillStyle::Solid,
            .fillColor = fill,
            .shape = ShapeType::Circle};
}

ControlDesign panel(const char* name, float left, float top, Color hatch) {
    return {.kind = ControlKind::Shape,
            .name = name,
            .left = left,
            .top = top,
            .width = 2775,
            .height = 3900,
            .backColor = kPeach,
            .fillStyle = FillStyle::DiagonalCross,
            .fillColor = hatch,
            .backStyle = BackStyle::Opaque,
            .borderColor = RGB(255, 0, 0),
            .borderWidth = 2};
}

std::vector<ControlDesign> makeControls() {
    std::vector<ControlDesign> c;
    c.push_back({.kind = ControlKind::CommandButton,
                 .name = "CmdSave",
                 .left = 3525,
                 .top = 3855,
                 .width = 240,
                 .height = 240,
                 .visible = false,
                 .picture = assets::kSaveNormal,
                 .downPicture = assets::kSavePressed,
                 .disabledPicture = assets::kSaveNormal,
                 .backColor = RGB(64, 0, 0),
                 .toolTip = "Save Rerord"});
    c.push_back({.kind = ControlKind::TextBox,
                 .name = "Text2",
                 .left = 3540,
                 .top = 3900,
                 .width = 2625,
                 .height = 210,
                 .backColor = kPeach,
                 .foreColor = kNavy,
                 .text = "Sender",
                 .alignment = Alignment::Right,
                 .bordered = false,
                 .font = {.family = "Times New Roman", .points = 8.25f, .bold = true}});
    c.push_back(bar("Picture10", 3315, 0, 3160, 70));
    c.push_back(bar("Picture4", 3270, 40, 70, 4290));
    c.push_back(bar("Picture3", 6435, 40, 70, 4290));
    c.push_back(bar("Picture2", 3315, 4290, 3160, 70));
    c.push_back({.kind = ControlKind::TextBox,
                 .name = "Text1",
                 .left = 3615,
                 .top = 3300,
                 .width = 2520,
                 .height = 255,
                 .backColor = kPeach,
                 .foreColor = kNavy,
                 .text = "Receiver",
                 .alignment = Alignment::Center,
                 .bordered = false,
                 .font = {.family = "Times New Roman", .points = 9, .bold = true}});
    c.push_back(bar("Picture6", 40, 4290, 3160, 70));
    c.push_back(bar("Picture8", 3135, 40, 70, 4290));
    c.push_back(bar("Picture7", 0, 40, 70, 4290));
    c.push_back({.kind = ControlKind::PictureBox,
                 .name = "Picture5",
                 .left = 405,
                 .top = 420,
                 .width = 2400,
                 .height = 3570,
                 .picture = assets::kMadonna,
                 .autoSize = true,
                 .cursor = assets::kOpenHand});
    c.push_back({.kind = ControlKind::Shape,
                 .name = "Shape3",
                 .container = "Picture5",
                 .left = 0,
                 .top = 0,
                 .width = 2580,
                 .height = 3690,
                 .fillStyle = FillStyle::DiagonalCross,
                 .fillColor = kPeach,
                 .borderVisible = false,
                 .drawMode = DrawMode::MaskPen});
    c.push_back({.kind = ControlKind::Label,
                 .name = "Label4",
                 .container = "Picture5",
                 .left = -1800,
                 .top = 2805,
                 .width = 1815,
                 .height = 645,
                 .backColor = kPeach,
                 .foreColor = RGB(128, 64, 0),
                 .backStyle = BackStyle::Opaque,
                 .text = " Born to you this day a Saviour Who is Christ the Lord",
                 .alignment = Alignment::Center,
                 .bordered = true,
                 .font = {.family = "Arial", .points = 8.25f, .bold = true, .italic = true}});
    c.push_back(bar("Picture1", 15, 0, 3160, 70));
    c.push_back({.kind = ControlKind::MediaPlayer,
                 .name = "MediaPlayer2",
                 .left = 3750,
                 .top = 405,
                 .width = 2235,
                 .height = 1755,
                 .media = {.playCount = 25, .volume = 0, .mute = true, .showControls = false}});
    c.push_back(dot("Shape14", 3600, 2415, RGB(192, 255, 255)));
    c.push_back(dot("Shape13", 5565, 2685, RGB(255, 255, 128)));
    c.push_back(dot("Shape12", 3585, 3090, RGB(255, 0, 0)));
    c.push_back(dot("Shape11", 5940, 3660, RGB(255, 0, 0)));
    c.push_back(dot("Shape10", 4680, 3750, RGB(255, 255, 0)));
    c.push_back(dot("Shape9", 5985, 3015, RGB(0, 255, 0)));
    c.push_back(dot("Shape8", 4440, 2640, RGB(0, 255, 0)));
    c.push_back(dot("Shape7", 3780, 3615, RGB(128, 128, 255)));
    c.push_back(dot("Shape6", 4500, 2250, RGB(255, 255, 192)));
    c.push_back(dot("Shape5", 5940, 2460, RGB(255, 192, 192)));
    c.push_back(dot("Shape4", 3765, 2640, RGB(255, 192, 255)));
    c.push_back({.kind = ControlKind::Label,
                 .name = "Label2",
                 .left = 3555,
                 .top = 3855,
                 .width = 2550,
                 .height = 210,
                 .visible = false,
                 .foreColor = kNavy,
                 .backStyle = BackStyle::Transparent,
                 .text = "With love",
                 .alignment = Alignment::Right,
                 .font = {.family = "Arial", .points = 8.25f, .bold = true}});
    c.push_back({.kind = ControlKind::Label,
                 .name = "Label1",
                 .left = 3645,
                 .top = 3330,
                 .width = 2550,
                 .height = 210,
                 .visible = false,
                 .foreColor = kNavy,
                 .backStyle = BackStyle::Transparent,
                 .text = "All Children",
                 .alignment = Alignment::Center,
                 .font = {.family = "Arial", .points = 8.25f, .bold = true}});
    c.push_back(panel("Shape1", 230, 255, kPeach));
    c.push_back({.kind = ControlKind::Image,
                 .name = "Image1",
                 .left = 3735,
                 .top = 2310,
                 .width = 2235,
                 .height = 900,
                 .picture = assets::kGreetingScript});
    c.push_back(panel("Shape2", 3495, 240, RGB(255, 192, 128)));
    return c;
}

}  // namespace

const FormDesign& form2Design() { return kWindow; }

std::span<const ControlDesign> form2Controls() {
    static const std::vector<ControlDesign> controls = makeControls();
    return controls;
}

}  // namespace xmascard::layout
