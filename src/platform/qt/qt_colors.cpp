// SPDX-License-Identifier: MIT
#include "platform/qt/qt_colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QVector>
#include <cmath>

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

QFont toQFont(const Font& f) {
    QFont font;
    // Where the named font is missing, its metric twin stands in (Liberation Serif for Times
    // New Roman, Liberation Sans for the others): a plain fallback would give a sans serif.
    const QString family = QString::fromUtf8(f.family ? f.family : "Liberation Sans");
    const QString twin =
        family == "Times New Roman" ? QStringLiteral("Liberation Serif") : "Liberation Sans";
    font.setFamilies({family, twin, "DejaVu Sans"});
    font.setPixelSize(static_cast<int>(std::lround(f.points * 96.0f / 72.0f)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

Qt::Alignment toQAlignment(Alignment a) {
    switch (a) {
        case Alignment::Left:
            return Qt::AlignLeft;
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Center:
            return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

QRegion toQRegion(const Region& region) {
    QVector<QRect> rects;
    for (const PixelRect& r : region.rects()) rects.push_back(toQRect(r));
    QRegion out;
    // The bands are sorted and disjoint, the form QRegion keeps.
    out.setRects(rects.constData(), static_cast<int>(rects.size()));
    return out;
}

}  // namespace xmascard
