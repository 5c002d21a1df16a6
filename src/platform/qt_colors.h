// SPDX-License-Identifier: MIT
#pragma once

#include <QBrush>
#include <QColor>

#include "platform/color.h"
#include "platform/drawing.h"

namespace xmascard {

// A colour value as Qt draws it; system colours come from the application's palette.
QColor toQColor(Color c);
// The brush pattern of a fill style (hatches are drawn on a transparent background).
Qt::BrushStyle toBrushStyle(FillStyle style);

}  // namespace xmascard
