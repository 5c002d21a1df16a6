// SPDX-License-Identifier: MIT
#include "app/linux/qt_start_guard.h"

#include <unistd.h>

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>

namespace xmascard {

namespace {

QtMessageHandler previous = nullptr;
QStringList held;

QString firstLine(const QString& text) { return text.section('\n', 0, 0).trimmed(); }

void holdOrFail(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        held.append(message);
        return;
    }
    // Qt's last warning names the cause ("Could not load the Qt platform plugin ..."); its
    // fatal message only says that it gives up.
    const QString cause = held.isEmpty() ? firstLine(message) : firstLine(held.last());
    std::fprintf(stderr, "xmascard: the window system cannot start: %s\n", qPrintable(cause));
    std::fflush(stderr);
    _exit(1);
}

}  // namespace

QtStartGuard::QtStartGuard() { previous = qInstallMessageHandler(holdOrFail); }

QtStartGuard::~QtStartGuard() {
    qInstallMessageHandler(previous);
    for (const QString& message : held) qWarning("%s", qPrintable(message));
    held.clear();
}

}  // namespace xmascard
