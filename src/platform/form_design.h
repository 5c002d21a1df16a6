// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "platform/color.h"
#include "platform/control_settings.h"
#include "platform/drawing.h"
#include "platform/font.h"
#include "platform/media/volume.h"
#include "platform/units.h"

namespace xmascard {

// The kinds of controls a window's design can hold.
enum class ControlKind {
    PictureBox,
    Shape,
    Label,
    TextBox,
    Image,
    CommandButton,
    Timer,
    MediaPlayer
};

// Where a window lies on the screen (its client area's size), or a control in its container:
// twips.
struct Place {
    float left = 0, top = 0, width = 0, height = 0;
};

// Where a window first appears.
enum class StartUpPosition { Manual, CenterScreen, WindowsDefault };

// The design-time state of a window.
struct FormDesign {
    const char* name = "";
    const char* caption = "";
    Color backColor = kButtonFace;
    Place place = {};  // on the screen; the size is the client area's
    StartUpPosition startUpPosition = StartUpPosition::WindowsDefault;
    ScaleMode scaleMode = ScaleMode::Twips;
    const char* icon = nullptr;  // embedded picture; nullptr: none of its own
    bool borderless = true;
    bool showInTaskbar = false;
};

// Settings of a media player control.
struct MediaDesign {
    bool autoStart = true;
    int playCount = 1;
    media::Volume volume = media::kFullVolume;
    bool mute = false;
    bool showControls = true;
    bool showAudioControls = true;
    bool showTracker = true;
};

// The design-time state of one control. Settings a kind does not use are ignored; unset
// optional settings take the kind's standard default.
struct ControlDesign {
    ControlKind kind = ControlKind::PictureBox;
    const char* name = "";
    int index = -1;              // element of a control array, or -1
    const char* container = "";  // the picture box holding it; "" = the window
    Place place = {};            // twips, in the container
    bool visible = true;
    const char* picture = nullptr;
    const char* downPicture = nullptr;
    const char* disabledPicture = nullptr;
    bool autoSize = false;
    std::optional<BorderStyle> border = std::nullopt;
    std::optional<Color> backColor = std::nullopt;
    std::optional<Color> foreColor = std::nullopt;
    ScaleMode scaleMode = ScaleMode::Twips;
    FillStyle fillStyle = FillStyle::Transparent;
    Color fillColor = 0;
    DrawStyle drawStyle = DrawStyle::Solid;
    Cursor cursor = {};
    const char* toolTip = "";
    int interval = 0;
    bool enabled = true;
    ShapeType shape = ShapeType::Rectangle;
    std::optional<BackStyle> backStyle = std::nullopt;
    Color borderColor = kWindowText;
    int borderWidth = 1;
    bool borderVisible = true;
    DrawMode drawMode = DrawMode::CopyPen;
    const char* text = "";  // caption of a label, text of a text box
    Alignment alignment = Alignment::Left;
    std::optional<bool> bordered = std::nullopt;  // labels and text boxes
    Font font = {};
    MediaDesign media = {};
};

}  // namespace xmascard
