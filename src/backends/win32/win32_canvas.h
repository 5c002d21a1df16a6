// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/win32/win32_dib.h"
#include "platform/canvas.h"

namespace xmascard {

// A canvas over a GDI device context: a window's back buffer, or an image. Translation is
// the viewport origin, and save() and restore() are SaveDC and RestoreDC, so both hold
// the clip and the origin as the model expects.
class Win32Canvas final : public Canvas {
  public:
    explicit Win32Canvas(HDC dc) : dc_(dc) {}

    void save() override { SaveDC(dc_); }
    void restore() override { RestoreDC(dc_, -1); }
    void translate(PixelPoint by) override { OffsetViewportOrgEx(dc_, by.x, by.y, nullptr); }
    void clip(const PixelRect& rect) override;
    void clip(const Region& region) override;
    std::optional<PixelRect> clipBounds() const override;

    void fillRect(const PixelRect& rect, Color color) override;
    void frameRect(const PixelRect& rect, Color color) override;
    void line(PixelPoint from, PixelPoint to, Color color) override;
    void drawFigure(const Figure& figure) override;
    void drawText(const PixelRect& box, const PixelRect& clip, const std::string& text,
                  const TextStyle& style) override;
    void drawPicture(PixelPoint at, const Picture& picture) override;
    void drawPictureScaled(const PixelRect& to, const Picture& picture) override;
    void drawSurface(PixelPoint at, const Surface& surface) override;
    void drawImage(PixelPoint at, const Image& image) override;

  private:
    HDC dc_;
};

// An image of opaque pixels on a DIB section, with a canvas over it.
class Win32Image final : public Image {
  public:
    // Null when the system cannot make the bitmap.
    static std::unique_ptr<Win32Image> create(int width, int height, Color fill);
    explicit Win32Image(std::unique_ptr<Dib> dib) : dib_(std::move(dib)), canvas_(dib_->dc()) {}

    int width() const override { return dib_->width(); }
    int height() const override { return dib_->height(); }
    Canvas& canvas() override { return canvas_; }
    const std::uint8_t* bits() override;
    int stride() const override { return dib_->width() * 4; }

    const Dib& dib() const { return *dib_; }

  private:
    std::unique_ptr<Dib> dib_;
    Win32Canvas canvas_;
    bool finished_ = false;
};

}  // namespace xmascard
