// SPDX-License-Identifier: MIT
#include "backends/win32/win32_picture.h"

namespace xmascard {

Win32PictureData::Win32PictureData(std::unique_ptr<Dib> dib) : dib_(std::move(dib)) {
    for (int y = 0; y < dib_->height() && opaque_; ++y) {
        const std::uint32_t* row = dib_->row(y);
        for (int x = 0; x < dib_->width(); ++x)
            if ((row[x] >> 24) != 0xFF) {
                opaque_ = false;
                break;
            }
    }
}

Color Win32PictureData::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return kInvalidColor;
    const std::uint32_t p = dib_->row(y)[x];
    const std::uint32_t a = p >> 24;
    if (a == 0) return kInvalidColor;
    // Back from premultiplied, rounding as the Qt backend does.
    const auto channel = [&](int shift) {
        const std::uint32_t c = (p >> shift) & 0xFF;
        return static_cast<int>(a == 0xFF ? c : (c * 255 + a / 2) / a);
    };
    return RGB(channel(16), channel(8), channel(0));
}

void blitPicture(HDC to, int x, int y, const Win32PictureData& picture) {
    const Dib& dib = picture.dib();
    if (picture.opaque()) {
        BitBlt(to, x, y, dib.width(), dib.height(), dib.dc(), 0, 0, SRCCOPY);
        return;
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(to, x, y, dib.width(), dib.height(), dib.dc(), 0, 0, dib.width(), dib.height(),
               blend);
}

}  // namespace xmascard
