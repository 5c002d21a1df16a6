// SPDX-License-Identifier: MIT
// Which characters no font draws, as Qt would draw them: each character a reader counts is
// laid out alone, with Qt's font fallback (fontconfig's choice of fonts for its script),
// and a glyph 0 (the font's "missing" box) in what comes out means no font has it.
#include <QGlyphRun>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include "backends/qt/qt_colors.h"
#include "backends/qt/qt_graphics.h"

namespace xmascard {

namespace {

bool drawn(const QString& character, const QFont& font) {
    QTextLayout layout(character, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        for (const quint32 glyph : run.glyphIndexes())
            if (glyph == 0) return false;
    return true;
}

}  // namespace

std::u32string QtGraphics::undrawable(const std::string& text, const Font& font) {
    const QString utf16 = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFont qfont = toQFont(font);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, utf16);
    std::u32string missing;
    qsizetype from = 0;
    for (qsizetype to = finder.toNextBoundary(); to > 0; to = finder.toNextBoundary()) {
        const QString character = utf16.sliced(from, to - from);
        from = to;
        if (drawn(character, qfont)) continue;
        // The character's base stands for it (the first of an emoji sequence).
        const char32_t base = character.toUcs4().value(0);
        if (missing.find(base) == std::u32string::npos) missing.push_back(base);
    }
    return missing;
}

}  // namespace xmascard
