// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace xmascard {

// A colour as 0x00BBGGRR (red in the low byte). A value with the top bit set names the
// user's system colour of that number, resolved when drawn.
using Color = std::uint32_t;

inline constexpr Color RGB(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
inline constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Color kSystemColorFlag = 0x80000000u;
inline constexpr Color SystemColor(int index) {
    return kSystemColorFlag | static_cast<Color>(index);
}
inline constexpr bool isSystemColor(Color c) { return (c & kSystemColorFlag) != 0; }

// System colours used by the card.
inline constexpr Color kWindowBackground = SystemColor(5);
inline constexpr Color kWindowText = SystemColor(8);
inline constexpr Color kButtonFace = SystemColor(15);

// The classic 16-colour palette.
Color QBColor(int index);

// Returned by pixel reads outside a surface.
inline constexpr Color kInvalidColor = 0xFFFFFFFFu;

// A 0xAARRGGBB pixel with its colour multiplied by its alpha, rounded, as the backends
// keep pictures with transparency.
inline constexpr std::uint32_t premultipliedArgb(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 0xFF) return argb;
    const auto channel = [&](int shift) {
        return ((((argb >> shift) & 0xFF) * a + 127) / 255) << shift;
    };
    return (a << 24) | channel(16) | channel(8) | channel(0);
}

}  // namespace xmascard
