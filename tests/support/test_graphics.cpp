// SPDX-License-Identifier: MIT
#include "support/test_graphics.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

namespace xmascard::testing {

namespace {

std::uint32_t argb(Color c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(redOf(c)) << 16) |
           (static_cast<std::uint32_t>(greenOf(c)) << 8) | static_cast<std::uint32_t>(blueOf(c));
}

}  // namespace

Picture solidPicture(int width, int height, Color color) {
    return pictureWithDots(width, height, color, {}, color);
}

Picture pictureWithDots(int width, int height, Color color, std::span<const PixelPoint> dots,
                        Color dotColor) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, argb(color));
    for (const PixelPoint& p : dots) pixels[static_cast<std::size_t>(p.y) * width + p.x] = argb(dotColor);
    return testGraphics().makePicture(width, height, pixels);
}

Color pixelOf(Image& image, int x, int y) {
    const std::uint32_t word = image.scanLine(y)[x];
    return RGB(static_cast<int>((word >> 16) & 0xFF), static_cast<int>((word >> 8) & 0xFF),
               static_cast<int>(word & 0xFF));
}

#ifdef _WIN32
// Windows has no mkdtemp: a name is tried until a directory of that name can be made anew.
TempDirectory::TempDirectory() : path(std::filesystem::temp_directory_path().string()) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = std::filesystem::temp_directory_path() /
                               ("xmascard-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path = candidate.string();
            return;
        }
    }
}
#else
TempDirectory::TempDirectory()
    : path((std::filesystem::temp_directory_path() / "xmascard-test-XXXXXX").string()) {
    if (!::mkdtemp(path.data())) path = std::filesystem::temp_directory_path().string();
}
#endif

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    if (path != std::filesystem::temp_directory_path().string())
        std::filesystem::remove_all(path, ignored);
}

}  // namespace xmascard::testing
