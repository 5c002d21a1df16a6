// SPDX-License-Identifier: MIT
#include "backends/win32/win32_graphics.h"

#include <cstring>

#include "backends/win32/gdiplus_codec.h"
#include "backends/win32/win32_canvas.h"
#include "backends/win32/win32_picture.h"
#include "backends/win32/win32_surface.h"

namespace xmascard {

namespace {

Picture pictureOf(int width, int height, const std::uint32_t* premultiplied) {
    auto dib = Dib::create(width, height);
    if (!dib) return {};
    for (int y = 0; y < height; ++y)
        std::memcpy(dib->row(y), premultiplied + static_cast<std::size_t>(y) * width,
                    static_cast<std::size_t>(width) * 4);
    return Picture(std::make_shared<const Win32PictureData>(std::move(dib)));
}

}  // namespace

Picture Win32Graphics::decode(std::span<const std::uint8_t> bytes, std::string& why) {
    DecodedPixels pixels;
    if (!decodeWithGdiplus(bytes, Alpha::Premultiplied, pixels, why)) return {};
    Picture picture = pictureOf(pixels.width, pixels.height, pixels.words.data());
    if (picture.isNull()) why = "no memory for its pixels";
    return picture;
}

Picture Win32Graphics::makePicture(int width, int height, std::span<const std::uint32_t> pixels) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height)
        return {};
    std::vector<std::uint32_t> premultiplied(
        pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(width) * height);
    for (std::uint32_t& word : premultiplied) word = premultipliedArgb(word);
    return pictureOf(width, height, premultiplied.data());
}

std::unique_ptr<Surface> Win32Graphics::makeSurface() { return std::make_unique<Win32Surface>(); }

std::unique_ptr<Image> Win32Graphics::makeImage(int width, int height, Color fill) {
    return Win32Image::create(width, height, fill);
}

std::vector<std::uint8_t> Win32Graphics::encodePng(Image& image, int /*effort*/) {
    const std::uint32_t* first = image.scanLine(0);
    return encodePngWithGdiplus(image.width(), image.height(), image.width() * 4, first);
}

}  // namespace xmascard
