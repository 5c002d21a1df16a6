// SPDX-License-Identifier: MIT
#include "platform/region.h"

#include <pixman.h>

namespace xmascard {

// A pixman region: banded, coalesced and canonical, so equal coverage means equal bands.
struct Region::Impl {
    pixman_region32_t region;
    Impl() { pixman_region32_init(&region); }
    ~Impl() { pixman_region32_fini(&region); }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
};

namespace {

std::shared_ptr<Region::Impl> fresh() { return std::make_shared<Region::Impl>(); }

// pixman reads regions through pointers to mutable ones even where it changes nothing.
pixman_region32_t* raw(const std::shared_ptr<const Region::Impl>& impl) {
    return const_cast<pixman_region32_t*>(&impl->region);
}

}  // namespace

Region::Region() : impl_(fresh()) {}

Region::Region(const PixelRect& rect) {
    auto impl = fresh();
    if (!rect.isEmpty())
        pixman_region32_init_rect(&impl->region, rect.left, rect.top,
                                  static_cast<unsigned>(rect.width()),
                                  static_cast<unsigned>(rect.height()));
    impl_ = std::move(impl);
}

Region::Region(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

Region Region::fromRowRuns(const std::vector<PixelRect>& runs) {
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(runs.size());
    for (const PixelRect& r : runs) boxes.push_back({r.left, r.top, r.right, r.bottom});
    auto impl = fresh();
    pixman_region32_fini(&impl->region);
    pixman_region32_init_rects(&impl->region, boxes.data(), static_cast<int>(boxes.size()));
    return Region(std::move(impl));
}

Region Region::united(const Region& other) const {
    auto impl = fresh();
    pixman_region32_union(&impl->region, raw(impl_), raw(other.impl_));
    return Region(std::move(impl));
}

Region Region::subtracted(const Region& other) const {
    auto impl = fresh();
    pixman_region32_subtract(&impl->region, raw(impl_), raw(other.impl_));
    return Region(std::move(impl));
}

Region Region::translated(PixelPoint by) const {
    auto impl = fresh();
    pixman_region32_copy(&impl->region, raw(impl_));
    pixman_region32_translate(&impl->region, by.x, by.y);
    return Region(std::move(impl));
}

bool Region::isEmpty() const { return !pixman_region32_not_empty(raw(impl_)); }

bool Region::contains(int x, int y) const {
    return pixman_region32_contains_point(raw(impl_), x, y, nullptr);
}

PixelRect Region::boundingRect() const {
    if (isEmpty()) return {};
    const pixman_box32_t* b = pixman_region32_extents(raw(impl_));
    return {b->x1, b->y1, b->x2, b->y2};
}

std::vector<PixelRect> Region::rects() const {
    int count = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(raw(impl_), &count);
    std::vector<PixelRect> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return out;
}

bool operator==(const Region& a, const Region& b) {
    return pixman_region32_equal(raw(a.impl_), raw(b.impl_));
}

}  // namespace xmascard
