// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "app/command_line.h"
#include "app/linux/file_size_limit.h"
#include "app/linux/qt_messages.h"
#include "app/linux/qt_start_guard.h"
#include "app/linux/signal_ending.h"
#include "app/name_fonts.h"
#include "app/recorder.h"
#include "app/start_card.h"
#include "backends/qt/qt_host.h"
#include "backends/x11/display_check.h"
#include "backends/x11/own_moves_filter.h"
#include "backends/x11/x11_outlines.h"
#include "build_info.h"
#include "platform/io/files.h"
#include "platform/media/audio_engine.h"
#include "platform/media/linux/linux_sound.h"
#include "platform/runtime.h"
#include "show/program.h"

namespace {

// XMASCARD_SOUNDFONT names the General MIDI SoundFont to use instead of the usual places;
// set but empty, it names none.
std::optional<std::string> chosenSoundFont() {
    auto chosen = xmascard::Environ("XMASCARD_SOUNDFONT");
    return chosen && !chosen->empty() ? chosen : std::nullopt;
}

// Qt is given only the program's name: the command line has been read already, and Qt's own
// options (-platform, -display, ...) are not the card's. The count must outlive the application.
int qtArgc = 1;

int runRecording(char** argv, const xmascard::CommandLine& line) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(qtArgc, argv);
    xmascard::QtGraphics graphics;
    if (const int refused = xmascard::refuseUndrawableNames(line.names, graphics)) return refused;
    return xmascard::recordShow(
        line.record, line.names,
        {graphics, xmascard::media::linuxSoundSystem("", chosenSoundFont()).music,
         xmascard::QtHost::userSoundDirectory()});
}

int runCard(char** argv, const xmascard::CommandLine& line) {
    if (const auto problem = xmascard::prepareDisplay()) {
        std::fprintf(stderr, "xmascard: %s\n", problem->c_str());
        return 1;
    }
    auto audio = xmascard::openCardAudio(line, [](const std::string& device) {
        return xmascard::media::linuxSoundSystem(device, chosenSoundFont());
    });
    auto startGuard = std::make_optional<xmascard::QtStartGuard>();
    QApplication app(qtArgc, argv);
    startGuard.reset();
    QApplication::setApplicationName("xmascard");
    QApplication::setApplicationVersion(XMASCARD_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);
    xmascard::routeXlibConnectionErrors();
    xmascard::X11OwnMovesFilter ownMoves;
    std::optional<xmascard::X11Outlines> outlines;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        app.installNativeEventFilter(&ownMoves);
        outlines.emplace();
    }

    xmascard::MonotonicClock realClock;
    xmascard::TickClock clock(realClock);
    xmascard::QtHost host = outlines ? xmascard::QtHost(*outlines) : xmascard::QtHost();
    // A signal ends the show as the plug does, from the event loop, so that everything
    // winds down in order.
    QSocketNotifier signalled(xmascard::signal_ending::descriptor(), QSocketNotifier::Read);
    QObject::connect(&signalled, &QSocketNotifier::activated, [] { QCoreApplication::exit(0); });
    return xmascard::startCard(line, host, *audio, clock, [&](xmascard::Runtime& runtime) {
        host.run(runtime, clock);
        return app.exec();
    });
}

}  // namespace

int main(int argc, char** argv) {
    // Names are counted as Qt draws them; Qt's text boundaries need no application yet.
    xmascard::QtGraphics graphics;
    const auto read = xmascard::readCommandLine(std::vector<std::string>(argv + 1, argv + argc),
                                                {.records = true}, graphics, stdout, stderr);
    if (const int* status = std::get_if<int>(&read)) return *status;
    const auto& line = std::get<xmascard::CommandLine>(read);
    xmascard::signal_ending::install();
    xmascard::ignoreFileSizeLimitSignal();
    xmascard::routeQtMessages();
    int status = 1;
    // Memory or threads that cannot be had under a limit end the card in one line; what it
    // was writing is removed on the way out.
    try {
        status = line.action == xmascard::CommandLine::Action::Record ? runRecording(argv, line)
                                                                      : runCard(argv, line);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "xmascard: out of memory\n");
    } catch (const std::system_error& error) {
        std::fprintf(stderr, "xmascard: cannot go on (%s)\n", error.what());
    }
    if (xmascard::signal_ending::received() != 0) xmascard::signal_ending::endAsSignalled();
    return status;
}
