// SPDX-License-Identifier: MIT
#include "app/linux/qt_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

#include "platform/io/shown_text.h"

namespace xmascard {

namespace {

void say(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    // The first line says what happened; Qt's further lines list what it tried.
    const QString text = message.section('\n', 0, 0).trimmed();
    if (text.startsWith(QLatin1String("QStandardPaths: "))) return;
    if (text.startsWith(QLatin1String("The X11 connection broke"))) {
        QString cause = text.section('.', 0, 0);
        cause[0] = cause[0].toLower();
        std::fprintf(stderr, "xmascard: the X server went away: %s; the card ends\n",
                     io::shown(cause.toStdString()).c_str());
    } else {
        std::fprintf(stderr, "xmascard: %s\n", io::shown(text.toStdString()).c_str());
    }
    std::fflush(stderr);
}

}  // namespace

void routeQtMessages() { qInstallMessageHandler(say); }

}  // namespace xmascard
