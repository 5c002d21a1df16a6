// SPDX-License-Identifier: MIT
#include "backends/qt/qt_picture.h"

namespace xmascard {

namespace {

bool everyPixelOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 255) return false;
    }
    return true;
}

}  // namespace

QtPictureData::QtPictureData(QImage image) {
    // A format without alpha (the JPEG greetings) is opaque without looking at its pixels.
    const bool formatOpaque = !image.hasAlphaChannel();
    image_ = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    opaque_ = formatOpaque || everyPixelOpaque(image_);
}

Color QtPictureData::pixel(int x, int y) const {
    if (!image_.valid(x, y)) return kInvalidColor;
    const QRgb p = image_.pixel(x, y);
    if (qAlpha(p) == 0) return kInvalidColor;
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

}  // namespace xmascard
