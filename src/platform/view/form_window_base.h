// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/view/form_view.h"
#include "platform/view/pointer_input.h"
#include "platform/view/repaint_tracker.h"

namespace xmascard {

class Canvas;
class Region;
class TextBox;

// What a window on a screen does for a Form, whatever system shows it: it keeps the system's
// window in step with the form (place, visibility, shape, what needs repainting), passes the
// mouse to the form's controls, chooses the cursor and the tool tip from the control under
// the pointer, keeps the live text boxes in step with theirs, and repaints a media player's
// face while it shows a tune's time. A backend turns its system's events into the calls
// below and does the rest through the hooks, each one small thing on its system.
class FormWindowBase : public FormView {
  public:
    explicit FormWindowBase(Form& form);

    void formChanged(Change what) final;
    void controlChanged(Control& control, Change what) final;
    void regionChanged() final;
    void raise() final { raiseWindow(); }

    // The pointer, as the system reports it: where it is in the window's client area and on
    // the screen; a button (kLeftButton, ...) that changed, or the buttons held; the
    // modifier keys held (kShiftKey, ...).
    void pointerPressed(PixelPoint inWindow, PixelPoint onScreen, int button, int shift);
    void pointerMoved(PixelPoint inWindow, PixelPoint onScreen, int buttons, int shift);
    // `stillHeld`: the buttons held after this one was let go.
    void pointerReleased(PixelPoint inWindow, PixelPoint onScreen, int button, int stillHeld,
                         int shift);
    // The tool tip of the control at a point of the client area; empty when it has none.
    std::string toolTipAt(PixelPoint inWindow) const;
    // Paints the window; every area asked for so far is then done.
    void paint(Canvas& canvas);
    // The system asks the window to close (a window manager's close, Alt+F4): the windows
    // have no close box, so that ends the card, as the plug does.
    void closeRequested();
    // The system minimized or restored the window.
    void stateChanged(WindowState state);
    // The user typed into the live edit of a text box: the box takes it if its rule accepts
    // it, else it keeps its text and the edit is brought back in step with it.
    void textEdited(TextBox& box, std::string text);
    // The players' faces show time that moves on by itself: while one shows a tune, the
    // backend calls this every kFaceRepaintMilliseconds (see runFaceTimer).
    void faceTimerFired();
    static constexpr int kFaceRepaintMilliseconds = 250;

    // Brings a new window in step with its form: its place and its text boxes. The backend
    // calls it once, at the end of its constructor, when the hooks can run.
    void syncWithForm();

    Form& form() const { return form_; }
    // The form's text boxes, which the backend shows as live edits of its system.
    std::vector<TextBox*> textBoxes() const;

  protected:
    // Puts the window's client area at this place on the screen, at this size.
    virtual void place(const PixelRect& where) = 0;
    // Shows the window (normal or minimized) without taking the focus, if it is not shown
    // so already; hides it.
    virtual void showWindow(WindowState state) = 0;
    virtual void hideWindow() = 0;
    // Brings the window above the others, without taking the focus.
    virtual void raiseWindow() = 0;
    // Asks for a repaint of an area of the client area; none: all of it.
    virtual void invalidate(const std::optional<PixelRect>& area) = 0;
    // Cuts the window to a region of its client area; null: no shape, the whole rectangle.
    // An empty region hides all of it.
    virtual void setShape(const Region* region) = 0;
    virtual void setCursor(const Cursor& cursor) = 0;
    // Systems that show a tool tip as the pointer moves are told the text under it (empty:
    // none); the others ask toolTipAt when the pointer rests.
    virtual void setToolTip(const std::string& /*text*/) {}
    // A control holds the mouse from a press until every button is up, also outside the
    // window; systems that do not give a pressed window the mouse by themselves grab it here.
    virtual void holdMouse(bool /*hold*/) {}
    // Brings a text box's live edit in step with the box: font, colours, alignment, text,
    // place in the client area, and whether it shows (it does when the box and every
    // picture box around it are visible).
    virtual void syncEdit(const TextBox& box, const PixelRect& where, bool shown) = 0;
    // Starts or stops calling faceTimerFired every kFaceRepaintMilliseconds.
    virtual void runFaceTimer(bool running) = 0;

  private:
    void syncPlace();
    void syncVisibility();
    void syncEdits();
    void syncEdit(const TextBox& box);
    // Starts the face timer when `control` is a player showing its tune.
    void followFace(const Control& control);

    Form& form_;
    PointerInput pointer_;
    RepaintTracker repaints_;
    PixelRect placed_{};
    bool faceTimerRunning_ = false;
};

}  // namespace xmascard
