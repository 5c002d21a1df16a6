// SPDX-License-Identifier: MIT
#include "backends/qt/qt_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "backends/qt/deferred_form_window.h"
#include "backends/qt/web_browser.h"
#include "platform/io/files.h"
#include "platform/io/shown_text.h"

namespace xmascard {

std::unique_ptr<FormView> QtHost::makeView(Form& form) {
    return std::make_unique<DeferredFormWindow>(form, outlines_);
}

ScreenSize QtHost::screen() const {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.width(), screen.height()};
}

bool QtHost::openUrl(const std::string& address) { return openInBrowser(address); }

std::string QtHost::soundDirectory() { return userSoundDirectory(); }

std::string QtHost::userSoundDirectory() {
    if (std::string chosen = soundDirectoryFor(Environ, ""); !chosen.empty()) return chosen;
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) cache = QDir::tempPath();
    const std::string dir = (cache + "/xmascard").toStdString();
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!error) return dir;
    std::fprintf(stderr,
                 "xmascard: cannot make %s for the sound files (%s); the card plays without them\n",
                 io::shown(dir).c_str(), std::strerror(error.value()));
    return {};
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
