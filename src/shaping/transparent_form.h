// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"

namespace xmascard {

// Makes a window's own background see-through: the window keeps its frame (if it has one)
// and the rectangle of every control that sits directly on it, visible or not; the rest of
// its client area is cut away. Switches the window's scale to pixels. A minimized window
// keeps the shape it had.
void TransparentForm(Form& form);

}  // namespace xmascard
