// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/geometry.h"

namespace xmascard {

// A window shape: a union of rectangles in pixels, a value. Two regions are equal when
// they cover the same pixels, however they were built. Kept in banded form (rows of
// rectangles, top to bottom, each row left to right), as window systems take shapes.
class Region {
  public:
    Region();
    explicit Region(const PixelRect& rect);
    // Builds the union of rectangles given row by row: sorted by top, then by left, each one
    // pixel high and not overlapping. This is the fast path of the picture scan.
    static Region fromRowRuns(const std::vector<PixelRect>& runs);

    Region united(const Region& other) const;
    Region subtracted(const Region& other) const;
    Region translated(PixelPoint by) const;
    bool isEmpty() const;
    bool contains(int x, int y) const;
    PixelRect boundingRect() const;
    // The banded rectangles, top to bottom and left to right.
    std::vector<PixelRect> rects() const;

    friend bool operator==(const Region& a, const Region& b);

    struct Impl;

  private:
    explicit Region(std::shared_ptr<const Impl> impl);
    std::shared_ptr<const Impl> impl_;
};

// A region handle as the classic calls pass it: no value means "no region" (handle 0).
using RegionHandle = std::optional<Region>;

}  // namespace xmascard
