// SPDX-License-Identifier: MIT
#pragma once

#include <pixman.h>

#include <cstdint>
#include <span>

#include "backends/web/pixel_image.h"
#include "platform/canvas.h"
#include "platform/drawing.h"
#include "platform/geometry.h"

namespace xmascard {

class Region;

// A set of pixels as pixman keeps it (bands of boxes), a value: what a figure, a clip or
// a window's shape covers on an image.
class PixelArea {
  public:
    PixelArea() { pixman_region32_init(&r_); }
    explicit PixelArea(const PixelRect& rect);
    explicit PixelArea(const Region& region);
    PixelArea(const PixelArea& other);
    PixelArea& operator=(const PixelArea& other);
    ~PixelArea() { pixman_region32_fini(&r_); }

    // The pixels inside an ellipse's box whose centres lie inside the ellipse.
    static PixelArea ellipse(const PixelRect& box);
    // A figure's inside: its rectangle, or the circle in it.
    static PixelArea figure(Figure::Kind kind, const PixelRect& box);
    // A border of `width` pixels lying inside a figure's outline.
    static PixelArea border(Figure::Kind kind, const PixelRect& box, int width);

    PixelArea intersected(const PixelArea& other) const;
    PixelArea subtracted(const PixelArea& other) const;
    PixelArea translated(PixelPoint by) const;
    bool isEmpty() const;
    bool contains(int x, int y) const;
    PixelRect bounds() const;
    std::span<const pixman_box32_t> boxes() const;
    pixman_region32_t* get() { return &r_; }

  private:
    pixman_region32_t r_;
};

// Paints the pixels of an area of an image with a colour (0x00BBGGRR): copied, or ANDed
// with what is there (the mask pen).
void paintArea(PixelImage& image, const PixelArea& area, Color color, DrawMode mode);
// Paints only the pixels of an area that lie on a hatch's lines, which run through the
// image's own pixel grid, so that neighbouring figures' hatches meet.
void hatchArea(PixelImage& image, const PixelArea& area, FillStyle hatch, Color color,
               DrawMode mode);
// Whether a pixel lies on a hatch's lines.
bool onHatch(FillStyle hatch, int x, int y);

}  // namespace xmascard
