// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>

namespace xmascard {

// Twips and pixels are distinct units; this header is the one place that converts them.
// The card is laid out for 96 dots per inch: 1440 twips per inch, 15 twips to the pixel.
inline constexpr float kTwipsPerPixel = 15.0f;

// The unit of a window's or picture box's coordinates (its scale mode).
enum class ScaleMode { Twips = 1, Pixels = 3 };

struct Twips {
    float value = 0;
    friend bool operator==(Twips, Twips) = default;
};

struct Pixels {
    float value = 0;
    friend bool operator==(Pixels, Pixels) = default;
};

inline constexpr Pixels toPixels(Twips t) { return {t.value / kTwipsPerPixel}; }
inline constexpr Twips toTwips(Pixels p) { return {p.value * kTwipsPerPixel}; }

// Whole device pixels of a twips value, rounded to nearest: what the screen shows.
inline int devicePixels(Twips t) { return static_cast<int>(std::lround(toPixels(t).value)); }

// A value in the given scale mode, expressed in twips, and back.
inline constexpr Twips fromScale(float v, ScaleMode mode) {
    return mode == ScaleMode::Pixels ? toTwips(Pixels{v}) : Twips{v};
}
inline constexpr float toScale(Twips t, ScaleMode mode) {
    return mode == ScaleMode::Pixels ? toPixels(t).value : t.value;
}

// Conversion of a Single to a 32-bit whole number: to nearest, halves to even.
inline int roundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace xmascard
