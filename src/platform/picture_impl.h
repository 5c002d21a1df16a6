#pragma once

#include <QImage>

#include "platform/picture.h"

namespace xmascard {

// The runtime's view of a picture: a QImage in ARGB32 premultiplied, the format the
// raster painter draws fastest.
struct Picture::Impl {
    QImage image;
};

inline Picture makePicture(QImage image) {
    return Picture(std::make_shared<const Picture::Impl>(
        Picture::Impl{image.convertToFormat(QImage::Format_ARGB32_Premultiplied)}));
}

inline const QImage* qImage(const Picture& p) { return p.isNull() ? nullptr : &p.impl()->image; }

}  // namespace xmascard
