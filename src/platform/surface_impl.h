#pragma once

#include <QImage>

#include "platform/surface.h"

namespace xmascard {

// Opaque RGB32 pixels, so colour reads are exact.
struct Surface::Impl {
    QImage image;
};

inline const QImage& qImage(const Surface& s) { return s.impl().image; }

}  // namespace xmascard
