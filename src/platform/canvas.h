// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/picture.h"

namespace xmascard {

class Surface;
class Region;
class Image;

// A figure of a shape control: a rectangle, or a circle in the square `box`, with an
// optional back, a fill (solid or hatched) and a border lying inside the box, drawn so or
// ANDed with what lies under it.
struct Figure {
    enum class Kind { Rectangle, Circle };
    Kind kind = Kind::Rectangle;
    PixelRect box;
    std::optional<Color> back;  // no value: transparent
    FillStyle fill = FillStyle::Transparent;
    Color fillColor = 0;
    int borderWidth = 0;  // 0: no border
    Color borderColor = 0;
    DrawMode mode = DrawMode::CopyPen;
};

// How text is laid out in its box.
struct TextStyle {
    Font font;
    Color color = 0;
    Alignment alignment = Alignment::Left;
    enum class Vertical { Top, Center };
    Vertical vertical = Vertical::Top;
    bool wordWrap = false;
};

// Where a graphics backend draws: a window's client area, or an image. Coordinates are
// pixels; translate() and clip() hold until the matching restore().
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void translate(PixelPoint by) = 0;
    // Narrows the clip to a rectangle, or to a region.
    virtual void clip(const PixelRect& rect) = 0;
    virtual void clip(const Region& region) = 0;
    // The bounds of the clip; no value when nothing clips.
    virtual std::optional<PixelRect> clipBounds() const = 0;

    virtual void fillRect(const PixelRect& rect, Color color) = 0;
    // A one-pixel outline just inside the rectangle.
    virtual void frameRect(const PixelRect& rect, Color color) = 0;
    // A one-pixel line, both ends included.
    virtual void line(PixelPoint from, PixelPoint to, Color color) = 0;
    virtual void drawFigure(const Figure& figure) = 0;
    // Text in its box, clipped to `clip`.
    virtual void drawText(const PixelRect& box, const PixelRect& clip, const std::string& text,
                          const TextStyle& style) = 0;
    // A picture at its natural size, or smoothly scaled to a rectangle.
    virtual void drawPicture(PixelPoint at, const Picture& picture) = 0;
    virtual void drawPictureScaled(const PixelRect& to, const Picture& picture) = 0;
    // A picture box's drawing with its top-left at `at`.
    virtual void drawSurface(PixelPoint at, const Surface& surface) = 0;
    // An image made by the same backend, with its top-left at `at`.
    virtual void drawImage(PixelPoint at, const Image& image) = 0;
};

// An image to draw into (a window painted off the screen, a recorded screen): a canvas
// whose pixels can be read back. Opaque; the words are 0xFFRRGGBB.
class Image {
  public:
    virtual ~Image() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual Canvas& canvas() = 0;
    // Finishes the drawing (the canvas is unusable after), then gives the pixels: height()
    // rows of width() words, top row first, rows stride() bytes apart.
    virtual const std::uint8_t* bits() = 0;
    virtual int stride() const = 0;
    const std::uint32_t* scanLine(int y) {
        return reinterpret_cast<const std::uint32_t*>(bits() +
                                                      static_cast<std::ptrdiff_t>(y) * stride());
    }
};

}  // namespace xmascard
