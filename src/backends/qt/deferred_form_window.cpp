// SPDX-License-Identifier: MIT
#include "backends/qt/deferred_form_window.h"

namespace xmascard {

void DeferredFormWindow::formChanged(Change what) {
    if (!window_) {
        if (what != Change::Visibility || !form_.Visible()) return;
        window_ = outlines_ ? std::make_unique<FormWindow>(form_, *outlines_)
                            : std::make_unique<FormWindow>(form_);
        window_->regionChanged();
    }
    window_->formChanged(what);
}

}  // namespace xmascard
