// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/color.h"

namespace xmascard {

// The pixels of a picture as a graphics backend holds them: decoded once, never changed.
class PictureData {
  public:
    virtual ~PictureData() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Colour of one pixel as 0x00BBGGRR; transparent pixels and pixels outside the picture
    // read as kInvalidColor.
    virtual Color pixel(int x, int y) const = 0;
};

// An immutable image, shared by value: the picture of a control, or a snapshot of a
// picture box's drawing. An empty Picture is "no picture".
class Picture {
  public:
    Picture() = default;
    explicit Picture(std::shared_ptr<const PictureData> data) : data_(std::move(data)) {}

    bool isNull() const { return !data_; }
    int width() const { return data_ ? data_->width() : 0; }
    int height() const { return data_ ? data_->height() : 0; }
    Color pixel(int x, int y) const { return data_ ? data_->pixel(x, y) : kInvalidColor; }

    // The backend's own data, for the backend that made it.
    const PictureData* data() const { return data_.get(); }

    friend bool operator==(const Picture& a, const Picture& b) { return a.data_ == b.data_; }

  private:
    std::shared_ptr<const PictureData> data_;
};

}  // namespace xmascard
