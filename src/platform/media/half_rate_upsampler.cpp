// SPDX-License-Identifier: MIT
#include "platform/media/half_rate_upsampler.h"

#include <cmath>
#include <numbers>

namespace xmascard::media {

const std::array<float, HalfRateUpsampler::kTaps>& HalfRateUpsampler::weights() {
    static const std::array<float, kTaps> table = [] {
        std::array<double, kTaps> w{};
        double sum = 0;
        for (int j = 1; j <= kTaps; ++j) {
            const double t = j - 0.5;
            const double sinc = std::sin(std::numbers::pi * t) / (std::numbers::pi * t);
            const double phase = std::numbers::pi * t / (kTaps + 0.5);
            const double window = 0.42 + 0.5 * std::cos(phase) + 0.08 * std::cos(2 * phase);
            w[j - 1] = sinc * window;
            sum += 2 * w[j - 1];
        }
        std::array<float, kTaps> out{};
        for (int j = 0; j < kTaps; ++j) out[j] = static_cast<float>(w[j] / sum);
        return out;
    }();
    return table;
}

}  // namespace xmascard::media
