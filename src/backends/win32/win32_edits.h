// SPDX-License-Identifier: MIT
#pragma once

#include <unordered_map>

#include "platform/geometry.h"
#include "system/win32/win32_windows.h"

namespace xmascard {

class FormWindowBase;
class TextBox;

// The text boxes of a window as live EDIT controls, which the window's policy keeps in step
// with their boxes; what the user types goes back into the text box.
class Win32Edits {
  public:
    Win32Edits(HWND window, FormWindowBase& policy);
    ~Win32Edits();
    Win32Edits(const Win32Edits&) = delete;
    Win32Edits& operator=(const Win32Edits&) = delete;

    // Brings the edit control of a text box in step with it.
    void sync(const TextBox& box, const PixelRect& where, bool shown);
    // The window's WM_COMMAND: an edit's text changed. True when it was one of these.
    bool command(HWND edit, int notification);
    // The window's WM_CTLCOLOREDIT: the colours of an edit; null when not one of these.
    HBRUSH colors(HWND edit, HDC dc);

  private:
    FormWindowBase& policy_;
    std::unordered_map<const TextBox*, HWND> edits_;
    std::unordered_map<HWND, TextBox*> boxes_;
    std::unordered_map<HWND, HBRUSH> brushes_;
    bool syncing_ = false;  // the program sets a text: not the user's typing
};

}  // namespace xmascard
