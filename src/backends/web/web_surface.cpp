// SPDX-License-Identifier: MIT
#include "backends/web/web_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "backends/web/raster.h"
#include "backends/web/soft_canvas.h"
#include "backends/web/web_picture.h"

namespace xmascard {

void WebSurface::reset(int width, int height, Color back, const Picture& picture) {
    if (!pixels_ || pixels_->width() != width || pixels_->height() != height)
        pixels_ = PixelImage::create(width, height);
    if (!pixels_) return;
    const WebPictureData* source = webPicture(picture);
    // An opaque picture that fills the drawing (the tree, the greetings) is copied row by
    // row: the snow resets the tree this way ten times a second.
    if (source && source->opaque() && source->width() >= width && source->height() >= height) {
        for (int y = 0; y < height; ++y)
            std::memcpy(pixels_->row(y), source->pixels().row(y),
                        static_cast<std::size_t>(width) * 4);
        return;
    }
    const std::uint32_t word = opaqueWord(back);
    for (int y = 0; y < height; ++y) std::fill_n(pixels_->row(y), width, word);
    if (source) SoftCanvas(*pixels_).drawPicture({0, 0}, picture);
}

void WebSurface::circle(double x, double y, double r, const Pen& pen) {
    if (!pixels_ || r < 0) return;
    // The circle covers the pixels from centre - r to centre + r, both included.
    const int left = static_cast<int>(std::lround(x - r)), top = static_cast<int>(std::lround(y - r));
    const PixelRect box{left, top, static_cast<int>(std::lround(x + r)) + 1,
                        static_cast<int>(std::lround(y + r)) + 1};
    const PixelArea inside = PixelArea::figure(Figure::Kind::Circle, box);
    if (pen.fill == FillStyle::Solid)
        paintArea(*pixels_, inside, pen.fillColor, DrawMode::CopyPen);
    else if (pen.fill != FillStyle::Transparent)
        hatchArea(*pixels_, inside, pen.fill, pen.fillColor, DrawMode::CopyPen);
    if (pen.style != DrawStyle::Invisible)
        paintArea(*pixels_, PixelArea::border(Figure::Kind::Circle, box, 1), pen.outline,
                  DrawMode::CopyPen);
}

void WebSurface::paintPicture(const Picture& picture, double x, double y) {
    if (!pixels_) return;
    SoftCanvas(*pixels_).drawPicture(
        {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))}, picture);
}

Color WebSurface::pixel(int x, int y) const {
    if (!pixels_ || x < 0 || y < 0 || x >= pixels_->width() || y >= pixels_->height())
        return kInvalidColor;
    const std::uint32_t p = pixels_->row(y)[x];
    return RGB(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
               static_cast<int>(p & 0xFF));
}

Picture WebSurface::snapshot() const {
    if (!pixels_) return {};
    return Picture(std::make_shared<const WebPictureData>(pixels_->copy()));
}

}  // namespace xmascard
