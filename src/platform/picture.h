// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/color.h"

namespace xmascard {

// An immutable image, shared by value: the picture of a control, or a snapshot of a
// picture box's drawing. An empty Picture is "no picture".
class Picture {
  public:
    Picture() = default;
    // Loads an embedded picture (":/pictures/tree.gif"). A missing or undecodable picture
    // gives one line on standard error and an empty Picture.
    static Picture fromResource(const std::string& path);

    bool isNull() const { return !impl_; }
    int width() const;
    int height() const;
    // Colour of one pixel as 0x00BBGGRR; transparent pixels read as kInvalidColor.
    Color pixel(int x, int y) const;

    struct Impl;
    explicit Picture(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}
    const Impl* impl() const { return impl_.get(); }

    friend bool operator==(const Picture& a, const Picture& b) { return a.impl_ == b.impl_; }

  private:
    std::shared_ptr<const Impl> impl_;
};

}  // namespace xmascard
