// SPDX-License-Identifier: MIT
#include "backends/web/page_pixels.h"

#include <algorithm>
#include <cmath>

#include "platform/region.h"

namespace xmascard {

std::vector<std::uint8_t> shapeMask(const Region& shape, int width, int height) {
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(std::max(0, width)) *
                                   std::max(0, height));
    for (const PixelRect& r : shape.rects()) {
        const int left = std::max(0, r.left), right = std::min(width, r.right);
        for (int y = std::max(0, r.top); y < std::min(height, r.bottom); ++y)
            if (left < right)
                std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(y) * width + left,
                            right - left, 255);
    }
    return mask;
}

void pageBytes(const PixelImage& window, const PixelRect& area,
               const std::vector<std::uint8_t>* mask, std::vector<std::uint8_t>& out) {
    out.resize(static_cast<std::size_t>(std::max(0, area.width())) * std::max(0, area.height()) *
               4);
    std::uint8_t* to = out.data();
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint32_t* row = window.row(y);
        for (int x = area.left; x < area.right; ++x) {
            const std::uint32_t word = row[x];
            *to++ = static_cast<std::uint8_t>(word >> 16);
            *to++ = static_cast<std::uint8_t>(word >> 8);
            *to++ = static_cast<std::uint8_t>(word);
            *to++ = mask ? (*mask)[static_cast<std::size_t>(y) * window.width() + x] : 255;
        }
    }
}

PageFit fitScreen(int viewportWidth, int viewportHeight, ScreenSize least) {
    const int width = std::max(1, viewportWidth), height = std::max(1, viewportHeight);
    const double scale = std::min({1.0, static_cast<double>(width) / least.width,
                                   static_cast<double>(height) / least.height});
    // The screen fills the viewport at that scale, never smaller than the show needs.
    return {{std::max(least.width, static_cast<int>(std::floor(width / scale + 1e-6))),
             std::max(least.height, static_cast<int>(std::floor(height / scale + 1e-6)))},
            scale};
}

}  // namespace xmascard
