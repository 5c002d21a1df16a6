// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <compare>

namespace xmascard::media {

// A volume as the classic player takes it, in hundredths of a decibel: 0 is full volume,
// and the gain is 10^(volume / 2000).
class Volume {
  public:
    constexpr Volume() = default;
    constexpr explicit Volume(long hundredthsOfDecibel) : hundredths_(hundredthsOfDecibel) {}

    constexpr long hundredths() const { return hundredths_; }
    float gain() const { return static_cast<float>(std::pow(10.0, hundredths_ / 2000.0)); }
    // Within the range a player takes, quietest to full.
    constexpr Volume clamped() const;

    friend constexpr auto operator<=>(Volume, Volume) = default;
    friend constexpr Volume operator-(Volume v, long hundredths) {
        return Volume(v.hundredths_ - hundredths);
    }

  private:
    long hundredths_ = 0;
};

inline constexpr Volume kFullVolume{0};
// The quietest volume a player takes; a muted player plays at it.
inline constexpr Volume kQuietestVolume{-10000};

constexpr Volume Volume::clamped() const {
    return Volume(std::clamp(hundredths_, kQuietestVolume.hundredths_, kFullVolume.hundredths_));
}

}  // namespace xmascard::media
