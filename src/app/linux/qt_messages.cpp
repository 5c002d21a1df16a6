// SPDX-License-Identifier: MIT
#include "app/linux/qt_messages.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <cstdio>
#include <string>

#include "platform/io/shown_text.h"

namespace xmascard {

namespace {

// Qt's X11 plugin and the Xlib connection beside it can both find the server gone: the
// card tells it once.
std::atomic<bool> serverGoneTold{false};

void tellServerGone(const std::string& cause) {
    if (serverGoneTold.exchange(true)) return;
    std::fprintf(stderr, "xmascard: the X server went away: %s; the card ends\n",
                 io::shown(cause).c_str());
    std::fflush(stderr);
}

// Xlib's own handler prints two lines of its own and exits; this one says it as the card.
int xlibConnectionBroke(void*) {
    tellServerGone("the X11 connection broke");
    _exit(1);
}

void say(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    // The first line says what happened; Qt's further lines list what it tried.
    const QString text = message.section('\n', 0, 0).trimmed();
    if (text.startsWith(QLatin1String("QStandardPaths: "))) return;
    if (text.startsWith(QLatin1String("The X11 connection broke"))) {
        QString cause = text.section('.', 0, 0);
        cause[0] = cause[0].toLower();
        tellServerGone(cause.toStdString());
    } else {
        std::fprintf(stderr, "xmascard: %s\n", io::shown(text.toStdString()).c_str());
    }
    std::fflush(stderr);
}

}  // namespace

void routeQtMessages() { qInstallMessageHandler(say); }

void routeXlibConnectionErrors() {
    // Looked up in the process: Xlib is there once Qt's X11 plugin has loaded it, and the
    // card links no Xlib of its own.
    using Handler = int (*)(void*);
    using SetHandler = Handler (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(RTLD_DEFAULT, "XSetIOErrorHandler")))
        set(xlibConnectionBroke);
}

}  // namespace xmascard
