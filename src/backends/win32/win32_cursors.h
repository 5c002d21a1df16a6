// SPDX-License-Identifier: MIT
#pragma once

#include "platform/controls/control.h"
#include "system/win32/win32_windows.h"

namespace xmascard {

// The system cursor of a control's mouse pointer: the arrow, or its embedded picture with
// its hot spot, made once and kept for the life of the program.
HCURSOR cursorFor(const Cursor& cursor);

// An icon of an embedded picture at its own size; null when there is none.
HICON iconFor(const char* picture);

}  // namespace xmascard
