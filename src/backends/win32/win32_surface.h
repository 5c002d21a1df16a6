// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/win32/win32_dib.h"
#include "platform/surface.h"

namespace xmascard {

// A picture box's drawing on a DIB section of opaque pixels, drawn with GDI. GDI clears the
// alpha byte of what it draws; reads set it back first, so rows are 0xFFRRGGBB words.
class Win32Surface final : public Surface {
  public:
    void reset(int width, int height, Color back, const Picture& picture) override;
    int width() const override { return dib_ ? dib_->width() : 0; }
    int height() const override { return dib_ ? dib_->height() : 0; }
    void circle(double x, double y, double r, const Pen& pen) override;
    void paintPicture(const Picture& picture, double x, double y) override;
    Color pixel(int x, int y) const override;
    const std::uint32_t* scanLine(int y) const override;
    Picture snapshot() const override;

    // The drawing, for blits; null when empty.
    const Dib* dib() const { return dib_.get(); }

  private:
    void finishDrawing() const;

    std::unique_ptr<Dib> dib_;
    mutable bool drawn_ = false;  // GDI drew since the alpha bytes were last set
};

}  // namespace xmascard
