// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace xmascard::media {

// Doubles the sample rate of a stereo stream with a half-band interpolating filter: every
// second output sample is an input sample, the ones between are interpolated from the
// kTaps input samples on either side. It lets a synthesizer run at half the output rate:
// the card's music has nothing above 11 kHz worth hearing (-75 dB), and half the rate is
// half the synthesis.
//
// The caller keeps the input in a window that reaches kTaps - 1 samples before and kTaps
// samples after the one being interpolated from.
class HalfRateUpsampler {
  public:
    static constexpr int kTaps = 12;

    HalfRateUpsampler() : weights_(weights()) {}

    // Output sample 2m + 1, between x[m] and x[m + 1]: `x` points at x[m].
    float between(const float* x) const {
        float sum = 0;
        for (int j = 1; j <= kTaps; ++j) sum += weights_[j - 1] * (x[1 - j] + x[j]);
        return sum;
    }

    // The interpolating weights, for the input samples j - 1/2 away, j = 1 .. kTaps:
    // a Blackman-windowed sinc scaled so that a constant comes out unchanged.
    static const std::array<float, kTaps>& weights();

  private:
    std::array<float, kTaps> weights_;
};

}  // namespace xmascard::media
