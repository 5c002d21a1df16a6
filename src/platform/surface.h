// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/picture.h"

namespace xmascard {

// The persistent drawing of a picture box: its picture on its back colour, plus everything
// drawn on it since the last clear. Pixel reads come from here.
class Surface {
  public:
    Surface();
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Starts afresh: width x height pixels of the back colour, the picture at the top-left.
    void reset(int width, int height, Color back, const Picture& picture);
    int width() const;
    int height() const;

    struct Pen {
        Color outline;
        DrawStyle style = DrawStyle::Solid;
        FillStyle fill = FillStyle::Transparent;
        Color fillColor = 0;
    };
    // A circle of radius r pixels centred on (x, y) pixels.
    void circle(double x, double y, double r, const Pen& pen);
    // The picture at its natural size, top-left at (x, y) pixels, replacing what is there.
    void paintPicture(const Picture& picture, double x, double y);

    Color pixel(int x, int y) const;
    // One row of pixels for bulk reads: width() words of 0xFFRRGGBB. The colour of a word is
    // its low 24 bits; use rawColor() to compare with a colour read through pixel().
    const std::uint32_t* scanLine(int y) const;
    static std::uint32_t rawColor(std::uint32_t word) { return word & 0xFFFFFFu; }
    // A snapshot of the drawing as a picture.
    Picture snapshot() const;

    struct Impl;
    const Impl& impl() const { return *impl_; }

  private:
    std::unique_ptr<Impl> impl_;
};

// The device context of a picture box's drawing, for the pixel reads of the region scan.
struct DeviceContext {
    const Surface* surface = nullptr;
};

// The classic single-pixel read: kInvalidColor outside the surface.
Color GetPixel(DeviceContext dc, int x, int y);

}  // namespace xmascard
