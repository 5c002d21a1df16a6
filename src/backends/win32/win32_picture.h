// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "backends/win32/win32_dib.h"
#include "platform/picture.h"

namespace xmascard {

// A picture as the Win32 backend holds it: premultiplied 0xAARRGGBB pixels in a DIB
// section, the form AlphaBlend draws.
class Win32PictureData final : public PictureData {
  public:
    explicit Win32PictureData(std::unique_ptr<Dib> dib);
    int width() const override { return dib_->width(); }
    int height() const override { return dib_->height(); }
    Color pixel(int x, int y) const override;

    const Dib& dib() const { return *dib_; }
    // Every pixel fully opaque: it can be copied instead of blended.
    bool opaque() const { return opaque_; }

  private:
    std::unique_ptr<Dib> dib_;
    bool opaque_ = true;
};

// The Win32 data of a picture of this backend; null for no picture.
inline const Win32PictureData* win32Picture(const Picture& p) {
    return static_cast<const Win32PictureData*>(p.data());
}

// Draws a picture at its natural size: copied when opaque, else blended over what is there.
void blitPicture(HDC to, int x, int y, const Win32PictureData& picture);

}  // namespace xmascard
