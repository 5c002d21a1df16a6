// SPDX-License-Identifier: MIT
#include "platform/qt_colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace xmascard {

QColor toQColor(Color c) {
    if (!isSystemColor(c)) return QColor(redOf(c), greenOf(c), blueOf(c));
    const QPalette palette = QGuiApplication::palette();
    switch (c & ~kSystemColorFlag) {
        case 5:
            return palette.color(QPalette::Base);
        case 8:
            return palette.color(QPalette::WindowText);
        case 15:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::Window);
    }
}

Qt::BrushStyle toBrushStyle(FillStyle style) {
    switch (style) {
        case FillStyle::Solid:
            return Qt::SolidPattern;
        case FillStyle::Transparent:
            return Qt::NoBrush;
        case FillStyle::HorizontalLine:
            return Qt::HorPattern;
        case FillStyle::VerticalLine:
            return Qt::VerPattern;
        case FillStyle::UpwardDiagonal:
            return Qt::BDiagPattern;
        case FillStyle::DownwardDiagonal:
            return Qt::FDiagPattern;
        case FillStyle::Cross:
            return Qt::CrossPattern;
        case FillStyle::DiagonalCross:
            return Qt::DiagCrossPattern;
    }
    return Qt::NoBrush;
}

}  // namespace xmascard
