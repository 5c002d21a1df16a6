// SPDX-License-Identifier: MIT
#include "backends/qt/dot_sprites.h"

#include <QPainter>
#include <cmath>
#include <functional>

namespace xmascard {

namespace {
constexpr double kSteps = 16;  // sub-pixel positions per pixel
}

std::size_t DotSprites::KeyHash::operator()(const Key& k) const {
    std::size_t h =
        std::hash<std::int64_t>()((std::int64_t(k.radius16) << 32) ^ (k.fx16 << 16) ^ k.fy16);
    return h ^ (std::hash<std::uint64_t>()((std::uint64_t(k.outline) << 32) | k.fill) * 31);
}

void DotSprites::draw(QPainter& painter, const Dot& dot) {
    const double ix = std::floor(dot.x), iy = std::floor(dot.y);
    const Key key{static_cast<std::int32_t>(std::lround(dot.radius * kSteps)),
                  static_cast<std::int32_t>(std::lround((dot.x - ix) * kSteps)),
                  static_cast<std::int32_t>(std::lround((dot.y - iy) * kSteps)),
                  dot.outline.isValid() ? dot.outline.rgba() : 0u,
                  dot.fill.isValid() ? dot.fill.rgba() : 0u};
    const int half = static_cast<int>(std::ceil(dot.radius)) + 2;
    auto it = sprites_.find(key);
    if (it == sprites_.end()) {
        if (sprites_.size() >= kMostSprites) sprites_.clear();
        QImage sprite(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
        sprite.fill(Qt::transparent);
        QPainter p(&sprite);
        p.setPen(dot.outline.isValid() ? QPen(dot.outline, 1) : QPen(Qt::NoPen));
        p.setBrush(dot.fill.isValid() ? QBrush(dot.fill) : QBrush(Qt::NoBrush));
        p.drawEllipse(QPointF(half + key.fx16 / kSteps, half + key.fy16 / kSteps), dot.radius,
                      dot.radius);
        p.end();
        it = sprites_.emplace(key, std::move(sprite)).first;
    }
    painter.drawImage(QPoint(static_cast<int>(ix) - half, static_cast<int>(iy) - half), it->second);
}

}  // namespace xmascard
