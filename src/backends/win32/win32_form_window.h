// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/win32/win32_dib.h"
#include "backends/win32/win32_edits.h"
#include "backends/win32/win32_tool_tip.h"
#include "platform/view/form_window_base.h"
#include "system/win32/win32_windows.h"

namespace xmascard {

// Shows a Form as a top-level Win32 window: what the window does is the model's window
// policy; this turns the window's messages into its calls and does its hooks with Win32,
// painting through a back buffer. Text boxes are live EDIT controls.
class Win32FormWindow final : public FormWindowBase {
  public:
    // Null when the system cannot make the window.
    static std::unique_ptr<Win32FormWindow> create(Form& form);
    explicit Win32FormWindow(Form& form) : FormWindowBase(form) {}
    ~Win32FormWindow() override;
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    FrameMetrics frame() const override;

    HWND handle() const { return window_; }

  protected:
    void place(const PixelRect& where) override;
    void showWindow(WindowState state) override;
    void hideWindow() override;
    void raiseWindow() override;
    void invalidate(const std::optional<PixelRect>& area) override;
    void setShape(const Region* region) override;
    void setCursor(const Cursor& cursor) override;
    void setToolTip(const std::string& text) override;
    void holdMouse(bool hold) override;
    void syncEdit(const TextBox& box, const PixelRect& where, bool shown) override;
    void runFaceTimer(bool running) override;

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void attach(HWND window);
    void paintWindow();
    void mouse(UINT message, WPARAM w, LPARAM l);

    HWND window_ = nullptr;
    std::unique_ptr<Win32Edits> edits_;
    std::unique_ptr<Win32ToolTip> tip_;
    std::unique_ptr<Dib> backBuffer_;
    HCURSOR cursor_ = nullptr;
    HICON icon_ = nullptr;
};

}  // namespace xmascard
