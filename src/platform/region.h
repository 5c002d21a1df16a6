// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <optional>
#include <vector>

namespace xmascard {

// A rectangle in pixels; left and top inclusive, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A window shape: a union of rectangles in pixels, a value. Two regions are equal when
// they cover the same pixels, however they were built.
class Region {
  public:
    Region();
    explicit Region(const PixelRect& rect);
    // Builds the union of rectangles given row by row: sorted by top, then by left, each one
    // pixel high and not overlapping. This is the fast path of the picture scan.
    static Region fromRowRuns(const std::vector<PixelRect>& runs);

    Region united(const Region& other) const;
    Region subtracted(const Region& other) const;
    bool isEmpty() const;
    bool contains(int x, int y) const;
    PixelRect boundingRect() const;
    std::vector<PixelRect> rects() const;

    friend bool operator==(const Region& a, const Region& b);

    struct Impl;
    const Impl& impl() const { return *impl_; }

  private:
    explicit Region(std::shared_ptr<const Impl> impl);
    std::shared_ptr<const Impl> impl_;
};

// A region handle as the classic calls pass it: no value means "no region" (handle 0).
using RegionHandle = std::optional<Region>;

}  // namespace xmascard
