// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace xmascard {

// The one pseudo-random generator of the program: the classic 24-bit linear congruential
// generator of the desktop BASIC, so a seed gives the same sequence everywhere.
class RandomGenerator {
  public:
    // Seeds from a number (the clock, for Randomize without an argument).
    void randomize(double seed);
    // The next value, in [0, 1).
    float next();

  private:
    std::uint32_t state_ = 0x50000;
};

}  // namespace xmascard
