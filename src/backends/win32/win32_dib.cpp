// SPDX-License-Identifier: MIT
#include "backends/win32/win32_dib.h"

namespace xmascard {

std::unique_ptr<Dib> Dib::create(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        DeleteObject(bitmap);
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    return std::make_unique<Dib>(width, height,
                                 Handles{dc, bitmap, previous, static_cast<std::uint32_t*>(bits)});
}

Dib::~Dib() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

void Dib::makeOpaque() {
    GdiFlush();
    const std::size_t count = static_cast<std::size_t>(width_) * height_;
    for (std::size_t i = 0; i < count; ++i) bits_[i] |= 0xFF000000u;
}

}  // namespace xmascard
