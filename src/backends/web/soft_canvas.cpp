// SPDX-License-Identifier: MIT
#include "backends/web/soft_canvas.h"

#include <cmath>
#include <cstdlib>

#include "backends/web/font_faces.h"
#include "backends/web/text_painter.h"
#include "backends/web/web_picture.h"
#include "backends/web/web_surface.h"
#include "platform/region.h"

namespace xmascard {

void SoftCanvas::restore() {
    if (saved_.empty()) return;
    state_ = std::move(saved_.back());
    saved_.pop_back();
}

void SoftCanvas::narrowClip(const PixelArea& area) {
    const PixelArea device = area.translated(state_.origin);
    state_.clip = state_.clip ? state_.clip->intersected(device) : device;
}

void SoftCanvas::clip(const PixelRect& rect) { narrowClip(PixelArea(rect)); }

void SoftCanvas::clip(const Region& region) { narrowClip(PixelArea(region)); }

std::optional<PixelRect> SoftCanvas::clipBounds() const {
    if (!state_.clip) return std::nullopt;
    return state_.clip->bounds().translated({-state_.origin.x, -state_.origin.y});
}

PixelArea SoftCanvas::paintable(const PixelArea& area) const {
    PixelArea device =
        area.translated(state_.origin)
            .intersected(PixelArea(PixelRect::at(0, 0, image_.width(), image_.height())));
    return state_.clip ? device.intersected(*state_.clip) : device;
}

void SoftCanvas::fillRect(const PixelRect& rect, Color color) {
    paintArea(image_, paintable(PixelArea(rect)), color, DrawMode::CopyPen);
}

void SoftCanvas::frameRect(const PixelRect& rect, Color color) {
    paintArea(image_, paintable(PixelArea::border(Figure::Kind::Rectangle, rect, 1)), color,
              DrawMode::CopyPen);
}

void SoftCanvas::line(PixelPoint from, PixelPoint to, Color color) {
    const PixelPoint a = from + state_.origin, b = to + state_.origin;
    const std::uint32_t word = opaqueWord(color);
    // Bresenham's line, both ends drawn.
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    for (PixelPoint p = a;;) {
        const bool inside = p.x >= 0 && p.y >= 0 && p.x < image_.width() && p.y < image_.height();
        if (inside && (!state_.clip || state_.clip->contains(p.x, p.y))) image_.row(p.y)[p.x] = word;
        if (p == b) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.y += sy;
        }
    }
}

void SoftCanvas::drawFigure(const Figure& f) {
    if (f.box.isEmpty()) return;
    const PixelArea inside = paintable(PixelArea::figure(f.kind, f.box));
    if (f.back) paintArea(image_, inside, *f.back, f.mode);
    if (f.fill == FillStyle::Solid)
        paintArea(image_, inside, f.fillColor, f.mode);
    else if (f.fill != FillStyle::Transparent)
        hatchArea(image_, inside, f.fill, f.fillColor, f.mode);
    if (f.borderWidth > 0)
        paintArea(image_, paintable(PixelArea::border(f.kind, f.box, f.borderWidth)),
                  f.borderColor, f.mode);
}

void SoftCanvas::drawText(const PixelRect& box, const PixelRect& clip, const std::string& text,
                          const TextStyle& style) {
    TextPainter(FontFaces::embedded())
        .draw(image_, paintable(PixelArea(clip)), box.translated(state_.origin), text, style);
}

void SoftCanvas::composite(pixman_op_t op, pixman_image_t* source, const PixelRect& to) {
    const PixelRect device = to.translated(state_.origin);
    PixelArea area = paintable(PixelArea(to));
    if (area.isEmpty()) return;
    pixman_image_set_clip_region32(image_.pixman(), area.get());
    pixman_image_composite32(op, source, nullptr, image_.pixman(), 0, 0, 0, 0, device.left,
                             device.top, device.width(), device.height());
    pixman_image_set_clip_region32(image_.pixman(), nullptr);
}

void SoftCanvas::drawPicture(PixelPoint at, const Picture& picture) {
    const WebPictureData* data = webPicture(picture);
    if (!data) return;
    composite(data->opaque() ? PIXMAN_OP_SRC : PIXMAN_OP_OVER, data->pixels().pixman(),
              PixelRect::at(at.x, at.y, data->width(), data->height()));
}

void SoftCanvas::drawPictureScaled(const PixelRect& to, const Picture& picture) {
    const WebPictureData* data = webPicture(picture);
    if (!data || to.isEmpty()) return;
    // A view of the picture's pixels of its own, which the scaling transform is set on.
    const PixelImage& pixels = data->pixels();
    pixman_image_t* view = pixman_image_create_bits(
        PIXMAN_a8r8g8b8, pixels.width(), pixels.height(),
        const_cast<std::uint32_t*>(pixels.row(0)), pixels.stride());
    pixman_transform_t scaling;
    pixman_transform_init_scale(&scaling,
                                pixman_double_to_fixed(double(pixels.width()) / to.width()),
                                pixman_double_to_fixed(double(pixels.height()) / to.height()));
    pixman_image_set_transform(view, &scaling);
    pixman_image_set_filter(view, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    pixman_image_set_repeat(view, PIXMAN_REPEAT_PAD);
    composite(PIXMAN_OP_OVER, view, to);
    pixman_image_unref(view);
}

void SoftCanvas::drawSurface(PixelPoint at, const Surface& surface) {
    const PixelImage* pixels = static_cast<const WebSurface&>(surface).pixels();
    if (pixels)
        composite(PIXMAN_OP_SRC, pixels->pixman(),
                  PixelRect::at(at.x, at.y, pixels->width(), pixels->height()));
}

void SoftCanvas::drawImage(PixelPoint at, const Image& image) {
    const PixelImage& pixels = static_cast<const WebImage&>(image).pixels();
    composite(PIXMAN_OP_SRC, pixels.pixman(),
              PixelRect::at(at.x, at.y, pixels.width(), pixels.height()));
}

std::unique_ptr<WebImage> WebImage::create(int width, int height, Color fill) {
    auto pixels = PixelImage::create(width, height);
    if (!pixels) return nullptr;
    auto image = std::make_unique<WebImage>(std::move(pixels));
    image->canvas().fillRect(PixelRect::at(0, 0, width, height), fill);
    return image;
}

}  // namespace xmascard
