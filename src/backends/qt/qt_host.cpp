// SPDX-License-Identifier: MIT
#include "backends/qt/qt_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

#include "backends/qt/form_window.h"
#include "backends/qt/web_browser.h"
#include "platform/io/files.h"

namespace xmascard {

std::unique_ptr<FormView> QtHost::makeView(Form& form) {
    if (outlines_ != nullptr) return std::make_unique<FormWindow>(form, *outlines_);
    return std::make_unique<FormWindow>(form);
}

ScreenSize QtHost::screen() const {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.width(), screen.height()};
}

bool QtHost::openUrl(const std::string& address) { return openInBrowser(address); }

std::string QtHost::soundDirectory() { return soundDirectoryFor(Environ, cacheDirectory()); }

std::string QtHost::cacheDirectory() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) cache = QDir::tempPath();
    const QString dir = cache + "/xmascard";
    QDir().mkpath(dir);  // a failure shows when the files are written
    return dir.toStdString();
}

void QtHost::quit() { QCoreApplication::exit(0); }

void QtHost::sweepLater() {
    if (loop_) loop_->sweepLater();
}

void QtHost::timerArmed() {
    if (loop_) loop_->timerArmed();
}

void QtHost::run(Runtime& runtime, TickClock& clock) {
    loop_ = std::make_unique<RealTimeLoop>(runtime, clock);
    loop_->start();
}

}  // namespace xmascard
