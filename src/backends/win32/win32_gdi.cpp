// SPDX-License-Identifier: MIT
#include "backends/win32/win32_gdi.h"

#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "system/win32/win32_text.h"

namespace xmascard {

COLORREF toColorRef(Color c) {
    if (isSystemColor(c)) return GetSysColor(static_cast<int>(c & 0xFF));
    return RGB(redOf(c), greenOf(c), blueOf(c));
}

int hatchOf(FillStyle style) {
    switch (style) {
        case FillStyle::HorizontalLine:
            return HS_HORIZONTAL;
        case FillStyle::VerticalLine:
            return HS_VERTICAL;
        case FillStyle::UpwardDiagonal:
            return HS_BDIAGONAL;
        case FillStyle::DownwardDiagonal:
            return HS_FDIAGONAL;
        case FillStyle::Cross:
            return HS_CROSS;
        case FillStyle::DiagonalCross:
            return HS_DIAGCROSS;
        case FillStyle::Solid:
        case FillStyle::Transparent:
            break;
    }
    return -1;
}

HFONT fontFor(const Font& f) {
    const int pixels = static_cast<int>(std::lround(f.points * 96.0f / 72.0f));
    const std::string family = f.family ? f.family : "MS Sans Serif";
    using Key = std::tuple<std::string, int, bool, bool, bool>;
    static std::map<Key, HFONT> fonts;
    const Key key{family, pixels, f.bold, f.italic, f.underline};
    if (auto it = fonts.find(key); it != fonts.end()) return it->second;
    // A negative height is the em height, the pixel size the layout gives.
    HFONT font = CreateFontW(-pixels, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, widen(family).c_str());
    fonts.emplace(key, font);
    return font;
}

HRGN toHrgn(const Region& region, PixelPoint offset) {
    const std::vector<PixelRect> rects = region.rects();
    std::vector<std::byte> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    RECT bounds{0, 0, 0, 0};
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const PixelRect r = rects[i].translated(offset);
        out[i] = RECT{r.left, r.top, r.right, r.bottom};
        if (i == 0) bounds = out[i];
        UnionRect(&bounds, &bounds, &out[i]);
    }
    data->rdh.rcBound = bounds;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
}

}  // namespace xmascard
