// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/units.h"

namespace xmascard {

class Form;
class PictureBox;

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

// A custom mouse pointer: an embedded picture and its hot spot. No picture: the default.
struct Cursor {
    const char* picture = nullptr;
    int hotX = 0;
    int hotY = 0;
    bool isDefault() const { return picture == nullptr; }
};

// Mouse buttons held, as the event handlers receive them (1 = left alone).
enum MouseButtons : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// A mouse event: the buttons held (for a press or release, the button that changed), the
// modifier keys, and the pointer position in the control's own scale.
struct MouseEvent {
    int Button = 0;
    int Shift = 0;
    float X = 0;
    float Y = 0;
};

enum class ZOrderPosition { Front = 0, Back = 1 };

// What changed on a control, so that a window redraws only what it must.
enum class Change { Geometry, Appearance, Visibility, Content };

// A control on a window. Its position and size are kept in twips exactly as written and read
// back in the scale of its container (the window, or the picture box that holds it).
class Control {
  public:
    Control(Form& form, ControlKind kind, std::string name, int index, PictureBox* container);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    Form& form() const { return form_; }
    // The picture box that holds this control, or nullptr when it sits on the window itself.
    PictureBox* Container() const { return container_; }
    // Shapes, labels and images are drawn by their container; the others are windows of
    // their own, drawn above them.
    bool isWindowless() const;

    float Left() const { return toScale(left_, containerScale()); }
    float Top() const { return toScale(top_, containerScale()); }
    float Width() const { return toScale(width_, containerScale()); }
    float Height() const { return toScale(height_, containerScale()); }
    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);
    void Move(float left, float top);

    // Geometry in twips, relative to the container's inner area, for the runtime.
    Twips leftTwips() const { return left_; }
    Twips topTwips() const { return top_; }
    Twips widthTwips() const { return width_; }
    Twips heightTwips() const { return height_; }
    void setGeometryTwips(Twips left, Twips top, Twips width, Twips height);

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);

    const Cursor& MousePointer() const { return cursor_; }
    void setMousePointer(const Cursor& cursor) { cursor_ = cursor; }
    const std::string& ToolTipText() const { return toolTip_; }
    void setToolTipText(std::string text) { toolTip_ = std::move(text); }

    // Brings the control to the front of its container's stacking order, or sends it back.
    void ZOrder(ZOrderPosition position);

    std::function<void()> Click;
    std::function<void(const MouseEvent&)> MouseDown;
    std::function<void(const MouseEvent&)> MouseMove;
    std::function<void(const MouseEvent&)> MouseUp;

    // The scale of this control's own coordinates (mouse positions, drawing).
    virtual ScaleMode ownScale() const { return containerScale(); }
    ScaleMode containerScale() const;

  protected:
    void changed(Change what);
    virtual void geometryChanged() {}

  private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    PictureBox* container_;
    Twips left_, top_, width_, height_;
    bool visible_ = true;
    bool enabled_ = true;
    Cursor cursor_;
    std::string toolTip_;
};

// Moves a control to the front (end) or the back (start) of a stacking order.
void moveInStack(std::vector<Control*>& stack, Control& control, ZOrderPosition position);

}  // namespace xmascard
