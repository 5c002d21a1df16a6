// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/win32/win32_dib.h"
#include "backends/win32/win32_edits.h"
#include "backends/win32/win32_tool_tip.h"
#include "platform/form.h"
#include "platform/view/form_view.h"
#include "platform/view/pointer_input.h"
#include "platform/view/repaint_tracker.h"
#include "system/win32/win32_windows.h"

namespace xmascard {

// Shows a Form as a top-level Win32 window: keeps its place, size, visibility and shape in
// step with the form, paints it through a back buffer, and hands the mouse, cursors and
// tool tips over to the runtime's pointer input. Text boxes are live EDIT controls.
class Win32FormWindow final : public FormView {
  public:
    // Null when the system cannot make the window.
    static std::unique_ptr<Win32FormWindow> create(Form& form);
    explicit Win32FormWindow(Form& form) : form_(form), pointer_(form) {}
    ~Win32FormWindow() override;
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    void formChanged(Change what) override;
    void controlChanged(Control& control, Change what) override;
    void regionChanged() override;
    void raise() override;
    FrameMetrics frame() const override;

    HWND handle() const { return window_; }

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void attach(HWND window);
    void syncGeometry();
    void syncVisibility();
    void paint();
    void mouse(UINT message, WPARAM w, LPARAM l);

    Form& form_;
    PointerInput pointer_;
    RepaintTracker repaints_;
    HWND window_ = nullptr;
    std::unique_ptr<Win32Edits> edits_;
    std::unique_ptr<Win32ToolTip> tip_;
    std::unique_ptr<Dib> backBuffer_;
    HCURSOR cursor_ = nullptr;
    HICON icon_ = nullptr;
};

}  // namespace xmascard
