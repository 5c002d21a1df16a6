// SPDX-License-Identifier: MIT
#pragma once

#include "platform/graphics.h"
#include "windows/card_names.h"

namespace xmascard {

// Names that no font on the system draws are refused as a wrong option is: 2 after one line
// on standard error that names what is missing and the fonts that would draw it; else 0.
// Asked of the backend's graphics once the window system is up.
int refuseUndrawableNames(const CardNames& names, Graphics& graphics);

}  // namespace xmascard
