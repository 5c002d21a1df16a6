// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "backends/web/pixel_image.h"
#include "platform/geometry.h"
#include "platform/host.h"

namespace xmascard {

class Region;

// Which pixels of a window its shape keeps: one byte a pixel, 255 inside, 0 outside.
std::vector<std::uint8_t> shapeMask(const Region& shape, int width, int height);

// The bytes a page's canvas takes (red, green, blue, alpha; not premultiplied) for an area
// of a window's opaque pixels: transparent where the mask (if any) leaves the pixel out, so
// the page shows through outside the window's outline.
void pageBytes(const PixelImage& window, const PixelRect& area,
               const std::vector<std::uint8_t>* mask, std::vector<std::uint8_t>& out);

// How the card's screen lies on a page: the screen is the page's viewport, but at least as
// large as the show needs, and then drawn smaller by `scale` so that all of it shows.
struct PageFit {
    ScreenSize screen;
    double scale = 1.0;
};
PageFit fitScreen(int viewportWidth, int viewportHeight, ScreenSize least);

}  // namespace xmascard
