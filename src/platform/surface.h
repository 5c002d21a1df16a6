// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/picture.h"

namespace xmascard {

// The persistent drawing of a picture box: its picture on its back colour, plus everything
// drawn on it since the last clear. Pixel reads come from here. A graphics backend makes
// it; its pixels are opaque, so colour reads are exact.
class Surface {
  public:
    virtual ~Surface() = default;

    // Starts afresh: width x height pixels of the back colour, the picture at the top-left.
    virtual void reset(int width, int height, Color back, const Picture& picture) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;

    struct Pen {
        Color outline;
        DrawStyle style = DrawStyle::Solid;
        FillStyle fill = FillStyle::Transparent;
        Color fillColor = 0;
    };
    // A circle of radius r pixels centred on (x, y) pixels.
    virtual void circle(double x, double y, double r, const Pen& pen) = 0;
    // The picture at its natural size, top-left at (x, y) pixels, replacing what is there.
    virtual void paintPicture(const Picture& picture, double x, double y) = 0;

    virtual Color pixel(int x, int y) const = 0;
    // One row of pixels for bulk reads: width() words of 0xFFRRGGBB. The colour of a word is
    // its low 24 bits; use rawColor() to compare with a colour read through pixel().
    virtual const std::uint32_t* scanLine(int y) const = 0;
    static std::uint32_t rawColor(std::uint32_t word) { return word & 0xFFFFFFu; }
    // A snapshot of the drawing as a picture.
    virtual Picture snapshot() const = 0;
};

// The device context of a picture box's drawing, for the pixel reads of the region scan.
struct DeviceContext {
    const Surface* surface = nullptr;
};

// The classic single-pixel read: kInvalidColor outside the surface.
inline Color GetPixel(DeviceContext dc, int x, int y) {
    return dc.surface ? dc.surface->pixel(x, y) : kInvalidColor;
}

}  // namespace xmascard
