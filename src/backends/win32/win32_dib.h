// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

#include "system/win32/win32_windows.h"

namespace xmascard {

// A 32-bit top-down DIB section selected into a memory device context of its own: the
// pixels of a picture, a picture box's drawing or an image, readable row by row and
// drawable with GDI. Words are 0xAARRGGBB; GDI's own drawing leaves the alpha byte 0.
class Dib {
  public:
    // No value when the system cannot make one (out of memory or handles).
    static std::unique_ptr<Dib> create(int width, int height);
    ~Dib();
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    HDC dc() const { return dc_; }
    std::uint32_t* row(int y) const { return bits_ + static_cast<std::size_t>(y) * width_; }
    // Sets every alpha byte to opaque, after GDI drawing (which clears it).
    void makeOpaque();

    // The handles a Dib takes over (create() makes them).
    struct Handles {
        HDC dc;
        HBITMAP bitmap;
        HGDIOBJ previous;  // what the device context held before the bitmap
        std::uint32_t* bits;
    };
    Dib(int width, int height, Handles h)
        : width_(width),
          height_(height),
          dc_(h.dc),
          bitmap_(h.bitmap),
          previous_(h.previous),
          bits_(h.bits) {}

  private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    std::uint32_t* bits_;
};

}  // namespace xmascard
