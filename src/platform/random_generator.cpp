// SPDX-License-Identifier: MIT
#include "platform/random_generator.h"

#include <cstring>

namespace xmascard {

namespace {
constexpr std::uint32_t kMask = 0xFFFFFF;
}

void RandomGenerator::randomize(double seed) {
    // Mixes the bits of the seed's single-precision value into the middle of the state,
    // as the classic Randomize does, keeping the low byte of the current state.
    const float single = static_cast<float>(seed);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &single, sizeof bits);
    const std::uint32_t mixed = ((bits >> 16) ^ bits) & 0xFFFF;
    state_ = ((mixed << 8) | (state_ & 0xFF)) & kMask;
}

float RandomGenerator::next() {
    state_ = (state_ * 1140671485u + 12820163u) & kMask;
    return static_cast<float>(state_) / 16777216.0f;
}

}  // namespace xmascard
