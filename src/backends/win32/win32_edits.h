// SPDX-License-Identifier: MIT
#pragma once

#include <unordered_map>

#include "platform/controls/control.h"
#include "system/win32/win32_windows.h"

namespace xmascard {

class Form;
class TextBox;

// The text boxes of a window as live EDIT controls: placed, coloured and shown as their
// text boxes say, and what the user types goes back into the text box.
class Win32Edits {
  public:
    Win32Edits(HWND window, Form& form);
    ~Win32Edits();
    Win32Edits(const Win32Edits&) = delete;
    Win32Edits& operator=(const Win32Edits&) = delete;

    // Follows a change of a control. True when the control is a text box: its edit control
    // draws it, and the window has nothing to repaint.
    bool controlChanged(const Control& control, Change what);
    // The window's WM_COMMAND: an edit's text changed. True when it was one of these.
    bool command(HWND edit, int notification);
    // The window's WM_CTLCOLOREDIT: the colours of an edit; null when not one of these.
    HBRUSH colors(HWND edit, HDC dc);

  private:
    void sync(const TextBox& box, HWND edit);

    Form& form_;
    std::unordered_map<const TextBox*, HWND> edits_;
    std::unordered_map<HWND, TextBox*> boxes_;
    std::unordered_map<HWND, HBRUSH> brushes_;
    bool syncing_ = false;  // the program sets a text: not the user's typing
};

}  // namespace xmascard
