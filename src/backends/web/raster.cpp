// SPDX-License-Identifier: MIT
#include "backends/web/raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/region.h"

namespace xmascard {

namespace {

pixman_box32_t boxOf(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

template <class Paint>
void forEachRow(PixelImage& image, const PixelArea& area, Paint paint) {
    const PixelArea inside = area.intersected(PixelArea(PixelRect::at(0, 0, image.width(), image.height())));
    for (const pixman_box32_t& b : inside.boxes())
        for (int y = b.y1; y < b.y2; ++y) paint(image.row(y), y, b.x1, b.x2);
}

}  // namespace

PixelArea::PixelArea(const PixelRect& rect) {
    if (rect.isEmpty())
        pixman_region32_init(&r_);
    else
        pixman_region32_init_rect(&r_, rect.left, rect.top, rect.width(), rect.height());
}

PixelArea::PixelArea(const Region& region) {
    std::vector<pixman_box32_t> boxes;
    for (const PixelRect& r : region.rects()) boxes.push_back(boxOf(r));
    pixman_region32_init_rects(&r_, boxes.data(), static_cast<int>(boxes.size()));
}

PixelArea::PixelArea(const PixelArea& other) {
    pixman_region32_init(&r_);
    pixman_region32_copy(&r_, const_cast<pixman_region32_t*>(&other.r_));
}

PixelArea& PixelArea::operator=(const PixelArea& other) {
    if (this != &other) pixman_region32_copy(&r_, const_cast<pixman_region32_t*>(&other.r_));
    return *this;
}

PixelArea PixelArea::ellipse(const PixelRect& box) {
    std::vector<pixman_box32_t> rows;
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double rx = box.width() / 2.0, ry = box.height() / 2.0;
    for (int y = box.top; y < box.bottom; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (dy * dy > 1.0) continue;
        const double half = rx * std::sqrt(1.0 - dy * dy);
        // The pixels whose centres lie within half a width of the middle.
        const int from = static_cast<int>(std::ceil(cx - half - 0.5));
        const int to = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
        if (to > from) rows.push_back({std::max(from, box.left), y, std::min(to, box.right), y + 1});
    }
    PixelArea area;
    pixman_region32_fini(&area.r_);
    pixman_region32_init_rects(&area.r_, rows.data(), static_cast<int>(rows.size()));
    return area;
}

PixelArea PixelArea::figure(Figure::Kind kind, const PixelRect& box) {
    if (box.isEmpty()) return {};
    return kind == Figure::Kind::Circle ? ellipse(box) : PixelArea(box);
}

PixelArea PixelArea::border(Figure::Kind kind, const PixelRect& box, int width) {
    if (width <= 0) return {};
    return figure(kind, box).subtracted(figure(kind, box.adjusted(width, width, -width, -width)));
}

PixelArea PixelArea::intersected(const PixelArea& other) const {
    PixelArea out;
    pixman_region32_intersect(&out.r_, const_cast<pixman_region32_t*>(&r_),
                              const_cast<pixman_region32_t*>(&other.r_));
    return out;
}

PixelArea PixelArea::subtracted(const PixelArea& other) const {
    PixelArea out;
    pixman_region32_subtract(&out.r_, const_cast<pixman_region32_t*>(&r_),
                             const_cast<pixman_region32_t*>(&other.r_));
    return out;
}

PixelArea PixelArea::translated(PixelPoint by) const {
    PixelArea out(*this);
    pixman_region32_translate(&out.r_, by.x, by.y);
    return out;
}

bool PixelArea::isEmpty() const {
    return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&r_));
}

bool PixelArea::contains(int x, int y) const {
    return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&r_), x, y, nullptr);
}

PixelRect PixelArea::bounds() const {
    if (isEmpty()) return {};
    const pixman_box32_t* b = pixman_region32_extents(const_cast<pixman_region32_t*>(&r_));
    return {b->x1, b->y1, b->x2, b->y2};
}

std::span<const pixman_box32_t> PixelArea::boxes() const {
    int count = 0;
    const pixman_box32_t* first =
        pixman_region32_rectangles(const_cast<pixman_region32_t*>(&r_), &count);
    return {first, static_cast<std::size_t>(count)};
}

void paintArea(PixelImage& image, const PixelArea& area, Color color, DrawMode mode) {
    const std::uint32_t word = opaqueWord(color);
    forEachRow(image, area, [&](std::uint32_t* row, int, int from, int to) {
        if (mode == DrawMode::MaskPen)
            for (int x = from; x < to; ++x) row[x] &= word;
        else
            std::fill(row + from, row + to, word);
    });
}

bool onHatch(FillStyle hatch, int x, int y) {
    const bool horizontal = (y & 7) == 0, vertical = (x & 7) == 0;
    const bool upward = ((x + y) & 7) == 7, downward = ((x - y) & 7) == 0;
    switch (hatch) {
        case FillStyle::HorizontalLine:
            return horizontal;
        case FillStyle::VerticalLine:
            return vertical;
        case FillStyle::UpwardDiagonal:
            return upward;
        case FillStyle::DownwardDiagonal:
            return downward;
        case FillStyle::Cross:
            return horizontal || vertical;
        case FillStyle::DiagonalCross:
            return upward || downward;
        case FillStyle::Solid:
            return true;
        case FillStyle::Transparent:
            return false;
    }
    return false;
}

void hatchArea(PixelImage& image, const PixelArea& area, FillStyle hatch, Color color,
               DrawMode mode) {
    const std::uint32_t word = opaqueWord(color);
    forEachRow(image, area, [&](std::uint32_t* row, int y, int from, int to) {
        for (int x = from; x < to; ++x)
            if (onHatch(hatch, x, y)) row[x] = mode == DrawMode::MaskPen ? row[x] & word : word;
    });
}

}  // namespace xmascard
