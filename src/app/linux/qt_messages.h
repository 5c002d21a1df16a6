// SPDX-License-Identifier: MIT
#pragma once

namespace xmascard {

// Qt's own messages go out as the card's: one line each, prefixed "xmascard: ", control
// characters escaped. Qt's notes about what it works around by itself (no XDG_RUNTIME_DIR,
// debug and info messages) are left out, and the X server's death is told in the card's
// words. Installed once, before Qt starts.
void routeQtMessages();

// Xlib's connection breaking is told the same way, once (after the application is made).
void routeXlibConnectionErrors();

}  // namespace xmascard
