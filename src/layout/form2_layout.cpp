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
    .place = {1005, -7005, 3240, 4395},
    .startUpPosition = StartUpPosition::Manual,
    .scaleMode = ScaleMode::Pixels,
    .icon = assets::kTreeIcon32,
};

// The thin red bars that frame the two panels: picture boxes showing only their colour.
ControlDesign bar(const char* name, float left, float top, float width, float height) {
    return {.kind = ControlKind::PictureBox,
            .name = name,
            .place = {left, top, width, height},
            .border = BorderStyle::None,
            .backColor = RGB(255, 0, 0)};
}

ControlDesign dot(const char* name, float left, float top, Color fill) {
    return {.kind = ControlKind::Shape,
            .name = name,
            .place = {left, top, 75, 75},
            .fillStyle = FillStyle::Solid,
            .fillColor = fill,
            .shape = ShapeType::Circle};
}

ControlDesign panel(const char* name, float left, float top, Color hatch) {
    return {.kind = ControlKind::Shape,
            .name = name,
            .place = {left, top, 2775, 3900},
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
                 .place = {3525, 3855, 240, 240},
                 .visible = false,
                 .picture = assets::kSaveNormal,
                 .downPicture = assets::kSavePressed,
                 .disabledPicture = assets::kSaveNormal,
                 .backColor = RGB(64, 0, 0),
                 .toolTip = "Save Rerord"});
    c.push_back({.kind = ControlKind::TextBox,
                 .name = "Text2",
                 .place = {3540, 3900, 2625, 210},
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
                 .place = {3615, 3300, 2520, 255},
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
                 .place = {405, 420, 2400, 3570},
                 .picture = assets::kMadonna,
                 .autoSize = true,
                 .cursor = assets::kOpenHand});
    c.push_back({.kind = ControlKind::Shape,
                 .name = "Shape3",
                 .container = "Picture5",
                 .place = {0, 0, 2580, 3690},
                 .fillStyle = FillStyle::DiagonalCross,
                 .fillColor = kPeach,
                 .borderVisible = false,
                 .drawMode = DrawMode::MaskPen});
    c.push_back({.kind = ControlKind::Label,
                 .name = "Label4",
                 .container = "Picture5",
                 .place = {-1800, 2805, 1815, 645},
                 .backColor = kPeach,
                 .foreColor = RGB(128, 64, 0),
                 .backStyle = BackStyle::Opaque,
                 .text = " Born to you this day a Saviour Who is Christ the Lord",
                 .alignment = Alignment::Center,
                 .bordered = true,
                 .font = {.family = "Arial", .points = 8.25f, .bold = true, .italic = true}});
    c.push_back(bar("Picture1", 15, 0, 3160, 70));
    c.push_back(
        {.kind = ControlKind::MediaPlayer,
         .name = "MediaPlayer2",
         .place = {3750, 405, 2235, 1755},
         .media = {
             .playCount = 25, .volume = media::Volume(0), .mute = true, .showControls = false}});
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
                 .place = {3555, 3855, 2550, 210},
                 .visible = false,
                 .foreColor = kNavy,
                 .backStyle = BackStyle::Transparent,
                 .text = "With love",
                 .alignment = Alignment::Right,
                 .font = {.family = "Arial", .points = 8.25f, .bold = true}});
    c.push_back({.kind = ControlKind::Label,
                 .name = "Label1",
                 .place = {3645, 3330, 2550, 210},
                 .visible = false,
                 .foreColor = kNavy,
                 .backStyle = BackStyle::Transparent,
                 .text = "All Children",
                 .alignment = Alignment::Center,
                 .font = {.family = "Arial", .points = 8.25f, .bold = true}});
    c.push_back(panel("Shape1", 230, 255, kPeach));
    c.push_back({.kind = ControlKind::Image,
                 .name = "Image1",
                 .place = {3735, 2310, 2235, 900},
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
