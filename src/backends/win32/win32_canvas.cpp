// SPDX-License-Identifier: MIT
#include "backends/win32/win32_canvas.h"

#include "backends/win32/win32_gdi.h"
#include "backends/win32/win32_picture.h"
#include "backends/win32/win32_surface.h"
#include "platform/region.h"
#include "platform/surface.h"
#include "system/win32/win32_text.h"

namespace xmascard {

namespace {

void drawShape(HDC dc, Figure::Kind kind, const PixelRect& r) {
    if (kind == Figure::Kind::Circle)
        Ellipse(dc, r.left, r.top, r.right, r.bottom);
    else
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

// Fills a figure's inside with a brush and no outline. Without a pen GDI fills a rectangle
// one pixel less to the right and below, hence its wider box; an ellipse fills its box.
void fillShape(HDC dc, Figure::Kind kind, const PixelRect& box, HGDIOBJ brush) {
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    drawShape(dc, kind, kind == Figure::Kind::Rectangle ? box.adjusted(0, 0, 1, 1) : box);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

}  // namespace

void Win32Canvas::clip(const PixelRect& r) {
    IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
}

void Win32Canvas::clip(const Region& region) {
    // Clip regions are in device coordinates: the region moves with the origin.
    POINT origin{};
    GetViewportOrgEx(dc_, &origin);
    GdiObject rgn(toHrgn(region, {origin.x, origin.y}));
    ExtSelectClipRgn(dc_, static_cast<HRGN>(rgn.get()), RGN_AND);
}

std::optional<PixelRect> Win32Canvas::clipBounds() const {
    GdiObject probe(CreateRectRgn(0, 0, 0, 0));
    if (GetClipRgn(dc_, static_cast<HRGN>(probe.get())) != 1) return std::nullopt;
    RECT box{};
    GetClipBox(dc_, &box);
    return PixelRect{box.left, box.top, box.right, box.bottom};
}

void Win32Canvas::fillRect(const PixelRect& r, Color color) {
    SetDCBrushColor(dc_, toColorRef(color));
    const RECT rect{r.left, r.top, r.right, r.bottom};
    FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Win32Canvas::frameRect(const PixelRect& r, Color color) {
    SetDCBrushColor(dc_, toColorRef(color));
    const RECT rect{r.left, r.top, r.right, r.bottom};
    FrameRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Win32Canvas::line(PixelPoint from, PixelPoint to, Color color) {
    const COLORREF c = toColorRef(color);
    SetDCPenColor(dc_, c);
    HGDIOBJ old = SelectObject(dc_, GetStockObject(DC_PEN));
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
    SetPixelV(dc_, to.x, to.y, c);  // GDI leaves the last point out
    SelectObject(dc_, old);
}

void Win32Canvas::drawFigure(const Figure& f) {
    if (f.box.isEmpty()) return;
    SaveDC(dc_);
    // The mask pen ANDs the pen and the brush with what lies under them; a hatch on a
    // transparent background leaves the pixels between its lines as they are.
    SetROP2(dc_, f.mode == DrawMode::MaskPen ? R2_MASKPEN : R2_COPYPEN);
    SetBkMode(dc_, TRANSPARENT);
    if (f.back) {
        SetDCBrushColor(dc_, toColorRef(*f.back));
        fillShape(dc_, f.kind, f.box, GetStockObject(DC_BRUSH));
    }
    if (f.fill != FillStyle::Transparent) {
        const int hatch = hatchOf(f.fill);
        GdiObject brush(hatch >= 0 ? CreateHatchBrush(hatch, toColorRef(f.fillColor))
                                   : CreateSolidBrush(toColorRef(f.fillColor)));
        fillShape(dc_, f.kind, f.box, brush.get());
    }
    if (f.borderWidth > 0) {
        // An inside-frame pen keeps the border within the figure's bounds.
        GdiObject pen(CreatePen(PS_INSIDEFRAME, f.borderWidth, toColorRef(f.borderColor)));
        HGDIOBJ oldPen = SelectObject(dc_, pen.get());
        HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(NULL_BRUSH));
        drawShape(dc_, f.kind, f.box);
        SelectObject(dc_, oldBrush);
        SelectObject(dc_, oldPen);
    }
    RestoreDC(dc_, -1);
}

void Win32Canvas::drawText(const PixelRect& box, const PixelRect& clip, const std::string& text,
                           const TextStyle& style) {
    SaveDC(dc_);
    IntersectClipRect(dc_, clip.left, clip.top, clip.right, clip.bottom);
    SelectObject(dc_, fontFor(style.font));
    SetTextColor(dc_, toColorRef(style.color));
    SetBkMode(dc_, TRANSPARENT);
    UINT flags = DT_NOPREFIX | DT_NOCLIP;
    flags |= style.alignment == Alignment::Center  ? DT_CENTER
             : style.alignment == Alignment::Right ? DT_RIGHT
                                                   : DT_LEFT;
    if (style.wordWrap) flags |= DT_WORDBREAK;
    const std::wstring wide = widen(text);
    RECT rect{box.left, box.top, box.right, box.bottom};
    if (style.vertical == TextStyle::Vertical::Center) {
        // DT_VCENTER centres single lines only: measure the text and centre its block.
        RECT measured = rect;
        DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &measured, flags | DT_CALCRECT);
        const int offset = (box.height() - (measured.bottom - measured.top)) / 2;
        rect.top += offset;
        rect.bottom += offset;
    }
    DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, flags);
    RestoreDC(dc_, -1);
}

void Win32Canvas::drawPicture(PixelPoint at, const Picture& picture) {
    if (const Win32PictureData* data = win32Picture(picture)) blitPicture(dc_, at.x, at.y, *data);
}

void Win32Canvas::drawPictureScaled(const PixelRect& to, const Picture& picture) {
    const Win32PictureData* data = win32Picture(picture);
    if (!data || to.isEmpty()) return;
    const Dib& dib = data->dib();
    if (data->opaque()) {
        // HALFTONE averages the source pixels: a smooth scale.
        SaveDC(dc_);
        SetStretchBltMode(dc_, HALFTONE);
        SetBrushOrgEx(dc_, 0, 0, nullptr);
        StretchBlt(dc_, to.left, to.top, to.width(), to.height(), dib.dc(), 0, 0, dib.width(),
                   dib.height(), SRCCOPY);
        RestoreDC(dc_, -1);
        return;
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc_, to.left, to.top, to.width(), to.height(), dib.dc(), 0, 0, dib.width(),
               dib.height(), blend);
}

void Win32Canvas::drawSurface(PixelPoint at, const Surface& surface) {
    const Dib* dib = static_cast<const Win32Surface&>(surface).dib();
    if (dib) BitBlt(dc_, at.x, at.y, dib->width(), dib->height(), dib->dc(), 0, 0, SRCCOPY);
}

void Win32Canvas::drawImage(PixelPoint at, const Image& image) {
    const Dib& dib = static_cast<const Win32Image&>(image).dib();
    BitBlt(dc_, at.x, at.y, dib.width(), dib.height(), dib.dc(), 0, 0, SRCCOPY);
}

std::unique_ptr<Win32Image> Win32Image::create(int width, int height, Color fill) {
    auto dib = Dib::create(width, height);
    if (!dib) return nullptr;
    auto image = std::make_unique<Win32Image>(std::move(dib));
    image->canvas().fillRect(PixelRect::at(0, 0, width, height), fill);
    return image;
}

const std::uint8_t* Win32Image::bits() {
    if (!finished_) {
        dib_->makeOpaque();
        finished_ = true;
    }
    return reinterpret_cast<const std::uint8_t*>(dib_->row(0));
}

}  // namespace xmascard
