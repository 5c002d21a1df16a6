// SPDX-License-Identifier: MIT
#include "backends/win32/win32_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "backends/win32/win32_gdi.h"
#include "backends/win32/win32_picture.h"

namespace xmascard {

void Win32Surface::reset(int width, int height, Color back, const Picture& picture) {
    if (!dib_ || dib_->width() != width || dib_->height() != height)
        dib_ = Dib::create(width, height);
    if (!dib_) return;
    const Win32PictureData* source = win32Picture(picture);
    // An opaque picture that fills the drawing (the tree, the greetings) is copied row by
    // row: the snow resets the tree this way ten times a second.
    if (source && source->opaque() && source->width() >= width && source->height() >= height) {
        GdiFlush();
        for (int y = 0; y < height; ++y)
            std::memcpy(dib_->row(y), source->dib().row(y), static_cast<std::size_t>(width) * 4);
        drawn_ = false;
        return;
    }
    const COLORREF c = toColorRef(back);
    const std::uint32_t word =
        0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    GdiFlush();
    for (int y = 0; y < height; ++y) std::fill_n(dib_->row(y), width, word);
    drawn_ = false;
    if (source) {
        blitPicture(dib_->dc(), 0, 0, *source);
        drawn_ = true;
    }
}

void Win32Surface::circle(double x, double y, double r, const Pen& pen) {
    if (!dib_ || r < 0) return;
    HDC dc = dib_->dc();
    const bool outlined = pen.style != DrawStyle::Invisible;
    // The outline covers the pixels from centre - r to centre + r, both included, as an
    // aliased ellipse of that box does; a fill without outline covers the same pixels.
    const int left = static_cast<int>(std::lround(x - r)),
              top = static_cast<int>(std::lround(y - r));
    const int right = static_cast<int>(std::lround(x + r)) + 1;
    const int bottom = static_cast<int>(std::lround(y + r)) + 1;
    const int hatch = hatchOf(pen.fill);
    GdiObject hatchBrush(hatch >= 0 ? CreateHatchBrush(hatch, toColorRef(pen.fillColor)) : nullptr);
    HGDIOBJ brush = pen.fill == FillStyle::Transparent ? GetStockObject(NULL_BRUSH)
                    : hatch >= 0                       ? hatchBrush.get()
                                                       : GetStockObject(DC_BRUSH);
    SetDCBrushColor(dc, toColorRef(pen.fillColor));
    SetDCPenColor(dc, toColorRef(pen.outline));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(outlined ? DC_PEN : NULL_PEN));
    Ellipse(dc, left, top, right, bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    drawn_ = true;
}

void Win32Surface::paintPicture(const Picture& picture, double x, double y) {
    const Win32PictureData* source = win32Picture(picture);
    if (!source || !dib_) return;
    blitPicture(dib_->dc(), static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)),
                *source);
    drawn_ = true;
}

void Win32Surface::finishDrawing() const {
    if (!drawn_ || !dib_) return;
    dib_->makeOpaque();
    drawn_ = false;
}

Color Win32Surface::pixel(int x, int y) const {
    if (!dib_ || x < 0 || y < 0 || x >= dib_->width() || y >= dib_->height()) return kInvalidColor;
    finishDrawing();
    const std::uint32_t p = dib_->row(y)[x];
    return RGB(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
               static_cast<int>(p & 0xFF));
}

const std::uint32_t* Win32Surface::scanLine(int y) const {
    finishDrawing();
    return dib_->row(y);
}

Picture Win32Surface::snapshot() const {
    if (!dib_) return {};
    finishDrawing();
    auto copy = Dib::create(dib_->width(), dib_->height());
    if (!copy) return {};
    for (int y = 0; y < dib_->height(); ++y)
        std::memcpy(copy->row(y), dib_->row(y), static_cast<std::size_t>(dib_->width()) * 4);
    return Picture(std::make_shared<const Win32PictureData>(std::move(copy)));
}

}  // namespace xmascard
