// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "app/display_check.h"
#include "app/recorder.h"
#include "platform/form_window.h"
#include "platform/media/audio_engine.h"
#include "platform/real_time_loop.h"
#include "platform/runtime.h"
#include "platform/web_browser.h"
#include "platform/x11_own_moves_filter.h"
#include "show/program.h"

namespace {

constexpr const char* kVersion = "1.00";

void printHelp() {
    std::puts(
        "Usage: xmascard [OPTION]\n"
        "An animated Christmas and New Year greeting card. Started without options it\n"
        "plays its show of a little over a minute in the middle of the screen and ends.\n"
        "\n"
        "  --help             show this help and exit\n"
        "  --version          show the version and exit\n"
        "  --record DIR       play the show without a window, as fast as possible, into\n"
        "                     PNG frames of the screen and DIR/soundtrack.wav\n"
        "  --fps N            frames per second of a recording (default 25)\n"
        "  --screen WxH       screen size of a recording (default 1280x800)\n"
        "  --silent           record without sound (a silent soundtrack.wav)\n"
        "\n"
        "While it runs: drag the cherub or the card with the left mouse button; click the\n"
        "question mark on the tree for a message, and the plug to end the card at once.");
}

xmascard::media::AudioEngine::Output chosenAudioOutput() {
    const char* audio = std::getenv("XMASCARD_AUDIO");
    if (audio && std::strcmp(audio, "none") == 0)
        return xmascard::media::AudioEngine::Output::Silent;
    return xmascard::media::AudioEngine::Output::Device;
}

int runRecording(int argc, char** argv, const xmascard::RecordOptions& options) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    return xmascard::recordShow(options);
}

int runCard(int argc, char** argv) {
    if (const auto problem = xmascard::prepareDisplay()) {
        std::fprintf(stderr, "xmascard: %s\n", problem->c_str());
        return 1;
    }
    // The audio output opens and the sound files load on threads of their own and join the
    // show when they are ready, so nothing the sound server or the disk does holds back the
    // window.
    auto audio = xmascard::media::AudioEngine::create(
        chosenAudioOutput(), {.loading = xmascard::media::Loading::Background});
    QApplication app(argc, argv);
    QApplication::setApplicationName("xmascard");
    QApplication::setApplicationVersion(kVersion);
    QApplication::setQuitOnLastWindowClosed(false);
    xmascard::X11OwnMovesFilter ownMoves;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        app.installNativeEventFilter(&ownMoves);

    xmascard::MonotonicClock realClock;
    xmascard::TickClock clock(realClock);
    xmascard::Runtime runtime(clock, *audio);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    runtime.setScreen({screen.width(), screen.height()});
    runtime.setViewFactory(&xmascard::FormWindow::create);
    runtime.openUrl = &xmascard::openInBrowser;

    xmascard::RealTimeLoop loop(runtime, clock);
    xmascard::Program program(runtime);
    program.start();
    loop.start();
    return app.exec();
}

int usageError(const char* what, const char* value) {
    std::fprintf(stderr, "xmascard: %s%s (try --help)\n", what, value);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    xmascard::RecordOptions record;
    bool recording = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return 0;
        }
        if (arg == "--version") {
            std::printf("xmascard %s\n", kVersion);
            return 0;
        }
        if (arg == "--silent") {
            record.silent = true;
            continue;
        }
        if (arg == "--record" || arg == "--fps" || arg == "--screen") {
            if (!value) return usageError("missing value after ", argv[i]);
            ++i;
            if (arg == "--record") {
                record.directory = value;
                recording = true;
            } else if (arg == "--fps") {
                char* end = nullptr;
                const long fps = std::strtol(value, &end, 10);
                if (*end != '\0' || fps < 1 || fps > 120)
                    return usageError("--fps needs a whole number from 1 to 120, not ", value);
                record.fps = static_cast<int>(fps);
            } else {
                int w = 0, h = 0;
                char tail = 0;
                if (std::sscanf(value, "%dx%d%c", &w, &h, &tail) != 2 || w < 320 || h < 240 ||
                    w > 7680 || h > 4320)
                    return usageError("--screen needs WIDTHxHEIGHT from 320x240 to 7680x4320, not ",
                                      value);
                record.screenWidth = w;
                record.screenHeight = h;
            }
            continue;
        }
        return usageError("unknown option ", argv[i]);
    }
    if (record.silent && !recording) return usageError("--silent needs --record", "");
    if (recording) return runRecording(argc, argv, record);
    return runCard(argc, argv);
}
