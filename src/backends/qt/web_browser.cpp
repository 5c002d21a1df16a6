// SPDX-License-Identifier: MIT
#include "backends/qt/web_browser.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace xmascard {

namespace {
void discard(QtMsgType, const QMessageLogContext&, const QString&) {}
}  // namespace

bool openInBrowser(const std::string& address) {
    // Qt reports a missing browser on standard error; the card keeps quiet about it.
    const QtMessageHandler previous = qInstallMessageHandler(discard);
    const bool opened = QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
    qInstallMessageHandler(previous);
    return opened;
}

}  // namespace xmascard
