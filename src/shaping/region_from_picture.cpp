// SPDX-License-Identifier: MIT
#include "shaping/region_from_picture.h"

#include <algorithm>
#include <vector>

#include "platform/region_calls.h"
#include "platform/units.h"

namespace xmascard {

namespace {

// The scanned size: the box's inner size in its scale, rounded half to even, and never past
// the drawing (a box left in twips would otherwise read far outside its pixels).
struct ScanSize {
    int width;
    int height;
};

ScanSize scanSize(const PictureBox& box) {
    const Surface& s = box.surface();
    return {std::clamp(roundHalfEven(box.ScaleWidth()), 0, s.width()),
            std::clamp(roundHalfEven(box.ScaleHeight()), 0, s.height())};
}

}  // namespace

RegionHandle RegionFromPicture(const PictureBox& box) {
    const ScanSize size = scanSize(box);
    if (size.width < 1 || size.height < 1) return std::nullopt;
    const Surface& surface = box.surface();
    const std::uint32_t key = Surface::rawColor(surface.scanLine(0)[0]);

    std::vector<PixelRect> runs;
    for (int y = 0; y < size.height; ++y) {
        const std::uint32_t* row = surface.scanLine(y);
        int x = 0;
        while (x < size.width) {
            while (x < size.width && Surface::rawColor(row[x]) == key) ++x;
            if (x == size.width) break;
            const int start = x;
            while (x < size.width && Surface::rawColor(row[x]) != key) ++x;
            runs.push_back({start, y, x, y + 1});
        }
    }
    if (runs.empty()) return std::nullopt;
    return Region::fromRowRuns(runs);
}

RegionHandle RegionFromPictureByPixelReads(const PictureBox& box) {
    const ScanSize size = scanSize(box);
    if (size.width < 1 || size.height < 1) return std::nullopt;
    const DeviceContext dc = box.hDC();
    const Color key = GetPixel(dc, 0, 0);

    RegionHandle result;
    const auto close = [&](int left, int top, int right) {
        const Region rect = CreateRectRgn(left, top, right, top + 1);
        if (!result)
            result = rect;
        else
            CombineRgn(*result, *result, rect, CombineMode::Or);
    };
    for (int y = 0; y < size.height; ++y) {
        bool open = false;
        int start = 0;
        for (int x = 0; x < size.width; ++x) {
            const bool figure = GetPixel(dc, x, y) != key;
            if (figure && !open) {
                open = true;
                start = x;
            } else if (!figure && open) {
                open = false;
                close(start, y, x);
            }
        }
        if (open) close(start, y, size.width);
    }
    return result;
}

}  // namespace xmascard
