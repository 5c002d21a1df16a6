// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

#include "platform/picture.h"

namespace xmascard {

// A picture as the Qt backend holds it: a QImage in ARGB32 premultiplied, the format the
// raster painter draws fastest.
class QtPictureData final : public PictureData {
  public:
    explicit QtPictureData(QImage image);
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    Color pixel(int x, int y) const override;

    const QImage& image() const { return image_; }
    // Every pixel fully opaque: it can be copied instead of blended.
    bool opaque() const { return opaque_; }

  private:
    QImage image_;
    bool opaque_ = false;
};

inline Picture makePicture(QImage image) {
    return Picture(std::make_shared<const QtPictureData>(std::move(image)));
}

// The Qt data of a picture of this backend; null for no picture.
inline const QtPictureData* qtPicture(const Picture& p) {
    return static_cast<const QtPictureData*>(p.data());
}
inline const QImage* qImage(const Picture& p) {
    const QtPictureData* data = qtPicture(p);
    return data ? &data->image() : nullptr;
}

}  // namespace xmascard
