// SPDX-License-Identifier: MIT
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QRect>
#include <QRegion>

#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/region.h"

namespace xmascard {

// A colour value as Qt draws it; system colours come from the application's palette.
QColor toQColor(Color c);
// The brush pattern of a fill style (hatches are drawn on a transparent background).
Qt::BrushStyle toBrushStyle(FillStyle style);
// The Qt font for a font of the layout.
QFont toQFont(const Font& font);
Qt::Alignment toQAlignment(Alignment alignment);

inline QRect toQRect(const PixelRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
inline PixelRect toPixelRect(const QRect& r) {
    return PixelRect::at(r.left(), r.top(), r.width(), r.height());
}
QRegion toQRegion(const Region& region);

}  // namespace xmascard
