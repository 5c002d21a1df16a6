// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "system/win32/win32_windows.h"

namespace xmascard {

// A window's tool tip (TOOLTIPS_CLASS): one tool over the whole client area whose text is
// that of the control under the pointer; no text, no tip.
class Win32ToolTip {
  public:
    explicit Win32ToolTip(HWND window);
    ~Win32ToolTip();
    Win32ToolTip(const Win32ToolTip&) = delete;
    Win32ToolTip& operator=(const Win32ToolTip&) = delete;

    // The pointer is over a control with this text ("" for none).
    void show(const std::string& text);

  private:
    HWND window_;
    HWND tip_ = nullptr;
    std::wstring text_;
};

}  // namespace xmascard
