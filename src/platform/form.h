// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/controls/control.h"
#include "platform/form_design.h"
#include "platform/geometry.h"
#include "platform/region.h"
#include "platform/units.h"
#include "platform/view/form_view.h"

namespace xmascard {

class Runtime;
class PictureBox;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// The native handle of a window, for the region calls.
struct WindowHandle {
    class Form* form = nullptr;
};

// A top-level window with its controls. Its position and size are screen twips, kept exactly
// as written; the screen shows them rounded to whole pixels.
class Form {
  public:
    Form(Runtime& runtime, const FormDesign& design, std::span<const ControlDesign> controls);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Event handlers a window may define.
    virtual void Form_Load() {}
    virtual void Form_Resize() {}

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    Color BackColor() const { return backColor_; }
    const char* icon() const { return icon_; }
    bool borderless() const { return borderless_; }
    bool showInTaskbar() const { return showInTaskbar_; }

    float Left() const { return geometry_.left.value; }
    float Top() const { return geometry_.top.value; }
    float Width() const { return geometry_.width.value; }
    float Height() const { return geometry_.height.value; }
    // Where the window lies on the screen, in twips as written.
    const TwipsRect& geometry() const { return geometry_; }
    void setLeft(float twips);
    void setTop(float twips);
    void setWidth(float twips);
    void setHeight(float twips);
    void Move(float left, float top);

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    void Show();
    void Hide() { setVisible(false); }
    void ZOrder(ZOrderPosition position = ZOrderPosition::Front);

    ScaleMode scaleMode() const { return scaleMode_; }
    void setScaleMode(ScaleMode mode) { scaleMode_ = mode; }
    // Inner size in the window's scale, and unit conversion between scales.
    float ScaleWidth() const;
    float ScaleHeight() const;
    float ScaleX(float value, ScaleMode from, ScaleMode to) const;
    float ScaleY(float value, ScaleMode from, ScaleMode to) const;
    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state);
    FrameMetrics frame() const;

    WindowHandle hWnd() { return {this}; }
    // The window's shape; no value: the whole rectangle.
    const RegionHandle& region() const { return region_; }
    void setRegion(RegionHandle region);

    // Every control, in the order the window created them.
    const std::vector<Control*>& Controls() const { return order_; }
    // Controls that sit on the window itself, bottom of the stacking order first.
    const std::vector<Control*>& children() const { return children_; }
    Control* find(const std::string& name, int index = -1) const;

    Runtime& runtime() const { return runtime_; }
    FormView* view() const { return view_.get(); }
    void attachView(std::unique_ptr<FormView> view);
    // Called by controls when they change, so the view can redraw.
    void controlChanged(Control& control, Change what);
    void restack(Control& control, ZOrderPosition position);

    // Unloads the window: it disappears and its state is discarded.
    std::function<void()> onUnload;
    bool everShown() const { return everShown_; }

  protected:
    template <class T>
    T& control(const std::string& name, int index = -1) const;

  private:
    void buildControls(std::span<const ControlDesign> controls);
    void sizeChanged();
    void notify(Change what);

    Runtime& runtime_;
    std::string name_;
    std::string caption_;
    Color backColor_;
    const char* icon_;
    bool borderless_;
    bool showInTaskbar_;
    StartUpPosition startUpPosition_;
    ScaleMode scaleMode_;
    TwipsRect geometry_;
    bool visible_ = false;
    bool everShown_ = false;
    WindowState windowState_ = WindowState::Normal;
    RegionHandle region_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> order_;
    std::vector<Control*> children_;
    std::unique_ptr<FormView> view_;
};

template <class T>
T& Form::control(const std::string& name, int index) const {
    Control* c = find(name, index);
    T* typed = dynamic_cast<T*>(c);
    if (!typed) throw std::logic_error("window " + name_ + " has no control " + name);
    return *typed;
}

// Ends the program at once: timers stop, no window's unload handling runs.
void End(Runtime& runtime);

}  // namespace xmascard
