// SPDX-License-Identifier: MIT
#include "platform/region.h"

#include <QRect>
#include <QVector>

#include "platform/region_impl.h"

namespace xmascard {

namespace {
QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::shared_ptr<const Region::Impl> make(QRegion region) {
    return std::make_shared<const Region::Impl>(Region::Impl{std::move(region)});
}
}  // namespace

Region::Region() : impl_(make(QRegion())) {}

Region::Region(const PixelRect& rect)
    : impl_(make(rect.right > rect.left && rect.bottom > rect.top ? QRegion(toQRect(rect))
                                                                  : QRegion())) {}

Region::Region(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

Region Region::fromRowRuns(const std::vector<PixelRect>& runs) {
    QVector<QRect> rects;
    rects.reserve(static_cast<qsizetype>(runs.size()));
    for (const PixelRect& r : runs) rects.push_back(toQRect(r));
    QRegion region;
    // Rows one pixel high, sorted and disjoint, are already in the banded form QRegion keeps.
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return Region(make(std::move(region)));
}

Region Region::united(const Region& other) const {
    return Region(make(impl_->region.united(other.impl_->region)));
}

Region Region::subtracted(const Region& other) const {
    return Region(make(impl_->region.subtracted(other.impl_->region)));
}

bool Region::isEmpty() const { return impl_->region.isEmpty(); }

bool Region::contains(int x, int y) const { return impl_->region.contains(QPoint(x, y)); }

PixelRect Region::boundingRect() const {
    const QRect b = impl_->region.boundingRect();
    return {b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
}

std::vector<PixelRect> Region::rects() const {
    std::vector<PixelRect> out;
    for (const QRect& r : impl_->region)
        out.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    return out;
}

bool operator==(const Region& a, const Region& b) {
    return a.impl_->region.xored(b.impl_->region).isEmpty();
}

}  // namespace xmascard
