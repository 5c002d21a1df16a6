// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

#include "platform/picture.h"

namespace xmascard {

// The runtime's view of a picture: a QImage in ARGB32 premultiplied, the format the
// raster painter draws fastest.
struct Picture::Impl {
    QImage image;
    bool opaque = false;  // every pixel fully opaque: it can be copied instead of blended
};

inline bool everyPixelOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 255) return false;
    }
    return true;
}

inline Picture makePicture(QImage image) {
    // A format without alpha (the JPEG greetings) is opaque without looking at its pixels.
    const bool formatOpaque = !image.hasAlphaChannel();
    QImage converted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const bool opaque = formatOpaque || everyPixelOpaque(converted);
    return Picture(
        std::make_shared<const Picture::Impl>(Picture::Impl{std::move(converted), opaque}));
}

inline const QImage* qImage(const Picture& p) { return p.isNull() ? nullptr : &p.impl()->image; }

}  // namespace xmascard
