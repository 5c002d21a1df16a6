// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace xmascard {

// Pixels decoded by GDI+: 0xAARRGGBB words, row by row, premultiplied or not as asked.
struct DecodedPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> words;
};

enum class Alpha { Premultiplied, Straight };

// Decodes a GIF, JPEG, BMP or PNG file with GDI+ (its first frame). False and `why` on
// failure.
bool decodeWithGdiplus(std::span<const std::uint8_t> bytes, Alpha alpha, DecodedPixels& out,
                       std::string& why);
// A PNG file of opaque 0xFFRRGGBB rows; empty on failure.
std::vector<std::uint8_t> encodePngWithGdiplus(int width, int height, int stride,
                                               const std::uint32_t* words);

}  // namespace xmascard
