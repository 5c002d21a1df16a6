// SPDX-License-Identifier: MIT
#include "platform/view/form_window_base.h"

#include <algorithm>

#include "platform/controls/control_geometry.h"
#include "platform/controls/media_player.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/text_box.h"
#include "platform/paint_controls.h"
#include "platform/runtime.h"

namespace xmascard {

namespace {

const MediaPlayer* showingTune(const Control* control) {
    const auto* player = dynamic_cast<const MediaPlayer*>(control);
    return player && player->shownTune() ? player : nullptr;
}

}  // namespace

FormWindowBase::FormWindowBase(Form& form) : form_(form), pointer_(form) {}

std::vector<TextBox*> FormWindowBase::textBoxes() const {
    std::vector<TextBox*> boxes;
    for (Control* control : form_.Controls())
        if (auto* box = dynamic_cast<TextBox*>(control)) boxes.push_back(box);
    return boxes;
}

void FormWindowBase::syncPlace() {
    const PixelRect r = form_.geometry().pixels();
    const PixelRect where =
        PixelRect::at(r.left, r.top, std::max(1, r.width()), std::max(1, r.height()));
    const bool resized =
        where.width() != placed_.width() || where.height() != placed_.height();
    placed_ = where;
    place(where);
    // A move needs no repaint of its own: what the window shows goes with it. A window that
    // changes its size shows more, or less, of its picture.
    if (resized) invalidate(std::nullopt);
}

void FormWindowBase::syncWithForm() {
    syncPlace();
    syncEdits();
    // A window made late finds its players already showing their tunes.
    for (const Control* control : form_.Controls()) followFace(*control);
}

void FormWindowBase::followFace(const Control& control) {
    if (faceTimerRunning_ || !showingTune(&control)) return;
    faceTimerRunning_ = true;
    runFaceTimer(true);
}

void FormWindowBase::syncVisibility() {
    if (!form_.Visible()) {
        hideWindow();
        return;
    }
    const bool minimized = form_.windowState() == WindowState::Minimized;
    showWindow(minimized ? WindowState::Minimized : WindowState::Normal);
    if (!minimized) raiseWindow();
}

void FormWindowBase::formChanged(Change what) {
    if (what == Change::Geometry) {
        syncPlace();
    } else if (what == Change::Visibility) {
        syncPlace();
        syncVisibility();
    } else {
        invalidate(std::nullopt);
    }
}

void FormWindowBase::controlChanged(Control& control, Change what) {
    if (const auto* box = dynamic_cast<const TextBox*>(&control)) {
        syncEdit(*box);  // its live edit draws it: the window has nothing to repaint
        return;
    }
    // A picture box that moves, hides or shows takes the text boxes it holds along.
    if (dynamic_cast<const PictureBox*>(&control) &&
        (what == Change::Geometry || what == Change::Visibility))
        syncEdits();
    followFace(control);
    // The system gathers every area asked for during a frame's ticks into one repaint.
    for (const PixelRect& area : repaints_.changed(control, what)) invalidate(area);
}

void FormWindowBase::regionChanged() {
    const RegionHandle& region = form_.region();
    setShape(region ? &*region : nullptr);
}

void FormWindowBase::syncEdits() {
    for (const TextBox* box : textBoxes()) syncEdit(*box);
}

void FormWindowBase::syncEdit(const TextBox& box) {
    bool shown = box.Visible();
    for (const PictureBox* p = box.Container(); p && shown; p = p->Container())
        shown = p->Visible();
    syncEdit(box, controlRectInForm(box), shown);
}

void FormWindowBase::pointerPressed(PixelPoint inWindow, PixelPoint onScreen, int button,
                                    int shift) {
    pointer_.press(inWindow, onScreen, button, shift);
    if (pointer_.holding()) holdMouse(true);
}

void FormWindowBase::pointerMoved(PixelPoint inWindow, PixelPoint onScreen, int buttons,
                                  int shift) {
    const Control* under = pointer_.move(inWindow, onScreen, buttons, shift);
    // The cursor and the tool tip follow the control under the pointer, unless a control
    // holds the mouse.
    if (pointer_.holding()) return;
    setCursor(under ? under->MousePointer() : Cursor{});
    setToolTip(under ? under->ToolTipText() : std::string());
}

void FormWindowBase::pointerReleased(PixelPoint inWindow, PixelPoint onScreen, int button,
                                     int stillHeld, int shift) {
    pointer_.release(inWindow, onScreen, button, stillHeld, shift);
    if (!pointer_.holding()) holdMouse(false);
}

std::string FormWindowBase::toolTipAt(PixelPoint inWindow) const {
    const Control* over = controlAt(form_, inWindow);
    return over ? over->ToolTipText() : std::string();
}

void FormWindowBase::paint(Canvas& canvas) {
    repaints_.painted();  // a paint covers every area asked for since the last one
    paintForm(canvas, form_, TextBoxes::Live);
}

void FormWindowBase::closeRequested() { form_.runtime().End(); }

void FormWindowBase::stateChanged(WindowState state) { form_.setWindowState(state); }

void FormWindowBase::textEdited(TextBox& box, std::string text) {
    box.userEdit(std::move(text));
    form_.runtime().requestSweep();
}

void FormWindowBase::faceTimerFired() {
    if (!form_.Visible()) return;
    for (const Control* control : form_.Controls())
        if (const MediaPlayer* player = showingTune(control); player && player->Visible())
            invalidate(controlRectInForm(*player));
}

}  // namespace xmascard
