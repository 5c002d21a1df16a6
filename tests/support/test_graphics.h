// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <span>

#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/picture.h"

namespace xmascard::testing {

// The graphics backend the tests draw with (the platform's own, headless).
Graphics& testGraphics();

// A picture of the given size in one colour, for drawing test figures into.
Picture solidPicture(int width, int height, Color color);
// A picture of the given size in one colour with some pixels of another.
Picture pictureWithDots(int width, int height, Color color, std::span<const PixelPoint> dots,
                        Color dotColor);

// The colour of a pixel of an image (its drawing ends).
Color pixelOf(Image& image, int x, int y);

// A new empty directory of the test's own under the system's temporary directory, removed
// with everything in it when the value goes.
struct TempDirectory {
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    std::string path;
};

}  // namespace xmascard::testing
