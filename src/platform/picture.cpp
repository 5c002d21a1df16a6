// SPDX-License-Identifier: MIT
#include "platform/picture.h"

#include <QImageReader>
#include <cstdio>

#include "platform/picture_impl.h"

namespace xmascard {

Picture Picture::fromResource(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "xmascard: picture %s cannot be read (%s); it is left out\n",
                     path.c_str(), reader.errorString().toLocal8Bit().constData());
        return {};
    }
    return makePicture(std::move(image));
}

int Picture::width() const { return impl_ ? impl_->image.width() : 0; }
int Picture::height() const { return impl_ ? impl_->image.height() : 0; }

Color Picture::pixel(int x, int y) const {
    if (!impl_ || !impl_->image.valid(x, y)) return kInvalidColor;
    const QRgb p = impl_->image.pixel(x, y);
    if (qAlpha(p) == 0) return kInvalidColor;
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

}  // namespace xmascard
