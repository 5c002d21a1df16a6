// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/qt/form_window.h"
#include "platform/view/form_view.h"

namespace xmascard {

// Shows a Form through a FormWindow made when the form is first made visible. The card
// creates windows hidden long before it shows them (the card window at start-up); their
// widgets, line edits and the fonts those need would otherwise hold back the first window.
// Until then nothing is on the screen to follow, and the window, once made, takes its
// whole state (place, shape, text boxes) from the form. `outlines` (none: the default) must
// outlive the window, as for a FormWindow.
class DeferredFormWindow final : public FormView {
  public:
    DeferredFormWindow(Form& form, const WindowOutlines* outlines)
        : form_(form), outlines_(outlines) {}

    void formChanged(Change what) override;
    void controlChanged(Control& control, Change what) override {
        if (window_) window_->controlChanged(control, what);
    }
    void regionChanged() override {
        if (window_) window_->regionChanged();
    }
    void raise() override {
        if (window_) window_->FormWindowBase::raise();
    }
    // A window not yet shown has no frame, as a FormWindow not yet shown.
    FrameMetrics frame() const override { return window_ ? window_->frame() : FrameMetrics{}; }

  private:
    Form& form_;
    const WindowOutlines* outlines_;
    std::unique_ptr<FormWindow> window_;
};

}  // namespace xmascard
