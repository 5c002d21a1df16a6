// SPDX-License-Identifier: MIT
#include "backends/qt/window_outlines.h"

#include <QPainter>
#include <QWindow>

namespace xmascard {

void WindowOutlines::apply(QWindow& window, const QRegion& outline) const {
    window.setMask(outline);
}

void clearOutside(QPainter& painter, const QRegion& painted, const QRegion& outline) {
    if (outline.isEmpty()) return;
    const QRegion outside = painted - outline;
    if (outside.isEmpty()) return;
    painter.save();
    painter.setClipRegion(outside);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(outside.boundingRect(), Qt::transparent);
    painter.restore();
}

}  // namespace xmascard
