// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <cstdint>
#include <unordered_map>

namespace xmascard {

// Small circles with a plain fill, drawn once and then copied. QPainter draws even a
// five-pixel ellipse through a curved path, which costs far more than copying its pixels,
// and the snow draws hundreds of dots a step. Centres are kept to 1/16 of a pixel.
class DotSprites {
  public:
    struct Dot {
        double x, y, radius;
        QColor outline;  // invalid: no outline
        QColor fill;     // invalid: no fill
    };
    static constexpr double kLargestRadius = 8;

    // Draws the dot with copy-pen painting.
    void draw(QPainter& painter, const Dot& dot);

  private:
    struct Key {
        std::int32_t radius16, fx16, fy16;
        QRgb outline, fill;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    static constexpr std::size_t kMostSprites = 4096;

    std::unordered_map<Key, QImage, KeyHash> sprites_;
};

}  // namespace xmascard
