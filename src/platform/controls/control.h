// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/control_settings.h"
#include "platform/geometry.h"
#include "platform/units.h"

namespace xmascard {

class Canvas;
class Form;
class PictureBox;
struct ControlDesign;

// Mouse buttons held, as the event handlers receive them (1 = left alone).
enum MouseButtons : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
// Modifier keys held during a mouse event, likewise.
enum ShiftKeys : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

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

// Whether text boxes are drawn with the window (recordings, tests) or are live edit
// controls of the window system, drawn by it.
enum class TextBoxes { Painted, Live };

// A control on a window. Its position and size are kept in twips exactly as written and read
// back in the scale of its container (the window, or the picture box that holds it). Each
// kind applies its own design-time settings, paints itself and says whether it takes the
// mouse.
class Control {
  public:
    Control(Form& form, std::string name, int index, PictureBox* container);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    Form& form() const { return form_; }
    // The picture box that holds this control, or nullptr when it sits on the window itself.
    PictureBox* Container() const { return container_; }

    // The settings of the control's kind from its design, its place and size among them;
    // the factory applies the settings every kind shares.
    virtual void applyDesign(const ControlDesign& design);
    // Shapes, labels and images are drawn by their container; the others are windows of
    // their own, drawn above them.
    virtual bool isWindowless() const { return false; }
    // Shapes, timers and media players let the mouse through to what lies under them.
    virtual bool takesMouse() const { return true; }
    // Draws the control into `area`, its rectangle in the canvas's coordinates.
    virtual void paint(Canvas&, const PixelRect& /*area*/, TextBoxes) const {}
    // The mouse is pressed on the control, or let go (a button shows its pressed face).
    virtual void setPressed(bool) {}

    float Left() const { return toScale(geometry_.left, containerScale()); }
    float Top() const { return toScale(geometry_.top, containerScale()); }
    float Width() const { return toScale(geometry_.width, containerScale()); }
    float Height() const { return toScale(geometry_.height, containerScale()); }
    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);
    void Move(float left, float top);

    // Geometry in twips, relative to the container's inner area, for the runtime.
    const TwipsRect& geometry() const { return geometry_; }
    void setGeometry(const TwipsRect& geometry);

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
    // Sets a property and tells the window, only when the value changes.
    template <class T, class V>
    void set(T& property, V&& value, Change what) {
        if (property == value) return;
        property = std::forward<V>(value);
        changed(what);
    }
    virtual void geometryChanged() {}

  private:
    // Sets one side of the geometry from a value in the container's scale.
    void setEdge(Twips TwipsRect::*edge, float v);

    Form& form_;
    std::string name_;
    int index_;
    PictureBox* container_;
    TwipsRect geometry_;
    bool visible_ = true;
    bool enabled_ = true;
    Cursor cursor_;
    std::string toolTip_;
};

// Moves a control to the front (end) or the back (start) of a stacking order.
void moveInStack(std::vector<Control*>& stack, Control& control, ZOrderPosition position);

}  // namespace xmascard
