// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>

#include "platform/units.h"

namespace xmascard {

// A point in whole pixels.
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
    friend PixelPoint operator+(PixelPoint a, PixelPoint b) { return {a.x + b.x, a.y + b.y}; }
    friend PixelPoint operator-(PixelPoint a, PixelPoint b) { return {a.x - b.x, a.y - b.y}; }
};

// A rectangle in whole pixels; left and top inclusive, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr PixelRect at(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr PixelPoint topLeft() const { return {left, top}; }
    constexpr bool contains(PixelPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr PixelRect translated(PixelPoint by) const {
        return {left + by.x, top + by.y, right + by.x, bottom + by.y};
    }
    // Moves each edge: positive values move the left and top edges right and down, and the
    // right and bottom edges right and down.
    constexpr PixelRect adjusted(int dl, int dt, int dr, int db) const {
        return {left + dl, top + dt, right + dr, bottom + db};
    }
    PixelRect intersected(const PixelRect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    bool intersects(const PixelRect& o) const { return !intersected(o).isEmpty(); }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A rectangle in twips, kept exactly as written: where a window lies on the screen, or a
// control in its container.
struct TwipsRect {
    Twips left, top, width, height;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;

    // The whole pixels the screen shows.
    PixelRect pixels() const {
        return PixelRect::at(devicePixels(left), devicePixels(top), devicePixels(width),
                             devicePixels(height));
    }
};

}  // namespace xmascard
