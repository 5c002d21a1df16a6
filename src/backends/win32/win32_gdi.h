// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/region.h"
#include "system/win32/win32_windows.h"

namespace xmascard {

// A colour of the model as GDI takes it; system colours are the user's.
COLORREF toColorRef(Color c);
// The hatch of a hatched fill style (HS_BDIAGONAL, ...); -1 for solid and transparent.
int hatchOf(FillStyle style);
// The GDI font for a font of the layout: its family at the layout's pixel size (points at
// 96 dots per inch, rounded). Made once per font and kept for the life of the program.
HFONT fontFor(const Font& font);
// A GDI region of a region's rectangles, moved by `offset`; the caller owns it.
HRGN toHrgn(const Region& region, PixelPoint offset = {});

// A GDI object made for one drawing call, deleted when the call is over.
class GdiObject {
  public:
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() {
        if (object_) DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ get() const { return object_; }

  private:
    HGDIOBJ object_;
};

}  // namespace xmascard
