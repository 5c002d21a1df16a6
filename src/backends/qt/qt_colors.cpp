// SPDX-License-Identifier: MIT
#include "backends/qt/qt_colors.h"

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
    // In the order of FillStyle's values.
    static constexpr Qt::BrushStyle kBrushes[] = {
        Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
        Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    return kBrushes[static_cast<int>(style)];
}

QFont toQFont(const Font& f) {
    QFont font;
    // Where the named font is missing, its metric twin stands in (Liberation Serif for Times
    // New Roman, Liberation Sans for the others): a plain fallback would give a sans serif.
    const QString family = QString::fromUtf8(f.family ? f.family : "Liberation Sans");
    const QString twin =
        family == "Times New Roman" ? QStringLiteral("Liberation Serif") : "Liberation Sans";
    font.setFamilies({family, twin, "DejaVu Sans"});
    font.setPixelSize(f.pixelSize());
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

Qt::Alignment toQAlignment(Alignment a) {
    // In the order of Alignment's values.
    static constexpr Qt::AlignmentFlag kAlignments[] = {Qt::AlignLeft, Qt::AlignRight,
                                                        Qt::AlignHCenter};
    return kAlignments[static_cast<int>(a)];
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
