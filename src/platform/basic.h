// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>

namespace xmascard {

// The largest whole number not greater than v.
inline int Int(double v) { return static_cast<int>(std::floor(v)); }

}  // namespace xmascard
