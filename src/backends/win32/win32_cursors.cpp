// SPDX-License-Identifier: MIT
#include "backends/win32/win32_cursors.h"

#include <map>
#include <string>

#include "backends/win32/gdiplus_codec.h"
#include "backends/win32/win32_dib.h"
#include "backends/win32/win32_gdi.h"
#include "platform/resources.h"

namespace xmascard {

namespace {

// An icon or cursor of a picture with per-pixel alpha (straight, not premultiplied).
HICON makeIcon(const char* picture, bool isIcon, int hotX, int hotY) {
    const auto bytes = embeddedFile(picture);
    if (!bytes) return nullptr;
    DecodedPixels pixels;
    std::string why;
    if (!decodeWithGdiplus(*bytes, Alpha::Straight, pixels, why)) return nullptr;
    auto color = Dib::create(pixels.width, pixels.height);
    if (!color) return nullptr;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            color->row(y)[x] = pixels.words[static_cast<std::size_t>(y) * pixels.width + x];
    // The mask is unused where the colour bitmap has alpha, but must be there.
    GdiObject mask(CreateBitmap(pixels.width, pixels.height, 1, 1, nullptr));
    HBITMAP colorBitmap = static_cast<HBITMAP>(GetCurrentObject(color->dc(), OBJ_BITMAP));
    ICONINFO info{isIcon, static_cast<DWORD>(hotX), static_cast<DWORD>(hotY),
                  static_cast<HBITMAP>(mask.get()), colorBitmap};
    return CreateIconIndirect(&info);
}

}  // namespace

HCURSOR cursorFor(const Cursor& c) {
    static const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    if (c.isDefault()) return arrow;
    static std::map<std::tuple<std::string, int, int>, HCURSOR> cursors;
    const auto key = std::make_tuple(std::string(c.picture), c.hotX, c.hotY);
    auto it = cursors.find(key);
    if (it == cursors.end())
        it = cursors.emplace(key, static_cast<HCURSOR>(makeIcon(c.picture, false, c.hotX, c.hotY)))
                 .first;
    return it->second ? it->second : arrow;
}

HICON iconFor(const char* picture) { return picture ? makeIcon(picture, true, 0, 0) : nullptr; }

}  // namespace xmascard
