// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/surface.h"

namespace xmascard {

// Opaque RGB32 pixels, so colour reads are exact. Drawing keeps one painter open between
// calls (snow draws hundreds of dots a step); it is closed before the image is replaced.
struct Surface::Impl {
    QImage image;
    std::unique_ptr<QPainter> painter;

    QPainter& paint() {
        if (!painter) painter = std::make_unique<QPainter>(&image);
        return *painter;
    }
    void finishPainting() { painter.reset(); }
};

inline const QImage& qImage(const Surface& s) { return s.impl().image; }

}  // namespace xmascard
